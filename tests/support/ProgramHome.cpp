#include "support/ProgramHome.h"

#include <QDir>
#include <QFile>

ProgramHome::ProgramHome() {
    QDir().mkpath(configHome());
    QDir().mkpath(runtimeDir());
    QFile::setPermissions(runtimeDir(),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

bool ProgramHome::writeSettings(const QByteArray& settingsSection) const {
    const QByteArray text = "[Settings]\n" + settingsSection;
    QFile file(settingsFile());
    return QDir().mkpath(settingsFolder()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
           file.write(text) == text.size();
}

QString ProgramHome::settings() const {
    QFile file(settingsFile());
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

QProcessEnvironment ProgramHome::environment() const {
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    variables.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDir());
    variables.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("disabled:"));
    return variables;
}

void ProgramHome::start(QProcess& process, const QStringList& arguments,
                        const QProcessEnvironment& variables) const {
    process.setProcessEnvironment(variables.isEmpty() ? environment() : variables);
    process.start(QStringLiteral(QUORVANE_BINARY), QStringList{QStringLiteral("--dry-run")} + arguments);
}
