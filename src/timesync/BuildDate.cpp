#include "timesync/BuildDate.h"

#include <QDateTime>
#include <QTimeZone>

#ifndef QUORVANE_BUILD_EPOCH
#error "QUORVANE_BUILD_EPOCH is set by the build (SOURCE_DATE_EPOCH or the time it was configured)"
#endif

QDate programBuildDate() {
    return QDateTime::fromSecsSinceEpoch(QUORVANE_BUILD_EPOCH, QTimeZone::utc()).date();
}
