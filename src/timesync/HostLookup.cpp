#include "timesync/HostLookup.h"

#include <QHostInfo>

QHostAddress HostLookup::chooseAddress(const QList<QHostAddress>& addresses) {
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) {
            return address;
        }
    }
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv6Protocol) {
            return address;
        }
    }
    return {};
}

void SystemHostLookup::lookup(const QString& hostName, QObject* context, Done done) {
    const QHostAddress literal(hostName);
    if (!literal.isNull()) {
        done(literal);  // an address needs no resolver
        return;
    }
    if (hostName.trimmed().isEmpty()) {
        done({});
        return;
    }
    QHostInfo::lookupHost(hostName, context, [done = std::move(done)](const QHostInfo& info) {
        done(info.error() == QHostInfo::NoError ? chooseAddress(info.addresses()) : QHostAddress());
    });
}
