#include "app/SingleInstance.h"

#include "platform/linux/WriteFailureReason.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

#include <unistd.h>

SingleInstance::SingleInstance(const QString& lockPath)
    : lockPath_(lockPath), lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // only a dead owner makes the lock stale, never its age
}

SingleInstance::Result SingleInstance::acquire() {
    if (lock_->isLocked() || lock_->tryLock(0)) {
        return {Outcome::Acquired, {}};
    }
    // Only a lock held by a live copy means another copy runs; any other failure would otherwise
    // end the program silently, as if it were already running.
    if (lock_->error() == QLockFile::LockFailedError) {
        return {Outcome::HeldByAnotherCopy, {}};
    }
    const QString folder = QFileInfo(lockPath_).absolutePath();
    QString why = whyFolderIsNotWritable(folder);
    if (why.isEmpty()) {
        why = lock_->error() == QLockFile::PermissionError ? QStringLiteral("Permission denied")
                                                           : QStringLiteral("unknown error");
    }
    return {Outcome::Failed, QStringLiteral("Quorvane cannot start: its lock file %1 cannot be created (%2).")
                                 .arg(lockPath_, why)};
}

QString SingleInstance::defaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath() + QStringLiteral("/quorvane-") + QString::number(::getuid());
        QDir().mkpath(folder);
    }
    return folder + QStringLiteral("/Quorvane.lock");
}
