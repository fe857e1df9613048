#include "timesync/SntpTarget.h"

namespace {
std::optional<quint16> portNumber(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535 || text.startsWith(QLatin1Char('+'))) {
        return std::nullopt;
    }
    return static_cast<quint16>(port);
}
}  // namespace

std::optional<SntpTarget> SntpTarget::parse(const QString& text) {
    const QString trimmed = text.trimmed();
    SntpTarget target;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0) {
            return std::nullopt;
        }
        target.hostName = trimmed.mid(1, close - 1);
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty()) {
            if (!rest.startsWith(QLatin1Char(':'))) {
                return std::nullopt;
            }
            const auto port = portNumber(rest.mid(1));
            if (!port) {
                return std::nullopt;
            }
            target.port = *port;
        }
    } else if (trimmed.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        target.hostName = trimmed.left(colon);
        const auto port = portNumber(trimmed.mid(colon + 1));
        if (!port) {
            return std::nullopt;
        }
        target.port = *port;
    } else {
        target.hostName = trimmed;  // a plain name, or an IPv6 address without a port
    }
    if (target.hostName.isEmpty()) {
        return std::nullopt;
    }
    return target;
}

QString SntpTarget::displayName() const {
    if (port == kDefaultPort) {
        return hostName;
    }
    const QString host =
        hostName.contains(QLatin1Char(':')) ? QLatin1Char('[') + hostName + QLatin1Char(']') : hostName;
    return host + QLatin1Char(':') + QString::number(port);
}
