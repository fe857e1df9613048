#pragma once

#include <QPixmap>

// The live tray icon: the program's icon with CPU and memory as two small upright bars over it.
namespace TrayIconGraph {

inline constexpr int kSize = 32;  // pixels; the tray scales it to its own size

// The bars' heights in pixels at kSize: what decides whether the icon must be drawn again.
struct Heights {
    int cpu = 0;
    int memory = 0;
    bool operator==(const Heights&) const = default;
};
Heights heights(int cpuPercent, int memoryPercent);
QPixmap draw(const QPixmap& base, Heights bars);

}  // namespace TrayIconGraph
