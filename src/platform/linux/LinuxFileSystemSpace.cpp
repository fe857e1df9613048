#include "platform/linux/LinuxFileSystemSpace.h"

#include <QFile>

#include <sys/statvfs.h>
#include <cerrno>

std::optional<FileSystemFigures> LinuxFileSystemSpace::query(const QString& mountPoint) {
    struct statvfs figures {};
    int result;
    do {
        result = ::statvfs(QFile::encodeName(mountPoint).constData(), &figures);
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        return std::nullopt;
    }
    FileSystemFigures out;
    out.blocks = figures.f_blocks;
    out.freeBlocks = figures.f_bfree;
    out.availBlocks = figures.f_bavail;
    out.fragmentSize = figures.f_frsize != 0 ? figures.f_frsize : figures.f_bsize;
    return out;
}
