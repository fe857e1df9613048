#pragma once

#include <QIcon>

// The program's icon (a clock whose rim is a level gauge), from the renderings of
// resources/icons/hicolor/scalable/apps/quorvane.svg that are built into the program.
namespace AppIcon {
QIcon icon();
QPixmap pixmap(int size);
}  // namespace AppIcon
