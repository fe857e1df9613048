#pragma once

#include "widgets/TrayIconRect.h"

#include <QtGlobal>

class QSystemTrayIcon;
class QWidget;

// Small window operations shared by the tray logic, the alerts and the monitor windows.

// Set by the monitor window when it loads; the translucency operations do nothing while false.
extern bool translucencyAvailable;

// Recomputes trayIconRect from the icon's geometry as the tray reports it (X11 trays do; others
// give an empty QRect) or else the fallback at the bottom-right corner of the primary screen's work
// area, and returns it.
const TrayIconRect& LocateTrayIcon(const QRect& reportedGeometry);
const TrayIconRect& LocateTrayIcon(const QSystemTrayIcon* icon);  // null: the fallback

// Keeps the window above all others, or lets it go back among them, without hiding or moving it.
// Raised, it takes its own shown child windows (its balloons) up with it, above itself.
void SetTopmost(QWidget* form, bool onTop);

// The last widget reached by climbing the parent chain while the parent is visible.
QWidget* TopVisibleAncestor(QWidget* window);

// The window containing `window` shows with the given opacity (0..255). False when translucency is
// unavailable or there is no window to change.
bool MakeTranslucent(QWidget* window, int alpha);
bool MakeOpaque(QWidget* window);

// The alpha for a percentage level: level / 100 x 255, rounded half to even, kept within a byte.
quint8 translucencyAlpha(int level);
