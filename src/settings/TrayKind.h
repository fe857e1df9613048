#pragma once

#include <QString>
#include <optional>

// Which tray the icon goes to, the setting "TrayKind": `auto` takes the program's own X11 icon
// where an X11 session offers both an X11 system tray and a D-Bus one (only the X11 kind reports
// where the icon is and what the pointer does), and Qt's choice everywhere else; `xembed` takes the
// X11 system tray whenever there is one; `statusnotifier` leaves the choice to Qt, which prefers
// the D-Bus tray.
enum class TrayKind { Auto, XEmbed, StatusNotifier };

// Nothing for a text that names no kind (letter case does not matter; empty is auto).
std::optional<TrayKind> trayKindFromText(const QString& text);
