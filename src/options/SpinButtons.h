#pragma once

#include <QWidget>

class NumberBoxEdit;
class QToolButton;

// A pair of small up and down arrow buttons with a range and a step. Bound to a numeric entry box
// it moves the box's value by the step within the range; unbound it only reports the clicks.
class SpinButtons : public QWidget {
    Q_OBJECT

public:
    explicit SpinButtons(QWidget* parent = nullptr);

    void setRange(int minimum, int maximum);
    void setIncrement(int step) { increment_ = step; }
    int increment() const { return increment_; }
    int minimum() const { return minimum_; }
    int maximum() const { return maximum_; }
    // The box follows the buttons: up adds the step, down takes it away, within the box's limits.
    void bind(NumberBoxEdit* buddy);

    QToolButton* upButton() const { return up_; }
    QToolButton* downButton() const { return down_; }

Q_SIGNALS:
    void upClicked();
    void downClicked();

private:
    QToolButton* up_;
    QToolButton* down_;
    int minimum_ = 0;
    int maximum_ = 100;
    int increment_ = 1;
};
