#include "widgets/LevelBar.h"

#include "widgets/LevelBarColours.h"

#include <QApplication>
#include <QLinearGradient>
#include <QPainter>
#include <algorithm>

LevelBar::LevelBar(QWidget* parent)
    : QWidget(parent),
      start_(LevelBarColours::fromBgr(LevelBarColours::kGreen)),
      end_(LevelBarColours::fromBgr(LevelBarColours::kRed)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void LevelBar::setValue(int value) {
    if (value != value_ || !hasValue_) {
        value_ = value;
        hasValue_ = true;
        update();
    }
}

void LevelBar::setGradient(const QColor& start, const QColor& end) {
    start_ = start;
    end_ = end;
    update();
}

QString LevelBar::text() const {
    if (!hasValue_) {
        return QString();
    }
    return QString::number(value_) + QLatin1Char('%');
}

void LevelBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QPalette& colours = QApplication::palette();
    // The one-pixel frame as two fills: a stroked rectangle costs several times as much to draw,
    // and the bars repaint whenever their value moves.
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), colours.color(QPalette::Dark));
    painter.fillRect(inner, colours.color(QPalette::Button));

    const int filled = inner.width() * std::clamp(value_, 0, 100) / 100;
    if (filled > 0) {
        QLinearGradient gradient(inner.topLeft(), inner.topRight());
        gradient.setColorAt(0, start_);
        gradient.setColorAt(1, end_);
        painter.fillRect(QRect(inner.topLeft(), QSize(filled, inner.height())), gradient);
    }
    painter.setPen(QApplication::palette("QMenu").color(QPalette::Text));
    painter.drawText(inner, Qt::AlignCenter, text());
}
