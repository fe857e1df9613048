#include "support/TestEnvironment.h"

#include <QDir>

TestEnvironment::TestEnvironment() {
    QDir(dir_.path()).mkpath(QStringLiteral("config"));
    QDir(dir_.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(dir_.path() + QStringLiteral("/runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    qputenv("XDG_CONFIG_HOME", configHome().toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", (dir_.path() + QStringLiteral("/runtime")).toLocal8Bit());
}

QString TestEnvironment::configHome() const {
    return dir_.path() + QStringLiteral("/config");
}
