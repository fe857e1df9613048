#pragma once

#include <QString>
#include <QtGlobal>

// Raw counters the activity items are computed from. They only grow while their device lives; a
// counter that drops (a device replaced, a core taken offline and back, a 32-bit wrap) is a new
// start, never a negative amount.

// One processor of /proc/stat's "cpuN" lines, in clock ticks.
struct CoreTicks {
    int cpu = 0;        // N of "cpuN"
    quint64 busy = 0;   // everything but idle and iowait
    quint64 total = 0;  // busy + idle + iowait
};

// One whole disk: the milliseconds it spent with requests in flight (io_ticks).
struct DiskTicks {
    QString name;  // "sda", "nvme0n1"
    quint64 busyMilliseconds = 0;
};

// The byte counters of one network interface.
struct InterfaceBytes {
    QString name;  // "eth0"
    quint64 received = 0;
    quint64 sent = 0;
};

// One temperature sensor as lm-sensors names it.
struct TemperatureReading {
    QString chip;   // the hwmon "name": "coretemp", "k10temp"
    QString label;  // "Package id 0", "Tctl"; "temp1" where the driver gives no label
    qint32 milliCelsius = 0;
};
