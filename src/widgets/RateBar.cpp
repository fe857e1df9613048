#include "widgets/RateBar.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

RateBar::RateBar(QWidget* parent) : LevelBar(parent) {}

int RateBar::barWidth() const {
    return width() / 4;
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
    const QRect bar(0, 0, barWidth(), height());
    painter.fillRect(rect(), palette().color(QPalette::Window));
    paintBackground(painter, bar);
    const QRect inner = bar.adjusted(1, 1, -1, -1);
    const int filled = inner.width() * std::clamp(value(), 0, 100) / 100;
    if (filled > 0) {
        QLinearGradient gradient(inner.topLeft(), inner.topRight());
        gradient.setColorAt(0, startColour());
        gradient.setColorAt(1, endColour());
        painter.fillRect(QRect(inner.topLeft(), QSize(filled, inner.height())), gradient);
    }
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect().adjusted(bar.width() + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, text_);
}
