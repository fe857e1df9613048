#pragma once

#include "widgets/MessageBoxLayout.h"

#include <QDialog>
#include <QList>

class QLabel;
class QPushButton;

// The program's own message box: a title, an optional icon, a text and one to three buttons, sized to
// its content and centred on the primary screen. exec() returns the chosen button's result code, 2
// for Escape and 0 when the box was closed any other way.
class MessageBox : public QDialog {
    Q_OBJECT

public:
    MessageBox(const QString& text, int style, const QString& title, QWidget* parent = nullptr);

    const MessageBoxLayout& layout() const { return layout_; }
    QLabel* MsgText() const { return text_; }
    QLabel* MsgIcon() const { return icon_; }  // null without an icon
    QList<QPushButton*> MsgButtons() const { return buttons_; }

    // Measurements of text in the given font, converted to twips.
    static MessageBoxMetrics metricsFor(const QFont& font, int twipsPerPixelX, int twipsPerPixelY);

public Q_SLOTS:
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void applyLayout();

    MessageBoxLayout layout_;
    QLabel* text_ = nullptr;
    QLabel* icon_ = nullptr;
    QList<QPushButton*> buttons_;
};

// Shows a message box modally and returns its result code (see MessageBox).
int ShowMessageBox(const QString& text, int style, const QString& title);

// Closes every open message box with result 0, as the program does before it ends.
void UnloadMessageBoxes();
