#include "platform/MountTableWatcher.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <QSocketNotifier>
#include <QtDebug>
#include <cerrno>
#include <cstring>

MountTableWatcher::MountTableWatcher(const QString& path, QObject* parent) : QObject(parent), path_(path) {
    fd_ = ::open(QFile::encodeName(path_).constData(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        error_ = QStringLiteral("Cannot watch the mount table %1: %2")
                     .arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        qWarning().noquote() << error_;
        return;
    }
    // Reading the table once takes the kernel's current change count as the starting point.
    readTable();
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Exception, this);
    connect(notifier_, &QSocketNotifier::activated, this, &MountTableWatcher::onNotice);
}

MountTableWatcher::~MountTableWatcher() {
    delete notifier_;
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

std::shared_ptr<MountTableWatcher> MountTableWatcher::shared() {
    static std::weak_ptr<MountTableWatcher> current;
    std::shared_ptr<MountTableWatcher> watcher = current.lock();
    if (!watcher) {
        watcher = std::make_shared<MountTableWatcher>();
        current = watcher;
    }
    return watcher;
}

void MountTableWatcher::onNotice() {
    // The poll that woke us already took the new change count; reading again from the start keeps the
    // copy of the table current.
    if (!readTable()) {
        qWarning().noquote() << error_;
    }
    Q_EMIT changed();
}

bool MountTableWatcher::readTable() {
    if (::lseek(fd_, 0, SEEK_SET) < 0) {
        error_ = QStringLiteral("Cannot read the mount table %1: %2")
                     .arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    QByteArray table;
    char buffer[8192];
    for (;;) {
        const ssize_t count = ::read(fd_, buffer, sizeof buffer);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = QStringLiteral("Cannot read the mount table %1: %2")
                         .arg(path_, QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
        table.append(buffer, count);
    }
    table_ = table;
    return true;
}
