#pragma once

#include <QString>
#include <array>

// The activity items beyond the eight classic ones, with their settings suffixes ("Show" + suffix,
// "Level" + suffix) and texts. Network has no level: its bar has no fixed scale to alert on.
enum class ActivityItem : int {
    Cores = 0,        // per-core CPU activity, percent
    Temperature = 1,  // CPU temperature, degrees Celsius
    DiskBusy = 2,     // share of time the busiest whole disk was busy, percent
    Network = 3,      // bytes per second received and sent
};

inline constexpr int kActivityItemCount = 4;

struct ActivityItemText {
    const char* suffix;
    bool hasLevel;
    int levelMaximum;        // highest threshold a user can set
    const char* unit;        // after a value: "%" or "°C" (the network's bar: its share of the link)
    const char* caption;     // monitor window and options row
    const char* popupLabel;  // 19 characters, as the classic pop-up labels
    const char* alertLabel;  // 24 characters, as the classic alert labels
    const char* title;       // detail balloon
};

inline const ActivityItemText& activityText(ActivityItem item) {
    static const std::array<ActivityItemText, kActivityItemCount> texts{{
        {"Cores", true, 100, "%", "CPU cores:", "Busiest core ......", "Busiest CPU core .......",
         "CPU Cores"},
        {"Temperature", true, 150, "\u00b0C", "CPU temperature:", "CPU temperature ...",
         "CPU temperature ........", "CPU Temperature"},
        {"DiskBusy", true, 100, "%", "Disk busy:", "Disk busy .........", "Disk busy ..............",
         "Disk Activity"},
        {"Network", false, 0, "%", "Network:", "Network ...........", "Network ................", "Network"},
    }};
    return texts.at(static_cast<size_t>(item));
}

inline QString activitySuffix(ActivityItem item) {
    return QString::fromLatin1(activityText(item).suffix);
}
