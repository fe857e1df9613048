#pragma once

#include "app/FollowingTimer.h"
#include "stats/CpuMeter.h"
#include "widgets/TrayIconGraph.h"

#include <QObject>
#include <QPixmap>
#include <functional>
#include <memory>
#include <optional>

class SystemInfoModule;

// Keeps CPU and memory drawn over the tray icon while "TrayIconGraph" is on: samples on its own
// timer, or with the monitor window while it is open (its own CPU meter, like every window), and hands a new
// picture to the tray only when a bar changes by a pixel. Off, the timer stops and the plain icon comes back.
class LiveTrayIcon : public QObject {
    Q_OBJECT

public:
    using SetIcon = std::function<void(const QPixmap&)>;
    static constexpr int kRefreshMs = 900;

    LiveTrayIcon(SystemInfoModule& stats, bool isNT, QPixmap plainIcon, SetIcon setIcon,
                 QObject* parent = nullptr);
    ~LiveTrayIcon() override;

    void setOn(bool on);
    bool isOn() const { return refreshTimer.isActive(); }
    // One sample; true when the icon was drawn anew.
    bool refresh();
    int drawCount() const { return drawCount_; }

    // Its own rhythm; while the monitor window is open, that window's samples.
    FollowingTimer refreshTimer{kRefreshMs, [this] { refresh(); }};

private:
    SystemInfoModule& stats_;
    bool isNT_;
    QPixmap plainIcon_;
    SetIcon setIcon_;
    std::unique_ptr<CpuMeter> cpuMeter_;
    std::optional<TrayIconGraph::Heights> drawn_;
    int drawCount_ = 0;
};
