#include "platform/linux/StatDeviceNumberLookup.h"

#include <sys/stat.h>

std::optional<dev_t> StatDeviceNumberLookup::blockDevice(const QString& systemPath) {
    struct stat info {};
    if (::stat(files_.nativePath(systemPath).constData(), &info) != 0 || !S_ISBLK(info.st_mode)) {
        return std::nullopt;
    }
    return info.st_rdev;
}
