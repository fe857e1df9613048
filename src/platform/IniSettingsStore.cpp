#include "platform/IniSettingsStore.h"

#include "platform/IniFileCheck.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString kSection = QStringLiteral("Settings");
}

IniSettingsStore::IniSettingsStore(const QString& filePath) : filePath_(filePath) {
    QDir().mkpath(QFileInfo(filePath_).absolutePath());
    setAsideIfDamaged();
    createPrivateFileIfMissing();
    settings_ = std::make_unique<QSettings>(filePath_, QSettings::IniFormat);
    settings_->beginGroup(kSection);
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvane/Quorvane.conf");
}

void IniSettingsStore::setAsideIfDamaged() {
    QFile file(filePath_);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        return;
    }
    const QByteArray content = file.readAll();
    file.close();
    bool damaged = !IniFileCheck::isWellFormed(content);
    if (!damaged) {
        QSettings probe(filePath_, QSettings::IniFormat);
        damaged = probe.status() == QSettings::FormatError;
    }
    if (!damaged) {
        return;
    }
    const QString keptAs = filePath_ + QStringLiteral(".damaged-") +
                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    if (QFile::rename(filePath_, keptAs)) {
        recoveryNote_ = QStringLiteral(
                            "Quorvane: the settings file %1 could not be read; it was kept as %2 "
                            "and the program starts with default settings.")
                            .arg(filePath_, keptAs);
    } else {
        recoveryNote_ = QStringLiteral(
                            "Quorvane: the settings file %1 could not be read and could not be "
                            "moved aside; settings will not be saved.")
                            .arg(filePath_);
        readOnly_ = true;
    }
}

void IniSettingsStore::createPrivateFileIfMissing() const {
    // QSaveFile keeps the permissions of the file it replaces, so creating it private once is enough.
    const QByteArray path = QFile::encodeName(filePath_);
    const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd >= 0) {
        ::close(fd);
    }
}

QString IniSettingsStore::storedKey(const QString& key) const {
    const QStringList keys = settings_->childKeys();
    for (const QString& candidate : keys) {
        if (candidate.compare(key, Qt::CaseInsensitive) == 0) {
            return candidate;
        }
    }
    return {};
}

std::optional<QString> IniSettingsStore::read(const QString& key) const {
    const QString stored = storedKey(key);
    if (stored.isEmpty()) {
        return std::nullopt;
    }
    const QVariant value = settings_->value(stored);
    // An unquoted comma makes QSettings split a hand-edited value into a list; the text is what counts.
    if (value.metaType().id() == QMetaType::QStringList) {
        return value.toStringList().join(QLatin1Char(','));
    }
    return value.toString();
}

bool IniSettingsStore::write(const QString& key, const QString& text) {
    if (readOnly_) {
        return false;
    }
    const QStringList keys = settings_->childKeys();
    for (const QString& candidate : keys) {
        if (candidate != key && candidate.compare(key, Qt::CaseInsensitive) == 0) {
            settings_->remove(candidate);
        }
    }
    settings_->setValue(key, text);
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}
