#include "settings/TrayKind.h"

std::optional<TrayKind> trayKindFromText(const QString& text) {
    const QString name = text.trimmed().toLower();
    if (name.isEmpty() || name == QLatin1String("auto")) {
        return TrayKind::Auto;
    }
    if (name == QLatin1String("xembed")) {
        return TrayKind::XEmbed;
    }
    if (name == QLatin1String("statusnotifier")) {
        return TrayKind::StatusNotifier;
    }
    return std::nullopt;
}
