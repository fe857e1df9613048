#pragma once

#include "options/NumberBox.h"

#include <QLineEdit>

// The numeric entry box on screen: a text box over NumberBox. It shows the bare number,
// left-aligned, while it has the focus, and the formatted number, right-aligned, otherwise.
class NumberBoxEdit : public QLineEdit {
    Q_OBJECT

public:
    explicit NumberBoxEdit(QWidget* parent = nullptr);

    NumberBox& box() { return box_; }
    const NumberBox& box() const { return box_; }
    double value() const { return box_.value(); }
    void setValue(double number) { box_.setValue(number); }

    // The lowest height the box keeps, in pixels: 255 twips.
    static int minimumHeightPixels();

Q_SIGNALS:
    void Change();
    // Every key pressed in the box, after the box's own handling.
    void KeyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool clipboardKey(QKeyEvent* event);
    // Puts text in at the caret as if typed: each character passes the key filter or is dropped.
    void typeIn(const QString& text);

    NumberBox box_;
};
