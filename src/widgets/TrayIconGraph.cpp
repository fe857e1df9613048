#include "widgets/TrayIconGraph.h"

#include "widgets/LevelBarColours.h"

#include <QPainter>
#include <algorithm>

namespace TrayIconGraph {

namespace {
constexpr int kBarWidth = 7;
constexpr int kMargin = 1;
constexpr int kTallest = kSize - 2 * kMargin - 2;  // inside a one-pixel frame

int height(int percent) {
    return kTallest * std::clamp(percent, 0, 100) / 100;
}
}  // namespace

Heights heights(int cpuPercent, int memoryPercent) {
    return Heights{height(cpuPercent), height(memoryPercent)};
}

QPixmap draw(const QPixmap& base, Heights bars) {
    QPixmap icon(kSize, kSize);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.drawPixmap(icon.rect(), base);
    // CPU at the left edge, memory at the right, each in a dark frame so it reads on any panel.
    const auto bar = [&](int left, int filled, const QColor& colour) {
        const QRect frame(left, kMargin, kBarWidth, kSize - 2 * kMargin);
        painter.fillRect(frame, QColor(0, 0, 0, 170));
        if (filled > 0) {
            painter.fillRect(QRect(left + 1, frame.bottom() - filled, kBarWidth - 2, filled), colour);
        }
    };
    bar(kMargin, bars.cpu, LevelBarColours::fromBgr(LevelBarColours::kGreen));
    bar(kSize - kMargin - kBarWidth, bars.memory, QColor(0x40, 0xA0, 0xFF));
    return icon;
}

}  // namespace TrayIconGraph
