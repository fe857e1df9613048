#include "platform/linux/MountTableWatcher.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <QSocketNotifier>
#include <QtDebug>
#include <algorithm>
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
    settle_.setSingleShot(true);
    connect(&settle_, &QTimer::timeout, this, &MountTableWatcher::onSettled);
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
    // The poll that woke us already took the new change count; the table is read once the burst
    // settles. Each notice restarts the quiet time, up to the longest wait.
    if (!settle_.isActive()) {
        burst_.start();
    }
    const qint64 waited = burst_.elapsed();
    if (waited < kLongestWaitMs) {
        settle_.start(int(std::min<qint64>(kSettleMs, kLongestWaitMs - waited)));
    }
}

void MountTableWatcher::onSettled() {
    const QByteArray before = table_;
    if (!readTable()) {
        qWarning().noquote() << error_;
    } else if (table_ == before) {
        return;  // mounted and gone again within the burst: nothing changed
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
