#pragma once

#include "app/AlertBalloon.h"
#include "app/ThresholdReadings.h"
#include "settings/SharedSettingsState.h"
#include "settings/TrayMenuState.h"

#include <QObject>
#include <QRect>
#include <QTimer>
#include <functional>

// Compares every watched value with its level once a second while monitoring is on, and keeps one
// balloon at the tray icon listing every value beyond its level. Driven by its Timer1.
class ThresholdMonitor : public QObject {
    Q_OBJECT

public:
    struct Screen {
        std::function<QRect()> locateTrayIcon;  // pixels
        std::function<int()> twipsPerPixel;     // horizontal
        std::function<int()> workAreaHeight;    // twips
        std::function<void()> processPendingEvents;
        std::function<void()> raiseMonitorWindow;  // keeps the monitor above the balloon
    };

    // The controller's state it reads: the levels, the marks of mnuMonitor and mnuOnTop, whether
    // the monitor window is open, and whether a battery was found at start-up.
    struct State {
        const TrayMenuState& items;
        const SharedSettingsState& shared;
        std::function<bool()> batteryAvailable;
    };

    ThresholdMonitor(State state, ThresholdReadings& readings, AlertBalloon& balloon, Screen screen,
                     QObject* parent = nullptr);

    void reset();
    // On: the first check comes after 5 s, then one a second. Off: no check, and the balloon goes.
    void setWatching(bool on);
    bool watching() const { return Timer1.isActive(); }
    void CheckThresholds();
    void timer1Tick();
    // Another window has just sampled: a check due within kJoinWindowMs runs now, in the same
    // wake-up and on the same readings, and Timer1 starts over. While the monitor window is open
    // the checks so follow its refresh instead of waking the program once more each second.
    void joinTick();
    static constexpr int kJoinWindowMs = 250;  // the timers' own slack stays well inside it
    void HideBalloon();
    void balloonClosed();

    // "CPU activity ..........." + dots + " 85%": 30 characters for values up to five characters.
    static QString alertLine(const QString& label, int value);
    // The same frame with another unit: "CPU temperature ........ 85°C".
    static QString alertLine(const QString& label, int value, const QString& unit);
    static QString label(StatisticItem item);
    static QString driveLabel(QChar letter);

    QString TrayMessage;
    qint16 violationCount = 0;
    qint16 shownViolationCount = 0;
    qint16 balloonId = -1;
    bool replacingBalloon = false;
    qint16 batteryPercent = 0;
    QTimer Timer1;

private:
    void addViolation(const QString& line);
    void checkActivityItems();

    State state_;
    ThresholdReadings& readings_;
    AlertBalloon& balloon_;
    Screen screen_;
};
