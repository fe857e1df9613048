#include "widgets/ReadingHistory.h"

#include <QPainter>
#include <algorithm>

void ReadingHistory::push(int percent) {
    readings_.at(size_t(next_)) = qint8(std::clamp(percent, 0, 100));
    next_ = (next_ + 1) % kLength;
    count_ = std::min(count_ + 1, kLength);
}

int ReadingHistory::at(int index) const {
    const int oldest = (next_ - count_ + kLength) % kLength;
    return readings_.at(size_t((oldest + index) % kLength));
}

namespace {
// Slot edges by integer arithmetic, so the columns tile the area without gaps or overlaps.
int slotLeft(const QRect& area, int slot) {
    return area.left() + area.width() * slot / ReadingHistory::kLength;
}
}  // namespace

ReadingHistory::Columns ReadingHistory::columns(const QRect& area) const {
    Columns heights{};
    if (area.isEmpty()) {
        return heights;
    }
    const int firstSlot = kLength - count_;
    for (int index = 0; index < count_; ++index) {
        const int slot = firstSlot + index;
        if (slotLeft(area, slot + 1) > slotLeft(area, slot)) {
            heights.at(size_t(slot)) = qint16(area.height() * at(index) / 100);
        }
    }
    return heights;
}

void ReadingHistory::paint(QPainter& painter, const QRect& area, const QColor& colour) const {
    const Columns heights = columns(area);
    for (int slot = 0; slot < kLength; ++slot) {
        const int height = heights.at(size_t(slot));
        if (height > 0) {
            const int left = slotLeft(area, slot);
            painter.fillRect(QRect(left, area.bottom() + 1 - height, slotLeft(area, slot + 1) - left, height),
                             colour);
        }
    }
}
