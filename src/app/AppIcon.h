#pragma once

#include <QIcon>

// The program's icon, drawn at every size the tray and window managers ask for: three level bars
// in front of a clock face.
namespace AppIcon {
QIcon icon();
QPixmap pixmap(int size);
}  // namespace AppIcon
