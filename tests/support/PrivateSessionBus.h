#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <memory>

// A D-Bus daemon of the test's own, so stand-in services never meet the real session's.
class PrivateSessionBus {
public:
    ~PrivateSessionBus();

    // Starts the daemon; false with the reason in `why` when it cannot run here. Every user may
    // connect (a desktop started as another user shares it). `environment`: the daemon's, which
    // the services it starts on demand inherit; with `startsServices` it starts the system's
    // installed session services when they are first called.
    bool start(QString* why, const QProcessEnvironment& environment = {}, bool startsServices = false);
    QString address() const { return address_; }
    // A named connection to the bus; every name given out is disconnected when the bus stops.
    QDBusConnection connect(const QString& name);

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> daemon_;
    QString address_;
    QStringList names_;
};
