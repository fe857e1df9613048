#pragma once

#include "widgets/MessageBoxCodes.h"

#include <QList>
#include <QRect>
#include <QSize>
#include <QString>
#include <functional>

// The three parts of a combined style number: default button, icon and button set.
struct MessageBoxStyle {
    int defaultButton = 0;  // d: index of the button asked to be the default
    int icon = -1;          // i: 0 stop sign, 1 question mark, 2 exclamation mark, 3 information, -1 none
    int buttons = 0;        // b: button set 0..5

    static MessageBoxStyle decompose(int style);
};

struct MessageBoxButton {
    QString caption;  // with its "&" mnemonic
    int result = MessageBoxResult::Ok;
};

// The buttons of set b, left to right; any unknown set gives the lone "&OK".
QList<MessageBoxButton> messageBoxButtons(int buttonSet);

// Text measurements in the box's own font, in twips.
struct MessageBoxMetrics {
    // Width of the widest line and height of all lines; only line breaks start a new line.
    std::function<QSize(const QString& text)> textSize;
    // Height of the text when it is word-wrapped at the given width.
    std::function<int(const QString& text, int width)> wrappedTextHeight;
};

// Where everything goes, in twips. Control rectangles are relative to the window's client area, as
// the classic form designer placed them; `window` is the outer rectangle, frame included, relative
// to the screen's top-left corner.
struct MessageBoxLayout {
    QString caption;
    QString text;  // line breaks normalised to "\n"
    bool textWrapped = false;
    int iconIndex = -1;  // -1: no icon
    QList<MessageBoxButton> buttons;
    int defaultButton = -1;  // -1: none; the default button also takes the focus when the box opens

    int captionWidth = 0;  // the caption's width in the box's font, widened for the title bar's font
    int rowWidth = 0;      // the buttons' row plus margins and frame

    QRect window;
    QSize clientSize;
    QRect textRect;
    QRect iconRect;
    QList<QRect> buttonRects;  // one per button
};

inline constexpr int kMessageBoxFrameWidthTwips = 90;    // two 3-pixel dialog borders
inline constexpr int kMessageBoxFrameHeightTwips = 375;  // title bar plus the two borders

inline constexpr char kMessageBoxDefaultCaption[] = " Quorvane Options";  // kept when no title is given

// Lays the box out for a screen of the given size (twips). Needs no display.
MessageBoxLayout layoutMessageBox(const QString& text, int style, const QString& title,
                                  const MessageBoxMetrics& metrics, QSize screenTwips);
