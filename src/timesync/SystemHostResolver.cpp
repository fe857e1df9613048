#include "timesync/SystemHostResolver.h"

#include "timesync/HostLookup.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QHostInfo>

QString SystemHostResolver::resolveHostAddress(const QString& hostName) const {
    const QHostAddress literal(hostName);
    if (!literal.isNull()) {
        return literal.toString();
    }
    if (hostName.trimmed().isEmpty()) {
        return {};
    }
    if (!QCoreApplication::instance()) {
        const QHostInfo info = QHostInfo::fromName(hostName);
        return HostLookup::chooseAddress(info.addresses()).toString();
    }
    QHostAddress found;
    QEventLoop loop;
    QHostInfo::lookupHost(hostName, &loop, [&](const QHostInfo& info) {
        found = HostLookup::chooseAddress(info.addresses());
        loop.quit();
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    return found.isNull() ? QString() : found.toString();
}
