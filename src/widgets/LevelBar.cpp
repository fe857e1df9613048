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
    bool changed = !hasValue_ || drawnValue(value) != drawnValue(value_);
    if (history_) {
        // The history moves on with every value, but a steady one moves it without a visible change.
        const QRect area = barArea().adjusted(1, 1, -1, -1);
        const ReadingHistory::Columns before = history_->columns(area);
        history_->push(value);
        changed = changed || history_->columns(area) != before;
    }
    value_ = value;
    hasValue_ = true;
    if (changed) {
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
    return QString::number(value_) + suffix_;
}

void LevelBar::setSuffix(const QString& suffix) {
    suffix_ = suffix;
    update();
}

void LevelBar::setHistoryShown(bool shown) {
    if (shown != bool(history_)) {
        history_ = shown ? std::make_unique<ReadingHistory>() : nullptr;
        update();
    }
}

void LevelBar::paintBackground(QPainter& painter, const QRect& outer) {
    const QPalette& colours = QApplication::palette();
    // The one-pixel frame as two fills: a stroked rectangle costs several times as much to draw,
    // and the bars repaint whenever their value moves.
    painter.fillRect(outer, colours.color(QPalette::Dark));
    painter.fillRect(outer.adjusted(1, 1, -1, -1), colours.color(QPalette::Button));
    if (history_) {
        QColor faint = end_;
        faint.setAlpha(70);
        history_->paint(painter, outer.adjusted(1, 1, -1, -1), faint);
    }
}

void LevelBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect inner = rect().adjusted(1, 1, -1, -1);
    paintBackground(painter, rect());

    const int filled = inner.width() * std::clamp(value_, 0, 100) / 100;
    if (filled > 0) {
        QLinearGradient gradient(inner.topLeft(), inner.topRight());
        // Over a history the level lets the earlier readings show through.
        const int alpha = history_ ? 190 : 255;
        gradient.setColorAt(0, QColor(start_.red(), start_.green(), start_.blue(), alpha));
        gradient.setColorAt(1, QColor(end_.red(), end_.green(), end_.blue(), alpha));
        painter.fillRect(QRect(inner.topLeft(), QSize(filled, inner.height())), gradient);
    }
    const QString shown = text();
    if (shown.isEmpty()) {
        return;
    }
    auto text = laidOutTexts_.find(shown);
    if (text == laidOutTexts_.end()) {
        constexpr qsizetype kMostKept = 24;
        if (laidOutTexts_.size() >= kMostKept) {
            laidOutTexts_.clear();
        }
        QStaticText laidOut(shown);
        laidOut.setTextFormat(Qt::PlainText);
        text = laidOutTexts_.insert(shown, laidOut);
    }
    const QSizeF size = text->size();
    painter.setPen(QApplication::palette("QMenu").color(QPalette::Text));
    painter.drawStaticText(QPointF(inner.left() + (inner.width() - size.width()) / 2,
                                   inner.top() + (inner.height() - size.height()) / 2),
                           *text);
}
