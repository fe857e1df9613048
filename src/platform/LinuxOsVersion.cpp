#include "platform/LinuxOsVersion.h"

std::optional<OsVersion> LinuxOsVersion::version() {
    OsVersion version;
    version.platformId = 2;
    version.major = 10;
    version.minor = 0;
    version.build = 0xFFFF;
    return version;
}
