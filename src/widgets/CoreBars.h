#pragma once

#include "widgets/LevelBar.h"

#include <QList>
#include <optional>

// A row of small upright bars, one per processor core, in the place of one level bar. The bar's own
// value is the busiest core's, so the row reads like any other bar (text, balloons, alerts).
class CoreBars : public LevelBar {
    Q_OBJECT

public:
    explicit CoreBars(QWidget* parent = nullptr);

    // One share per core, 0..100; a core without a reading stays empty. Repaints only when a bar's
    // drawn height changes.
    void setLoads(const QList<std::optional<qint16>>& loads);
    const QList<std::optional<qint16>>& loads() const { return loads_; }
    // The pixel height each core's bar is drawn with at the current size.
    QList<int> drawnHeights() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The busiest core's value feeds the history only; the cores draw themselves.
    int drawnValue(int) const override { return 0; }

private:
    QList<std::optional<qint16>> loads_;
    QList<int> drawn_;
};
