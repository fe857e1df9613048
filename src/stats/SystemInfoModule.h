#pragma once

#include "platform/PlatformFacts.h"
#include "platform/SettingsStore.h"
#include "platform/SystemRecords.h"
#include "platform/SystemSources.h"
#include "stats/BatteryState.h"
#include "stats/CMemState.h"
#include "stats/CpuMeter.h"
#include "stats/DriveLetterMap.h"
#include "stats/StatisticItem.h"

#include <QChar>
#include <QHash>
#include <QList>
#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

// One extra fixed drive: a mounted local, non-removable filesystem other than "/".
struct FixedDrive {
    QChar letter;        // 'D'..'Z', stable across runs for the mount point
    QString mountPoint;  // "/home": the drive's root, what a letter alone cannot tell a user
    QString device;      // "/dev/nvme0n1p3"

    QString name() const { return QString(letter) + QLatin1Char(':'); }  // "D:"
    friend bool operator==(const FixedDrive&, const FixedDrive&) = default;
};

// Reads every statistic the program watches and the facts about the machine. It keeps no timers:
// each window, the threshold monitor and the options dialog sample it on their own ticks and all
// turn readings into percentages through the same calls here, so they always agree.
//
// The program keeps one instance (the process-wide module) and hands it to every consumer; tests
// build their own over fake sources or fixture trees.
//
// Sampling, on every tick:
//
//   module.RefreshSystemStatus();                       // memory + power records, once per tick
//   for (int item = 0; item < kFixedItemCount; ++item)   // 0 CPU .. 7 C: drive (StatisticItem)
//       if (auto v = module.itemValue(item, cpuMeter.get())) bar[item] = *v;  // else keep old value
//   for (const FixedDrive& drive : module.fixedDrives())
//       if (auto v = module.driveValue(drive.letter)) ...
//
// A value is a whole percentage (qint16, 0..100). std::nullopt means the reading failed or the item
// does not exist here (the old-family resource items 3..5 always, the battery without a battery):
// the consumer keeps showing its previous value. Item meanings:
//   0 CPU      percent busy from the caller's own CpuMeter (negative answers read as 0)
//   1 PhysMem  percent of RAM in use              (memoryStatus().memoryLoad)
//   2 VirtMem  percent of RAM + swap in use       (totalVirtual/availVirtual, halves to even)
//   3..5       free system/GDI/User resources     (unavailable on Linux)
//   6 Battery  charge percent, only while batteryState().present
//   7 CDrive   percent of "/" in use              (what df's Use% reports, halves to even)
//   extra drives: percent in use of the drive's mount point, by letter D..Z
//
// Labels: StatisticLabels.h has the row captions and pop-up labels; the battery's depend on
// batteryState().condition. Balloons: powerStatus().batteryLifeTime/batteryFullLifeTime (seconds,
// -1 unknown), diskSpace(driveRoot(letter)) for a drive's bytes, createMemState() for memory totals,
// GetProcessorDescription() plus CountProcesses()/processCount()/threadCount() for the CPU.
// Everything here runs on the user-interface thread.
//
// Drives are enumerated from the mount table and cached: EnumFixedDrives() re-reads it only after
// invalidateFixedDrives() (connect SysInfo::drivesChanged to it) or when the kernel flags a change
// of the mount table, never on every sample. "/" is drive C: and never an extra drive.
class SystemInfoModule {
public:
    // The Linux sources below the real root; drive letters kept in the given store (none: letters
    // handed out afresh each run).
    explicit SystemInfoModule(SettingsStore* driveLetterStore = nullptr);
    SystemInfoModule(SystemSources sources, SettingsStore* driveLetterStore);

    const SystemSources& sources() const { return sources_; }

    // Readings younger than `windowMs` on `clockMs` (monotonic milliseconds) are used again rather
    // than read afresh: the memory and power records and the filesystem figures. Consumers that
    // tick in the same wake-up then share one sample. 0, the default, reads every time.
    void setSampleReuse(int windowMs, std::function<qint64()> clockMs);

    // --- Sampling ------------------------------------------------------------------------------

    // Reads the memory and power records. A record that cannot be read keeps its previous content
    // and its items fail until a later read succeeds.
    void RefreshSystemStatus();
    const MemoryStatus& memoryStatus() const { return memoryStatus_; }
    const PowerStatus& powerStatus() const { return powerStatus_; }
    bool memoryStatusValid() const { return memoryValid_; }
    bool powerStatusValid() const { return powerValid_; }
    // The battery rule applied to powerStatus(): presence, charge and the charging condition.
    BatteryState batteryState() const { return BatteryState::of(powerStatus_); }

    // The value of item 0..7 (see above). The CPU item needs the caller's meter; nullptr fails it.
    std::optional<qint16> itemValue(int item, CpuMeter* cpuMeter);
    // The usage of drive 'C' ("/") or of the extra drive with letter D..Z (case does not matter).
    std::optional<qint16> driveValue(QChar letter);

    std::optional<qint16> cpuValue(CpuMeter& meter) const;
    std::optional<qint16> physicalMemoryValue() const;
    std::optional<qint16> virtualMemoryValue() const;
    // The free share of resource heap 0 (system), 1 (GDI) or 2 (User); unavailable on Linux.
    std::optional<qint16> freeResourcesValue(int selector) const;
    std::optional<qint16> batteryValue() const;
    // (total - free to the caller) / total x 100 of the filesystem mounted at the path.
    std::optional<qint16> driveUsage(const QString& mountPoint) const;
    // Bytes of the filesystem at the path (for the drive balloons: used = total - freeToCaller).
    std::optional<DiskSpace> diskSpace(const QString& mountPoint) const;

    // --- Fixed drives --------------------------------------------------------------------------

    // Makes fixedDrives() current: reads the mount table when it was never read, was invalidated,
    // or changed. A mount table that cannot be read leaves the previous list.
    void EnumFixedDrives();
    // The mount table changed: the next EnumFixedDrives() reads it again.
    void invalidateFixedDrives() { drivesStale_ = true; }
    // The extra fixed drives in letter order (D first). Call EnumFixedDrives() first.
    const QList<FixedDrive>& fixedDrives() const { return fixedDrives_; }
    qint16 fixedDriveCount() const { return static_cast<qint16>(fixedDrives_.size()); }
    QList<QChar> fixedDriveLetters() const;
    std::optional<FixedDrive> fixedDrive(QChar letter) const;
    // The mount point a drive letter stands for: "/" for C:, an extra drive's mount point, or empty.
    QString driveRoot(QChar letter) const;

    // --- Facts about the machine ---------------------------------------------------------------

    // Counts processes and threads; both 0 when they cannot be counted, saturating at 32767.
    void CountProcesses();
    qint16 processCount() const { return processCount_; }
    qint16 threadCount() const { return threadCount_; }

    // "Intel Core2 CPU 6600 @ 2.40GHz", "AMD Ryzen 7 (3.00 GHz)", ..., "Unknown processor type".
    QString GetProcessorDescription();

    // One system value: a QString, a 32-bit number (quint32), an empty (invalid) QVariant when the
    // value has another type or its data cannot be read, or the text "Error!" when the key or value
    // cannot be opened. registryAccessDenied() tells whether the last failure was access denied.
    QVariant ReadRegistryValue(SystemValueRoot root, const QString& subKey, const QString& valueName);
    bool registryAccessDenied() const { return registryAccessDenied_; }
    static QString processorKey();  // "hardware\description\system\centralprocessor\0"

    // Version checks; on Linux: NT-like, kind 0, Vista-or-later, no emulation layer.
    bool IsNTPlatform();  // also sets buildAtLeast2200()
    bool buildAtLeast2200() const { return buildAtLeast2200_; }
    bool IsVistaOrLater();
    bool IsWow64();
    qint16 GetWindowsKind();
    // The facts the controller fixes at start-up, from the checks above.
    PlatformFacts platformFacts();

    // --- Objects for consumers -----------------------------------------------------------------

    // A new CPU meter for one owner: the NT-like meter when isNT, the old-family meter otherwise
    // (which has no counter on Linux and always answers 0). The caller calls Initialize().
    std::unique_ptr<CpuMeter> createCpuMeter(bool isNT) const;
    // The program's own meter, running since start-up: it answers for a window's new meter that has
    // nothing to measure yet, so no window shows a made-up first reading. Null for none.
    void setRunningCpuMeter(CpuMeter* meter) { runningCpuMeter_ = meter; }
    std::unique_ptr<CMemState> createMemState() const;

private:
    bool fresh(qint64 readAtMs) const;

    SystemSources sources_;
    int reuseWindowMs_ = 0;
    std::function<qint64()> clockMs_;
    std::optional<qint64> statusReadAtMs_;
    struct SpaceReading {
        qint64 readAtMs = 0;
        std::optional<DiskSpace> space;
    };
    mutable QHash<QString, SpaceReading> spaceReadings_;
    DriveLetterMap letters_;

    MemoryStatus memoryStatus_;
    PowerStatus powerStatus_;
    bool memoryValid_ = false;
    bool powerValid_ = false;

    CpuMeter* runningCpuMeter_ = nullptr;
    QList<FixedDrive> fixedDrives_;
    bool drivesStale_ = true;
    bool enumerated_ = false;

    qint16 processCount_ = 0;
    qint16 threadCount_ = 0;
    bool registryAccessDenied_ = false;
    bool buildAtLeast2200_ = false;
};
