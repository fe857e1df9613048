#pragma once

#include <QColor>
#include <QRect>
#include <array>

class QPainter;

// The last readings of one bar, oldest first, drawn as faint columns behind its level. Holds what
// the bar was given; it never samples anything itself.
class ReadingHistory {
public:
    static constexpr int kLength = 60;

    void push(int percent);
    void clear() { count_ = 0; }
    int size() const { return count_; }
    // The i-th reading, 0 the oldest.
    int at(int index) const;
    // The drawn height in pixels of every slot's column in the rectangle (0 where none is drawn):
    // two histories with the same columns look the same.
    using Columns = std::array<qint16, kLength>;
    Columns columns(const QRect& area) const;
    // One column per reading slot across the rectangle, the newest at the right edge.
    void paint(QPainter& painter, const QRect& area, const QColor& colour) const;

private:
    std::array<qint8, kLength> readings_{};
    int next_ = 0;
    int count_ = 0;
};
