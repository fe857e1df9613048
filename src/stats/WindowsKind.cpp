#include "stats/WindowsKind.h"

namespace WindowsKind {

qint16 kindOf(const std::optional<OsVersion>& version) {
    if (!version) {
        return 0;
    }
    const int platform = version->platformId;
    const int major = version->major;
    const int minor = version->minor;
    if (platform == 1 && major == 4) {
        switch (minor) {
            case 0:
                return 3;
            case 10:
                return 4;
            case 90:
                return 5;
            default:
                return 0;
        }
    }
    if (platform == 2 && major == 3 && minor == 51) {
        return 1;
    }
    if (platform == 2 && major == 4 && minor == 0) {
        return 2;
    }
    return 0;
}

bool isNT(const std::optional<OsVersion>& version) {
    return version && version->platformId == 2;
}

bool isVistaOrLater(const std::optional<OsVersion>& version) {
    return isNT(version) && version->major > 5;
}

bool buildAtLeast2200(const std::optional<OsVersion>& version) {
    return version && (version->build & 0xFFFF) >= 2200;
}

}  // namespace WindowsKind
