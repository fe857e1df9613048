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

void ReadingHistory::paint(QPainter& painter, const QRect& area, const QColor& colour) const {
    if (count_ == 0 || area.isEmpty()) {
        return;
    }
    // Slot edges by integer arithmetic, so the columns tile the area without gaps or overlaps.
    const int firstSlot = kLength - count_;
    for (int index = 0; index < count_; ++index) {
        const int slot = firstSlot + index;
        const int left = area.left() + area.width() * slot / kLength;
        const int right = area.left() + area.width() * (slot + 1) / kLength;
        const int height = area.height() * at(index) / 100;
        if (right > left && height > 0) {
            painter.fillRect(QRect(left, area.bottom() + 1 - height, right - left, height), colour);
        }
    }
}
