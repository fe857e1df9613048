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

    // Starts the daemon; false with the reason in `why` when it cannot run here.
    bool start(QString* why);
    QString address() const { return address_; }
    // A named connection to the bus; every name given out is disconnected when the bus stops.
    QDBusConnection connect(const QString& name);

private:
    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<QProcess> daemon_;
    QString address_;
    QStringList names_;
};
