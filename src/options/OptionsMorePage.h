#pragma once

#include "settings/ActivitySettings.h"

#include <QWidget>
#include <array>

class ActivityMeters;
class LevelBar;
class NumberBoxEdit;
class QCheckBox;
class SpinButtons;

// Page "More": the activity items (per-core CPU, CPU temperature, disk activity, network), each
// with its show box, a live bar and a threshold where it has one, and the two display choices: the
// history behind the monitor's bars and the live tray icon. Laid out like page "Statistics".
class OptionsMorePage : public QWidget {
    Q_OBJECT

public:
    struct Row {
        QCheckBox* show = nullptr;
        LevelBar* bar = nullptr;
        NumberBoxEdit* level = nullptr;  // none for the network
        SpinButtons* spin = nullptr;
    };

    explicit OptionsMorePage(QWidget* parent = nullptr);

    void showCurrentSettings(const ActivitySettings& settings);
    void readInto(ActivitySettings& settings) const;
    // Samples the shown bars once; an item the machine lacks is captioned "(none)" and disabled,
    // as the battery's row is.
    void refreshStatusBars(ActivityMeters& meters);

    const Row& row(ActivityItem item) const { return rows_.at(size_t(item)); }
    QCheckBox* historyBox = nullptr;
    QCheckBox* trayIconGraphBox = nullptr;

Q_SIGNALS:
    void changed();

private:
    Row addRow(ActivityItem item, int top);
    void step(const Row& row, bool up);
    void showPresence(ActivityItem item, bool present);

    std::array<Row, kActivityItemCount> rows_;
};
