#include "platform/linux/LinuxTimeZoneSource.h"

#include <QFile>

namespace {
// Compiled zone files are a few kilobytes; anything far larger is not one.
constexpr qint64 kMaxZoneFileSize = qint64(1024) * 1024;
}  // namespace

const LinuxTimeZoneSource& LinuxTimeZoneSource::instance() {
    static const LinuxTimeZoneSource source;
    return source;
}

std::optional<QString> LinuxTimeZoneSource::environmentRule() const {
    if (!qEnvironmentVariableIsSet("TZ")) {
        return std::nullopt;
    }
    return qEnvironmentVariable("TZ");
}

std::optional<QByteArray> LinuxTimeZoneSource::zoneFile(const QString& name) const {
    const QString path =
        name.isEmpty() ? QStringLiteral("/etc/localtime") : zoneFilePath(name, zoneDirectory());
    if (path.isEmpty()) {
        return std::nullopt;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return std::nullopt;
    }
    const QByteArray bytes = file.read(kMaxZoneFileSize + 1);
    if (bytes.size() > kMaxZoneFileSize) {
        return std::nullopt;
    }
    return bytes;
}

QTimeZone LinuxTimeZoneSource::systemZone() const {
    return QTimeZone::systemTimeZone();
}

QString LinuxTimeZoneSource::zoneDirectory() const {
    const QString fromEnvironment = qEnvironmentVariable("TZDIR");
    return fromEnvironment.isEmpty() ? QStringLiteral("/usr/share/zoneinfo") : fromEnvironment;
}

QString LinuxTimeZoneSource::zoneFilePath(const QString& name, const QString& zoneDirectory) {
    if (name.startsWith(QLatin1Char('/'))) {
        return name;  // an absolute path is the user's own choice, as the C library takes it
    }
    const QStringList parts = name.split(QLatin1Char('/'));
    for (const QString& part : parts) {
        if (part.isEmpty() || part == QLatin1String(".") || part == QLatin1String("..")) {
            return {};
        }
    }
    return zoneDirectory + QLatin1Char('/') + name;
}
