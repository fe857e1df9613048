#pragma once

#include "platform/DeviceNumberLookup.h"
#include "platform/MountTableSource.h"
#include "platform/linux/SystemFiles.h"

#include <memory>

// The fixed filesystems from /proc/self/mountinfo. A mount qualifies when its source is a device
// node under /dev whose block device (the node's own device number, so btrfs's anonymous 0:N does
// not matter) is not a loop, RAM, zram or network block device, is not removable, and does not hang
// off a USB, MMC/SD or FireWire bus. A mount point mounted over keeps only its latest mount.
class LinuxMountTable : public MountTableSource {
public:
    LinuxMountTable(SystemFiles files, std::shared_ptr<DeviceNumberLookup> devices);
    ~LinuxMountTable() override;

    std::optional<QList<FixedMount>> fixedMounts() override;
    // Polls the mount table for a change (the kernel flags it on the open file).
    bool changed() override;

    // One parsed line of mountinfo.
    struct Entry {
        unsigned major = 0;
        unsigned minor = 0;
        QString root;
        QString mountPoint;
        QString fsType;
        QString source;
    };
    // Lines that do not have the mountinfo layout are skipped.
    static QList<Entry> parse(const QByteArray& mountinfo);
    // Undoes the kernel's octal escapes ("\040" for a blank, "\011", "\012", "\134").
    static QString decodeEscapes(const QByteArray& field);

private:
    bool isFixedBlockDevice(unsigned major, unsigned minor) const;

    SystemFiles files_;
    std::shared_ptr<DeviceNumberLookup> devices_;
    int watchFd_ = -1;
};
