#include "app/SingleInstance.h"

#include <QDir>
#include <QStandardPaths>

#include <unistd.h>

SingleInstance::SingleInstance(const QString& lockPath) : lock_(std::make_unique<QLockFile>(lockPath)) {
    lock_->setStaleLockTime(0);  // only a dead owner makes the lock stale, never its age
}

bool SingleInstance::acquire() {
    return lock_->isLocked() || lock_->tryLock(0);
}

QString SingleInstance::defaultLockPath() {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (folder.isEmpty()) {
        folder = QDir::tempPath() + QStringLiteral("/quorvane-") + QString::number(::getuid());
        QDir().mkpath(folder);
    }
    return folder + QStringLiteral("/Quorvane.lock");
}
