#pragma once

#include <QtGlobal>

// Facts about the operating system, fixed once at start-up. Linux counts as the NT-like family:
// processes and threads are countable, translucent windows are available, and the resource items of
// the old consumer family do not exist.
struct PlatformFacts {
    bool isNT = true;
    qint16 windowsKind = 0;
    qint16 statsFamily = 2000;
    bool wow64OrVista = true;
    bool buildAtLeast2200 = true;

    static PlatformFacts linux() { return {}; }
    static qint16 statsFamilyFor(qint16 windowsKind) {
        return (windowsKind == 3 || windowsKind == 4 || windowsKind == 5) ? 95 : 2000;
    }
};
