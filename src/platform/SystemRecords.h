#pragma once

#include <QString>
#include <QtGlobal>

// Records the system sources fill. Byte counts are 64-bit throughout: a 32-bit field overflows on
// any machine with more than 4 GB.

// Memory figures in bytes. "Virtual" memory is RAM plus swap: the address space of a 64-bit process
// is too large to say anything about the machine.
struct MemoryStatus {
    quint32 length = 64;
    quint32 memoryLoad = 0;  // percent of physical memory in use
    quint64 totalPhys = 0;
    quint64 availPhys = 0;
    quint64 totalPageFile = 0;  // swap
    quint64 availPageFile = 0;
    quint64 totalVirtual = 0;  // RAM + swap
    quint64 availVirtual = 0;  // available RAM + free swap
};

// Power state in the classic power-status layout, so one battery rule serves every consumer.
struct PowerStatus {
    quint8 acLineStatus = 255;        // 0 off-line, 1 on-line, 255 unknown
    quint8 batteryFlag = 128;         // 1 high, 2 low, 4 critical, 8 charging, 128 no battery, 255 unknown
    quint8 batteryLifePercent = 255;  // 0..100, 255 unknown
    quint8 reserved = 0;
    qint32 batteryLifeTime = -1;      // seconds left, -1 unknown (always unknown on line power)
    qint32 batteryFullLifeTime = -1;  // seconds a full charge lasts, -1 unknown

    bool operator==(const PowerStatus&) const = default;
};

// Space of one filesystem, in bytes, as the user sees it: reserved blocks count neither as total
// nor as free, so the usage figure agrees with df.
struct DiskSpace {
    quint64 freeToCaller = 0;
    quint64 total = 0;
    quint64 totalFree = 0;
};

// The operating-system version in the classic version-record terms.
struct OsVersion {
    int platformId = 0;  // 1: the old consumer family, 2: the NT-like family
    int major = 0;
    int minor = 0;
    int build = 0;
    QString distribution;   // what the distribution calls itself: "Debian GNU/Linux 12 (bookworm)"
    QString kernelRelease;  // "6.1.0-18-amd64"
};

// One mounted local, non-removable block-device filesystem.
struct FixedMount {
    QString mountPoint;  // decoded: "/home", "/mnt/data disk"
    QString device;      // the mount source, e.g. "/dev/nvme0n1p3"
    QString fsType;

    bool operator==(const FixedMount&) const = default;
};

// Process and thread counts of the whole system.
struct ProcessCounts {
    qint64 processes = 0;
    qint64 threads = 0;
};
