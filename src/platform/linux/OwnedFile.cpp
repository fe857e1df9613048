#include "platform/linux/OwnedFile.h"

#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdlib>
#include <cstring>

namespace OwnedFile {

namespace {
QString systemReason(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

QString cannotRead(int error) {
    return QStringLiteral("cannot be read (%1)").arg(systemReason(error));
}

QString tooLarge(qint64 limit) {
    constexpr qint64 kMegabyte = qint64(1024) * 1024;
    return limit % kMegabyte == 0 ? QStringLiteral("is larger than %1 MB").arg(limit / kMegabyte)
                                  : QStringLiteral("is larger than %1 bytes").arg(limit);
}

Contents refused(Contents result, const QString& why) {
    result.state = Contents::State::Refused;
    result.whyRefused = why;
    result.whyNotWritable = why;
    return result;
}

bool writeAll(int fd, const QByteArray& bytes) {
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// Reads up to one byte past `limit`, so that a file grown since its size was taken shows itself.
bool readUpTo(int fd, qint64 limit, QByteArray& bytes) {
    char buffer[65536];
    while (bytes.size() <= limit) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got < 0) {
            return false;
        }
        if (got == 0) {
            return true;
        }
        bytes.append(buffer, qsizetype(std::min<qint64>(got, limit + 1 - bytes.size())));
    }
    return true;
}
}  // namespace

Contents read(const QString& path, qint64 limit) {
    Contents result;
    result.target = path;
    QByteArray name = QFile::encodeName(path);
    struct stat entry {};
    if (::lstat(name.constData(), &entry) != 0) {
        // Nothing there, or a file where a folder should be: a write will say why it fails.
        return errno == ENOENT || errno == ENOTDIR ? result : refused(result, cannotRead(errno));
    }
    const uid_t user = ::geteuid();
    if (S_ISLNK(entry.st_mode)) {
        char* resolved = ::realpath(name.constData(), nullptr);
        if (resolved == nullptr) {
            return refused(result,
                           QStringLiteral("is a link that leads nowhere (%1)").arg(systemReason(errno)));
        }
        name = resolved;
        std::free(resolved);
        result.target = QFile::decodeName(name);
        if (entry.st_uid != user) {
            result.whyNotWritable = QStringLiteral("is a link that belongs to another user");
        }
    }
    struct stat file {};
    if (::stat(name.constData(), &file) != 0) {
        return refused(result, cannotRead(errno));
    }
    // Opening a pipe or a device could wait for ever or never end.
    if (!S_ISREG(file.st_mode)) {
        return refused(result, QStringLiteral("is not a regular file"));
    }
    if (file.st_size > limit) {
        return refused(result, tooLarge(limit));
    }
    const int fd = ::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        return refused(result, cannotRead(errno));
    }
    // What was opened may have been swapped in after the look above.
    if (::fstat(fd, &file) != 0 || !S_ISREG(file.st_mode)) {
        ::close(fd);
        return refused(result, QStringLiteral("is not a regular file"));
    }
    const bool complete = readUpTo(fd, limit, result.bytes);
    const int readError = errno;
    ::close(fd);
    if (!complete) {
        result.bytes.clear();
        return refused(result, cannotRead(readError));
    }
    if (result.bytes.size() > limit) {
        result.bytes.clear();
        return refused(result, tooLarge(limit));
    }
    result.state = Contents::State::Read;
    if (!result.whyNotWritable.isEmpty()) {
        return result;
    }
    if (file.st_uid != user) {
        result.whyNotWritable = QStringLiteral("belongs to another user");
    } else if ((file.st_mode & S_IWUSR) == 0) {
        result.whyNotWritable = QStringLiteral("is read-only");
    }
    return result;
}

QString replace(const QString& path, const QByteArray& bytes) {
    const QFileInfo info(path);
    QByteArray temporary = QFile::encodeName(info.absolutePath() + QStringLiteral("/.") + info.fileName() +
                                             QStringLiteral(".XXXXXX"));
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) {
        return systemReason(errno);
    }
    // The new file replaces the name, never what a link there points to.
    const bool written = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    const int writeError = errno;
    if (::close(fd) != 0 || !written) {
        const int error = written ? errno : writeError;
        ::unlink(temporary.constData());
        return systemReason(error);
    }
    if (::rename(temporary.constData(), QFile::encodeName(path).constData()) != 0) {
        const int error = errno;
        ::unlink(temporary.constData());
        return systemReason(error);
    }
    return {};
}

bool create(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    const int fd =
        ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
    if (fd < 0) {
        return false;
    }
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    if (::close(fd) != 0 || !written) {
        ::unlink(name.constData());
        return false;
    }
    return true;
}

bool isOwnRegularFile(const QString& path) {
    struct stat entry {};
    return ::lstat(QFile::encodeName(path).constData(), &entry) == 0 && S_ISREG(entry.st_mode) &&
           entry.st_uid == ::geteuid();
}

}  // namespace OwnedFile
