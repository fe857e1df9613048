#pragma once

#include "platform/FileSystemSpace.h"

// statvfs(3) on the mount point itself (mount points are real paths even when /proc is a fixture).
class LinuxFileSystemSpace : public FileSystemSpace {
public:
    std::optional<FileSystemFigures> query(const QString& mountPoint) override;
};
