#pragma once

#include "timesync/HostLookup.h"

#include <QHash>
#include <QTimer>

// Resolves only the names it was given; every other name fails, as an unknown host would.
class FakeHostLookup : public HostLookup {
public:
    void lookup(const QString& hostName, QObject* context, Done done) override {
        ++lookups;
        const QHostAddress address = addresses.value(hostName.toLower());
        QTimer::singleShot(0, context, [address, done = std::move(done)] { done(address); });
    }

    QHash<QString, QHostAddress> addresses;  // lower-case name -> address
    int lookups = 0;
};
