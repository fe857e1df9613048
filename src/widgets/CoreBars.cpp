#include "widgets/CoreBars.h"

#include <QPainter>
#include <algorithm>

CoreBars::CoreBars(QWidget* parent) : LevelBar(parent) {}

QList<int> CoreBars::drawnHeights() const {
    const int height = std::max(0, rect().height() - 2);
    QList<int> heights;
    heights.reserve(loads_.size());
    for (const std::optional<qint16>& load : loads_) {
        heights.append(load ? height * std::clamp<int>(*load, 0, 100) / 100 : 0);
    }
    return heights;
}

void CoreBars::setLoads(const QList<std::optional<qint16>>& loads) {
    loads_ = loads;
    std::optional<qint16> busiest;
    for (const std::optional<qint16>& load : loads) {
        if (load && (!busiest || *load > *busiest)) {
            busiest = load;
        }
    }
    if (busiest) {
        setValue(*busiest);
    }
    QList<int> heights = drawnHeights();
    if (heights != drawn_) {
        drawn_ = std::move(heights);
        update();
    }
}

void CoreBars::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect outer = rect();
    paintBackground(painter, outer);
    const QRect inner = outer.adjusted(1, 1, -1, -1);
    const int count = int(loads_.size());
    if (count == 0 || inner.isEmpty()) {
        return;
    }
    drawn_ = drawnHeights();
    // Slots tile the width; a one-pixel gap keeps neighbours apart where there is room for it.
    for (int core = 0; core < count; ++core) {
        const int left = inner.left() + inner.width() * core / count;
        const int right = inner.left() + inner.width() * (core + 1) / count;
        const int width = right - left > 2 ? right - left - 1 : std::max(1, right - left);
        const int height = drawn_.at(core);
        if (height <= 0) {
            continue;
        }
        // The colour of the level's gradient at this core's share: green when idle, red when busy.
        const double share = std::clamp<int>(*loads_.at(core), 0, 100) / 100.0;
        const QColor colour = QColor::fromRgbF(
            float(startColour().redF() + (endColour().redF() - startColour().redF()) * share),
            float(startColour().greenF() + (endColour().greenF() - startColour().greenF()) * share),
            float(startColour().blueF() + (endColour().blueF() - startColour().blueF()) * share));
        painter.fillRect(QRect(left, inner.bottom() + 1 - height, width, height), colour);
    }
}
