#pragma once

#include "platform/SystemRecords.h"

#include <QtGlobal>
#include <optional>

// The version checks of the statistics, from the operating system's version record.
namespace WindowsKind {

// 0 other, 1 NT 3.51, 2 NT 4.0, 3 Windows 95, 4 Windows 98, 5 Windows ME; 0 when unknown.
qint16 kindOf(const std::optional<OsVersion>& version);
bool isNT(const std::optional<OsVersion>& version);              // platform 2
bool isVistaOrLater(const std::optional<OsVersion>& version);    // platform 2, major above 5
bool buildAtLeast2200(const std::optional<OsVersion>& version);  // low 16 bits of the build

}  // namespace WindowsKind
