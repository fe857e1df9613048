#include "settings/ProgramVersion.h"

#include "settings/ProgramInfo.h"

namespace ProgramVersion {

int majorNumber() {
    return ProgramInfo::kVersionMajor;
}

int minorNumber() {
    return ProgramInfo::kVersionMinor;
}

QString text() {
    return QStringLiteral("%1.%2").arg(majorNumber()).arg(minorNumber());
}

QString label(int majorNumber, int minorNumber) {
    return QStringLiteral("Version %1.%2").arg(majorNumber).arg(minorNumber);
}

QString label() {
    return label(majorNumber(), minorNumber());
}

}  // namespace ProgramVersion
