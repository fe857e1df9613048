#include "app/SingleInstance.h"

#include "platform/linux/WriteFailureReason.h"

#include <QCryptographicHash>
#include <QFileInfo>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {
constexpr int kTempFolderTries = 10;

// The same file under every name it can be given: the folder's real path and the file's name.
QString canonicalPath(const QString& file) {
    const QFileInfo info(file);
    const QString folder = QFileInfo(info.absolutePath()).canonicalFilePath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + QLatin1Char('/') + info.fileName();
}
}  // namespace

SingleInstance::SingleInstance(const QString& settingsFile, const QString& sharedTemp)
    : settingsFile_(settingsFile), sharedTemp_(sharedTemp) {}

SingleInstance::Outcome SingleInstance::tryLock(const QString& path) {
    lockPath_ = path;
    lock_ = std::make_unique<QLockFile>(path);
    lock_->setStaleLockTime(0);  // only a dead owner makes the lock stale, never its age
    if (lock_->tryLock(0)) {
        return Outcome::Acquired;
    }
    // Only a lock held by a live copy means another copy runs; any other failure would otherwise
    // end the program silently, as if it were already running.
    return lock_->error() == QLockFile::LockFailedError ? Outcome::HeldByAnotherCopy : Outcome::Failed;
}

SingleInstance::Result SingleInstance::acquire() {
    if (lock_ && lock_->isLocked()) {
        return {Outcome::Acquired, {}};
    }
    const QString folder = QFileInfo(settingsFile_).absolutePath();
    QDir().mkpath(folder);
    // Not "<file>.lock": that is the lock QSettings takes for a moment to write the file.
    Outcome outcome = tryLock(settingsFile_ + QStringLiteral(".instance.lock"));
    if (outcome != Outcome::Failed) {
        return {outcome, {}};
    }
    const QString besideWhy = whyFolderIsNotWritable(folder);
    QString why;
    const QString tempFolder = ownTempFolder(sharedTemp_, why);
    if (!tempFolder.isEmpty()) {
        const QByteArray key =
            QCryptographicHash::hash(canonicalPath(settingsFile_).toUtf8(), QCryptographicHash::Sha256)
                .toHex()
                .left(16);
        outcome = tryLock(tempFolder + QStringLiteral("/Quorvane-") + QString::fromLatin1(key) +
                          QStringLiteral(".lock"));
        if (outcome != Outcome::Failed) {
            return {outcome, {}};
        }
        why = whyFolderIsNotWritable(tempFolder);
    }
    const auto orUnknown = [](const QString& text) {
        return text.isEmpty() ? QStringLiteral("unknown error") : text;
    };
    return {Outcome::Failed,
            QStringLiteral(
                "Quorvane cannot start: its lock file can be made neither in %1 (%2) nor in a folder of "
                "your own in %3 (%4).")
                .arg(folder, orUnknown(besideWhy), sharedTemp_, orUnknown(why))};
}

QString SingleInstance::ownTempFolder(const QString& sharedTemp, QString& why) {
    const uid_t user = ::geteuid();
    why = QStringLiteral("every folder named quorvane-%1 there belongs to another user").arg(user);
    for (int attempt = 0; attempt < kTempFolderTries; ++attempt) {
        QString path = sharedTemp + QStringLiteral("/quorvane-") + QString::number(user);
        if (attempt > 0) {
            path += QLatin1Char('-') + QString::number(attempt);
        }
        const QByteArray name = QFile::encodeName(path);
        if (::mkdir(name.constData(), S_IRWXU) == 0) {
            return path;
        }
        if (errno != EEXIST) {
            why = QString::fromLocal8Bit(std::strerror(errno));
            return {};
        }
        struct stat folder {};
        if (::lstat(name.constData(), &folder) == 0 && S_ISDIR(folder.st_mode) && folder.st_uid == user &&
            (folder.st_mode & (S_IWGRP | S_IWOTH)) == 0) {
            return path;
        }
    }
    return {};
}
