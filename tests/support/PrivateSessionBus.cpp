#include "support/PrivateSessionBus.h"

#include <QFile>
#include <QStandardPaths>
#include <QTest>

PrivateSessionBus::~PrivateSessionBus() {
    for (const QString& name : names_) {
        QDBusConnection::disconnectFromBus(name);
    }
    if (daemon_) {
        daemon_->terminate();
        daemon_->waitForFinished(5000);
    }
}

bool PrivateSessionBus::start(QString* why, const QProcessEnvironment& environment, bool startsServices) {
    const QString program = QStandardPaths::findExecutable(QStringLiteral("dbus-daemon"));
    if (program.isEmpty()) {
        *why = QStringLiteral("dbus-daemon is not installed (Debian package dbus-daemon)");
        return false;
    }
    dir_ = std::make_unique<QTemporaryDir>();
    QFile config(dir_->filePath(QStringLiteral("bus.conf")));
    if (!config.open(QIODevice::WriteOnly)) {
        *why = QStringLiteral("cannot write the bus configuration");
        return false;
    }
    config.write(
        QStringLiteral("<!DOCTYPE busconfig PUBLIC \"-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN\"\n"
                       " \"http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd\">\n"
                       "<busconfig><type>session</type><listen>unix:path=%1/bus</listen>\n%2"
                       "<policy context=\"default\"><allow user=\"*\"/>"
                       "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                       "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n")
            .arg(dir_->path(),
                 startsServices ? QStringLiteral("<standard_session_servicedirs/>\n") : QString())
            .toUtf8());
    config.close();
    QFile::setPermissions(dir_->path(), QFile::permissions(dir_->path()) | QFileDevice::ExeOther |
                                            QFileDevice::ReadOther | QFileDevice::ExeGroup);
    daemon_ = std::make_unique<QProcess>();
    if (!environment.isEmpty()) {
        daemon_->setProcessEnvironment(environment);
    }
    daemon_->start(program, {"--config-file=" + config.fileName(), "--nofork", "--print-address"});
    if (!daemon_->waitForStarted(5000)) {
        *why = QStringLiteral("dbus-daemon did not start");
        return false;
    }
    if (!QTest::qWaitFor(
            [this] { return daemon_->canReadLine() || daemon_->state() != QProcess::Running; })) {
        *why = QStringLiteral("dbus-daemon printed no address");
        return false;
    }
    address_ = QString::fromUtf8(daemon_->readLine()).trimmed();
    if (address_.isEmpty()) {
        *why = QStringLiteral("dbus-daemon printed no address");
        return false;
    }
    return true;
}

QDBusConnection PrivateSessionBus::connect(const QString& name) {
    if (!names_.contains(name)) {
        names_ << name;
    }
    return QDBusConnection::connectToBus(address_, name);
}
