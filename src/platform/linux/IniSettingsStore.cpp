#include "platform/linux/IniSettingsStore.h"

#include "platform/linux/IniFileCheck.h"
#include "platform/linux/WriteFailureReason.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <fcntl.h>
#include <unistd.h>

namespace {
const QString kSection = QStringLiteral("Settings");
constexpr int kExclusiveWaitMs = 5000;
}  // namespace

IniSettingsStore::IniSettingsStore(const QString& filePath, Access access)
    : filePath_(filePath), access_(access), writable_(access == Access::ReadWrite) {
    if (writable_) {
        QDir().mkpath(QFileInfo(filePath_).absolutePath());
    }
    const QString readFrom = salvageDamagedFile();
    if (writable_) {
        createPrivateFileIfMissing();
    }
    settings_ = std::make_unique<QSettings>(readFrom, QSettings::IniFormat);
    settings_->beginGroup(kSection);
}

IniSettingsStore::~IniSettingsStore() = default;

QString IniSettingsStore::defaultFilePath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Quorvane/Quorvane.conf");
}

// Returns the file QSettings is to read: the settings file, or a private copy of its readable lines
// when it may not be rewritten.
QString IniSettingsStore::salvageDamagedFile() {
    QFile file(filePath_);
    if (!file.exists() || !file.open(QIODevice::ReadOnly)) {
        return filePath_;
    }
    const QByteArray original = file.readAll();
    file.close();
    const IniFileCheck::Salvage salvage = IniFileCheck::salvage(original);
    if (!salvage.changed()) {
        return filePath_;
    }
    const auto readFromCopy = [&] {
        salvagedCopy_ = std::make_unique<QTemporaryFile>();
        if (salvagedCopy_->open()) {
            salvagedCopy_->write(salvage.content);
            salvagedCopy_->close();
        }
        return salvagedCopy_->fileName();
    };
    if (!writable_) {
        return readFromCopy();  // the program itself mends the file and says so
    }
    const int count = salvage.unreadableLines + salvage.mendedLines;
    const QString lines = count == 1 ? QStringLiteral("1 line") : QStringLiteral("%1 lines").arg(count);
    const QString keptAs = filePath_ + QStringLiteral(".damaged-") +
                           QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss-zzz"));
    if (!keepCopy(original, keptAs)) {
        writable_ = false;
        recoveryNote_ =
            QStringLiteral(
                "Quorvane: %1 of the settings file %2 could not be read and no copy of it "
                "could be kept (%3); the other settings are used but changes will not be saved.")
                .arg(lines, filePath_, whyFolderIsNotWritable(QFileInfo(filePath_).absolutePath()));
        return readFromCopy();
    }
    QSaveFile mended(filePath_);
    if (!mended.open(QIODevice::WriteOnly) || mended.write(salvage.content) != salvage.content.size() ||
        !mended.commit()) {
        writable_ = false;
        recoveryNote_ = QStringLiteral(
                            "Quorvane: %1 of the settings file %2 could not be read and the file could not "
                            "be mended (%3); the other settings are used but changes will not be saved.")
                            .arg(lines, filePath_, mended.errorString());
        return readFromCopy();
    }
    recoveryNote_ = QStringLiteral(
                        "Quorvane: %1 of the settings file %2 could not be read and were left out or "
                        "mended; every other setting was kept, and the original file was kept as %3.")
                        .arg(lines, filePath_, keptAs);
    return filePath_;
}

bool IniSettingsStore::keepCopy(const QByteArray& original, const QString& copyPath) const {
    const int fd =
        ::open(QFile::encodeName(copyPath).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        return false;
    }
    QFile copy;
    const bool written = copy.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle) &&
                         copy.write(original) == original.size() && copy.flush();
    copy.close();
    if (!written) {
        QFile::remove(copyPath);
    }
    return written;
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
    if (!writable_) {
        if (access_ == Access::ReadWrite) {
            reportWriteFailure();
        }
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
    if (settings_->status() != QSettings::NoError) {
        reportWriteFailure();
        return false;
    }
    return true;
}

void IniSettingsStore::reportWriteFailure() {
    if (writeFailureReported_) {
        return;
    }
    writeFailureReported_ = true;
    if (!writeFailureHandler_) {
        return;
    }
    QString reason = recoveryNote_;
    if (writable_) {
        const QString why = whyFolderIsNotWritable(QFileInfo(filePath_).absolutePath());
        reason = QStringLiteral("The settings file %1 cannot be written (%2).")
                     .arg(filePath_, why.isEmpty() ? QStringLiteral("unknown error") : why);
    }
    writeFailureHandler_(reason);
}

bool IniSettingsStore::exclusively(const std::function<void()>& change) {
    if (!writable_) {
        change();  // nothing it decides is written, so nothing can clash
        return true;
    }
    // Not QSettings' own lock file: its writes inside `change` take that one themselves.
    QLockFile lock(filePath_ + QStringLiteral(".exclusive.lock"));
    lock.setStaleLockTime(0);
    const bool locked = lock.tryLock(kExclusiveWaitMs);
    settings_->sync();  // read what another process wrote since
    change();
    return locked;
}
