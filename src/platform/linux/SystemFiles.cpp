#include "platform/linux/SystemFiles.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <cerrno>

SystemFiles::SystemFiles(QString root) : root_(std::move(root)) {
    while (root_.size() > 1 && root_.endsWith(QLatin1Char('/'))) {
        root_.chop(1);
    }
    if (root_.isEmpty()) {
        root_ = QStringLiteral("/");
    }
}

QString SystemFiles::path(const QString& systemPath) const {
    if (root_ == QLatin1String("/")) {
        return systemPath;
    }
    return root_ + systemPath;
}

QByteArray SystemFiles::nativePath(const QString& systemPath) const {
    return QFile::encodeName(path(systemPath));
}

bool SystemFiles::read(const QString& systemPath, QByteArray& content, qsizetype maxBytes) const {
    content.resize(0);  // keeps the capacity for the next sample
    const int fd = ::open(nativePath(systemPath).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // /proc and /sys files report no useful size: read in chunks until end of file.
    qsizetype used = 0;
    qsizetype chunk = 4096;
    bool ok = true;
    while (used < maxBytes) {
        content.resize(std::min(used + chunk, maxBytes));
        const ssize_t got = ::read(fd, content.data() + used, static_cast<size_t>(content.size() - used));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        used += got;
        chunk *= 2;
    }
    ::close(fd);
    content.resize(ok ? used : 0);
    return ok;
}

QByteArray SystemFiles::readLine(const QString& systemPath) const {
    QByteArray content;
    if (!read(systemPath, content, 4096)) {
        return {};
    }
    const qsizetype end = content.indexOf('\n');
    if (end >= 0) {
        content.truncate(end);
    }
    return content.trimmed();
}

bool SystemFiles::list(const QString& systemPath, QStringList& names) const {
    names.clear();
    DIR* dir = ::opendir(nativePath(systemPath).constData());
    if (dir == nullptr) {
        return false;
    }
    while (const dirent* entry = ::readdir(dir)) {
        const char* name = entry->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'))) {
            continue;
        }
        names.append(QFile::decodeName(name));
    }
    ::closedir(dir);
    return true;
}

QString SystemFiles::resolveLink(const QString& systemPath) const {
    // Resolve step by step inside the root, so a fixture tree's relative links stay in the fixture.
    QStringList parts = systemPath.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    QStringList resolved;
    int hops = 0;
    while (!parts.isEmpty()) {
        const QString part = parts.takeFirst();
        if (part == QLatin1String(".")) {
            continue;
        }
        if (part == QLatin1String("..")) {
            if (!resolved.isEmpty()) {
                resolved.removeLast();
            }
            continue;
        }
        resolved.append(part);
        const QString current = QLatin1Char('/') + resolved.join(QLatin1Char('/'));
        char target[4096];
        const ssize_t length = ::readlink(nativePath(current).constData(), target, sizeof target - 1);
        if (length < 0) {
            if (errno == EINVAL) {
                continue;  // not a link
            }
            return {};
        }
        if (++hops > 40) {
            return {};
        }
        resolved.removeLast();
        const QString link = QFile::decodeName(QByteArray(target, length));
        if (link.startsWith(QLatin1Char('/'))) {
            resolved.clear();
        }
        parts = link.split(QLatin1Char('/'), Qt::SkipEmptyParts) + parts;
    }
    return QLatin1Char('/') + resolved.join(QLatin1Char('/'));
}
