#pragma once

#include "platform/DiskActivitySource.h"
#include "platform/linux/SharedSystemFile.h"

// Busy time of the whole disks from the io_ticks field of /proc/diskstats.
class LinuxDiskActivity : public DiskActivitySource {
public:
    explicit LinuxDiskActivity(const SystemFiles& files)
        : diskstats_(files, QStringLiteral("/proc/diskstats"), kDiskstatsBytes) {}
    std::optional<QList<DiskTicks>> diskTicks(SampleReader& reader) override;

    static constexpr qsizetype kDiskstatsBytes = 1 << 20;

    // The whole disks of a /proc/diskstats text: a partition ("sda1", "nvme0n1p2") is left out
    // when its disk is listed, and so are loop, RAM and floppy devices; malformed lines are skipped.
    static QList<DiskTicks> parse(const QByteArray& diskstats);
    // The disk a partition's name belongs to ("sda" for "sda1", "nvme0n1" for "nvme0n1p2"); empty
    // for a name that cannot be a partition.
    static QString diskOfPartition(const QString& name);

private:
    SharedSystemFile diskstats_;  // one reading for the meters of one wake-up
};
