#include "update/UpdateLocation.h"

#include "settings/AppSettings.h"

namespace UpdateLocation {

QString builtIn() {
    return QStringLiteral(QUORVANE_UPDATE_LOCATION);
}

QString configured(const AppSettings& settings) {
    const QString stored = settings.text(QStringLiteral("UpdateLocation"), QString()).trimmed();
    return stored.isEmpty() ? builtIn().trimmed() : stored;
}

}  // namespace UpdateLocation
