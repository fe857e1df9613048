#pragma once

#include <QColor>
#include <QWidget>

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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int value_ = 0;
    bool hasValue_ = false;
    QColor start_;
    QColor end_;
};
