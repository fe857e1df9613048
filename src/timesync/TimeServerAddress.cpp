#include "timesync/TimeServerAddress.h"

#include <QHostAddress>

namespace {

std::optional<TimeServerAddress> refuse(QString* problem, const QString& reason) {
    if (problem) {
        *problem = reason;
    }
    return std::nullopt;
}

std::optional<quint16> portNumber(const QString& text) {
    bool ok = false;
    const uint port = text.toUInt(&ok);
    if (!ok || port < 1 || port > 65535 || text.startsWith(QLatin1Char('+'))) {
        return std::nullopt;
    }
    return static_cast<quint16>(port);
}

bool isIPv6(const QString& text) {
    return QHostAddress(text).protocol() == QAbstractSocket::IPv6Protocol;
}

}  // namespace

std::optional<TimeServerAddress> parseTimeServerAddress(const QString& text, QString* problem) {
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty()) {
        return refuse(problem, QStringLiteral("no time server is given"));
    }
    for (const QChar c : trimmed) {
        if (c.isSpace() || c.category() == QChar::Other_Control) {
            return refuse(problem,
                          QStringLiteral("\"%1\" contains a blank or a control character").arg(trimmed));
        }
    }
    TimeServerAddress address;
    QString portText;
    bool hasPort = false;
    if (trimmed.startsWith(QLatin1Char('['))) {
        const qsizetype close = trimmed.indexOf(QLatin1Char(']'));
        if (close < 0) {
            return refuse(
                problem,
                QStringLiteral("the \"]\" after the IPv6 address in \"%1\" is missing").arg(trimmed));
        }
        address.host = trimmed.mid(1, close - 1);
        if (!isIPv6(address.host)) {
            return refuse(problem,
                          QStringLiteral("\"%1\" in brackets is not an IPv6 address").arg(address.host));
        }
        const QString rest = trimmed.mid(close + 1);
        if (!rest.isEmpty() && !rest.startsWith(QLatin1Char(':'))) {
            return refuse(problem,
                          QStringLiteral("\"%1\" follows the IPv6 address; a port is written [ADDRESS]:PORT")
                              .arg(rest));
        }
        hasPort = !rest.isEmpty();
        portText = rest.mid(1);
    } else if (trimmed.count(QLatin1Char(':')) == 1) {
        const qsizetype colon = trimmed.indexOf(QLatin1Char(':'));
        address.host = trimmed.left(colon);
        hasPort = true;
        portText = trimmed.mid(colon + 1);
    } else if (trimmed.contains(QLatin1Char(':')) && !isIPv6(trimmed)) {
        return refuse(
            problem,
            QStringLiteral("\"%1\" is neither HOST:PORT nor an IPv6 address (with a port: [ADDRESS]:PORT)")
                .arg(trimmed));
    } else {
        address.host = trimmed;  // a plain name, or an IPv6 address without a port
    }
    if (address.host.isEmpty()) {
        return refuse(problem, QStringLiteral("\"%1\" names no host").arg(trimmed));
    }
    if (hasPort) {
        const auto port = portNumber(portText);
        if (!port) {
            return refuse(problem,
                          QStringLiteral("\"%1\" is not a port number from 1 to 65535").arg(portText));
        }
        address.port = *port;
    }
    return address;
}
