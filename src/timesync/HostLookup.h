#pragma once

#include <QHostAddress>
#include <QList>
#include <QObject>
#include <QString>
#include <functional>

// Turns a host name into the one address an SNTP request goes to, without blocking the caller.
class HostLookup {
public:
    using Done = std::function<void(const QHostAddress& address)>;  // null when it does not resolve

    virtual ~HostLookup() = default;
    // Calls `done` once, later or at once; never after `context` is destroyed.
    virtual void lookup(const QString& hostName, QObject* context, Done done) = 0;

    // The first IPv4 address, or the first IPv6 one when there is no IPv4 address.
    static QHostAddress chooseAddress(const QList<QHostAddress>& addresses);
};

// The system's resolver (QHostInfo: its own thread, so the window stays live).
class SystemHostLookup : public HostLookup {
public:
    void lookup(const QString& hostName, QObject* context, Done done) override;
};
