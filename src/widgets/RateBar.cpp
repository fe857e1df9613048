#include "widgets/RateBar.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

RateBar::RateBar(QWidget* parent) : LevelBar(parent) {}

int RateBar::barWidth() const {
    return width() / 5;
}

int RateBar::drawnValue(int value) const {
    return (barArea().width() - 2) * std::clamp(value, 0, 100) / 100;
}

void RateBar::setReading(int percent, const QString& text) {
    setValue(percent);
    if (text != text_) {
        text_ = text;
        update();
    }
}

void RateBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect bar = barArea();
    painter.fillRect(rect(), palette().color(QPalette::Window));
    paintBackground(painter, bar);
    const QRect inner = bar.adjusted(1, 1, -1, -1);
    const int filled = drawnValue(value());
    if (filled > 0) {
        QLinearGradient gradient(inner.topLeft(), inner.topRight());
        gradient.setColorAt(0, startColour());
        gradient.setColorAt(1, endColour());
        painter.fillRect(QRect(inner.topLeft(), QSize(filled, inner.height())), gradient);
    }
    // A size smaller than the captions, so two rates fit beside the bar; what still does not fit is
    // cut with an ellipsis rather than mid-character.
    QFont small = font();
    small.setPointSizeF(small.pointSizeF() * 0.85);
    painter.setFont(small);
    painter.setPen(palette().color(QPalette::WindowText));
    const QRect area = rect().adjusted(bar.width() + 3, 0, 0, 0);
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(small).elidedText(text_, Qt::ElideRight, area.width()));
}
