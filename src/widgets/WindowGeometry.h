#pragma once

#include <QPoint>
#include <QtGlobal>

class QWidget;

// Geometry helpers for the program's captionless windows. Sizes and positions are in twips
// (1440 per inch: 15 per pixel at 96 dpi), window frame included where the name says "window".
namespace WindowGeometry {

int twipsPerPixelX(const QWidget& form);
int twipsPerPixelY(const QWidget& form);

// The pointer, converted to the form's client twips, is left of or above the client area, or right
// of its width or below its height. The global pointer position defaults to QCursor::pos().
bool IsCursorOutsideClient(const QWidget& form);
bool IsCursorOutsideClient(const QWidget& form, QPoint globalCursor);
// The pointer in screen twips lies outside Left..Left+Width, Top..Top+Height of the window (the
// bounds count as inside).
bool IsCursorOutsideWindow(const QWidget& form);
bool IsCursorOutsideWindow(const QWidget& form, QPoint globalCursor);
// Window height minus client height, minus the border width, in twips.
qint32 GetTitleBarHeight(const QWidget& form);
// (window width - client width) / 2, in twips.
qint32 GetBorderWidth(const QWidget& form);
// Keeps the window out of (or puts it back into) the taskbar and task switcher.
void SetHiddenFromTaskList(QWidget& form, bool hide);

}  // namespace WindowGeometry
