#pragma once

#include "platform/SystemRecords.h"

#include <QString>
#include <optional>

// The raw figures of statvfs(3) for one mounted filesystem.
struct FileSystemFigures {
    quint64 blocks = 0;        // f_blocks
    quint64 freeBlocks = 0;    // f_bfree
    quint64 availBlocks = 0;   // f_bavail
    quint64 fragmentSize = 0;  // f_frsize
};

class FileSystemSpace {
public:
    virtual ~FileSystemSpace() = default;
    // Nothing when the path cannot be queried.
    virtual std::optional<FileSystemFigures> query(const QString& mountPoint) = 0;

    // What the user can reach: total = used + available to unprivileged users, free = available.
    static std::optional<DiskSpace> diskSpace(const FileSystemFigures& figures);
};
