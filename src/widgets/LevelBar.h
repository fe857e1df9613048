#pragma once

#include "widgets/ReadingHistory.h"

#include <QColor>
#include <QHash>
#include <QStaticText>
#include <QWidget>
#include <memory>

// A horizontal level bar: the part up to the value is filled with a smooth gradient that spans the
// whole bar (so a high value reaches the end colour), with the value and "%" written across it.
// Until it gets its first value it is empty and says nothing, rather than a made-up "0%".
class LevelBar : public QWidget {
    Q_OBJECT

public:
    explicit LevelBar(QWidget* parent = nullptr);

    void setValue(int value);
    int value() const { return value_; }
    void setGradient(const QColor& start, const QColor& end);
    QColor startColour() const { return start_; }
    QColor endColour() const { return end_; }
    QString text() const;
    // What follows the value in the text: "%" unless set.
    void setSuffix(const QString& suffix);
    // Keeps the last readings given and draws them faintly behind the level.
    void setHistoryShown(bool shown);
    const ReadingHistory* history() const { return history_.get(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // The frame and, where kept, the history: what every kind of bar draws first.
    void paintBackground(QPainter& painter, const QRect& outer);
    // The framed bar within the widget.
    virtual QRect barArea() const { return rect(); }
    // What the picture shows of a value: a new value that shows alike is not drawn again.
    virtual int drawnValue(int value) const { return value; }

private:
    int value_ = 0;
    bool hasValue_ = false;
    QColor start_;
    QColor end_;
    QString suffix_ = QStringLiteral("%");
    std::unique_ptr<ReadingHistory> history_;
    // Texts laid out once and drawn many times: a value at rest comes back to the same few.
    QHash<QString, QStaticText> laidOutTexts_;
};
