#include "platform/linux/LinuxOsVersion.h"

#include <QSysInfo>

std::optional<OsVersion> LinuxOsVersion::version() {
    OsVersion version;
    version.platformId = 2;
    version.major = 10;
    version.minor = 0;
    version.build = 0xFFFF;
    version.distribution = QSysInfo::prettyProductName();  // PRETTY_NAME of os-release
    version.kernelRelease = QSysInfo::kernelVersion();
    return version;
}
