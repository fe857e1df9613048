#pragma once

#include "widgets/LevelBar.h"

// A narrow level bar with a text beside it, for a value whose reading is not a percentage (the
// network's bytes per second): the bar shows its share of a scale, the text the value itself.
class RateBar : public LevelBar {
    Q_OBJECT

public:
    explicit RateBar(QWidget* parent = nullptr);

    void setReading(int percent, const QString& text);
    QString readingText() const { return text_; }
    // Where the bar ends and the text begins.
    int barWidth() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    QRect barArea() const override { return QRect(0, 0, barWidth(), height()); }
    int drawnValue(int value) const override;

private:
    QString text_;
};
