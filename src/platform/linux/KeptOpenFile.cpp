#include "platform/linux/KeptOpenFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <cerrno>

namespace {
constexpr qsizetype kSurelyWhole = 2048;
}  // namespace

KeptOpenFile::KeptOpenFile(const SystemFiles& files, const QString& systemPath)
    : path_(files.nativePath(systemPath)) {}

KeptOpenFile::~KeptOpenFile() {
    close();
}

void KeptOpenFile::close() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
}

bool KeptOpenFile::read(QByteArray& content, qsizetype maxBytes) {
    if (fd_ >= 0) {
        // An open file that lost its last name was removed or replaced: what it holds is stale.
        struct stat status {};
        if (::fstat(fd_, &status) == 0 && status.st_nlink > 0 && readFromStart(content, maxBytes)) {
            return true;
        }
        close();
    }
    fd_ = ::open(path_.constData(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        content.resize(0);
        return false;
    }
    if (readFromStart(content, maxBytes)) {
        return true;
    }
    close();
    return false;
}

bool KeptOpenFile::readFromStart(QByteArray& content, qsizetype maxBytes) const {
    // /proc and /sys files report no useful size: read in chunks until end of file. The buffer
    // keeps its capacity, so a sample of a file of steady size allocates nothing.
    qsizetype used = 0;
    while (used < maxBytes) {
        if (content.size() - used < 4096) {
            content.resize(std::min(std::max(used + 4096, used * 2), maxBytes));
        }
        const qsizetype room = std::min(content.size(), maxBytes) - used;
        const ssize_t got =
            ::pread(fd_, content.data() + used, static_cast<size_t>(room), static_cast<off_t>(used));
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            content.resize(0);
            return false;
        }
        if (got == 0) {
            break;
        }
        const bool shortRead = got < room;
        used += got;
        // The kernel fills a page-sized buffer with whole lines until the next does not fit, so a
        // short read well below a page is the end: asking again would make it walk its devices once
        // more only to say so.
        if (shortRead && used < kSurelyWhole) {
            break;
        }
    }
    content.resize(used);
    return true;
}
