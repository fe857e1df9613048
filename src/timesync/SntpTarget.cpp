#include "timesync/SntpTarget.h"

std::optional<SntpTarget> SntpTarget::parse(const QString& text) {
    const auto address = parseTimeServerAddress(text);
    if (!address) {
        return std::nullopt;
    }
    return SntpTarget{address->host, address->port, -1};
}

QString SntpTarget::displayName() const {
    if (port == kDefaultPort) {
        return hostName;
    }
    const QString host =
        hostName.contains(QLatin1Char(':')) ? QLatin1Char('[') + hostName + QLatin1Char(']') : hostName;
    return host + QLatin1Char(':') + QString::number(port);
}
