#pragma once

#include "settings/ActivitySettings.h"
#include "stats/ActivityMeters.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

class LevelBar;
class SystemInfoModule;

// The monitor window's rows of the activity items: the per-core bars (32 cores to a row, as many
// rows as the cores need), the CPU temperature, the busiest disk and the network. A row appears
// only where the machine has the item, as the battery's does. The window owns the rows' widgets;
// this reads the values into them on each refresh and writes the detail balloons.
class ActivityRows {
public:
    static constexpr int kCoresPerRow = 32;
    static constexpr int kMostCoreRows = 8;  // 256 cores

    // Adds a row: its caption and its bar (the window takes the bar over).
    using AddRow = std::function<void(const QString& caption, LevelBar* bar)>;

    ActivityRows(const ActivitySettings& settings, SystemInfoModule& stats);
    ~ActivityRows();

    // Adds the rows of the shown items, the first of them as row `firstRow`; the count added.
    int build(const AddRow& add, int firstRow);
    void refresh();
    bool ownsRow(int row) const;
    // The title and text of a row's detail balloon; false for a row that is not one of these.
    bool balloon(int row, QString& title, QString& text);

private:
    struct Row {
        ActivityItem item;
        int slice;  // the core rows: which 32 cores
        int row;
        LevelBar* bar;
    };

    const ActivitySettings& settings_;
    SystemInfoModule& stats_;
    std::unique_ptr<ActivityMeters> meters_;
    QList<Row> rows_;
    std::optional<QList<CoreLoad>> cores_;
    std::optional<TemperatureReading> temperature_;
    std::optional<DiskBusy> disk_;
    std::optional<NetworkRates> network_;
};
