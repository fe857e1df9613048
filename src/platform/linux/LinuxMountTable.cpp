#include "platform/linux/LinuxMountTable.h"

#include <QFile>
#include <QHash>
#include <QSet>

#include <algorithm>

#include <fcntl.h>
#include <poll.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

const QString kMountInfo = QStringLiteral("/proc/self/mountinfo");

bool startsWithDigitAfter(const QString& text, QLatin1String prefix) {
    return text.size() > prefix.size() && text.startsWith(prefix) && text.at(prefix.size()).isDigit();
}

// A path component of a sysfs device path that shows the device hangs off a hot-pluggable bus.
bool isHotPlugBusComponent(const QString& component) {
    return startsWithDigitAfter(component, QLatin1String("usb")) ||
           startsWithDigitAfter(component, QLatin1String("fw")) ||
           component.contains(QLatin1String("firewire"));
}

bool isMmcBusComponent(const QString& component) {
    return component == QLatin1String("mmc_host") || startsWithDigitAfter(component, QLatin1String("mmc"));
}

bool isVirtualDiskName(const QString& name) {
    return name.startsWith(QLatin1String("loop")) || name.startsWith(QLatin1String("ram")) ||
           name.startsWith(QLatin1String("zram")) || name.startsWith(QLatin1String("nbd"));
}

bool parseDeviceNumber(const QByteArray& field, unsigned& major, unsigned& minor) {
    const qsizetype colon = field.indexOf(':');
    if (colon <= 0) {
        return false;
    }
    bool majorOk = false;
    bool minorOk = false;
    major = field.left(colon).toUInt(&majorOk);
    minor = field.mid(colon + 1).toUInt(&minorOk);
    return majorOk && minorOk;
}

}  // namespace

LinuxMountTable::LinuxMountTable(SystemFiles files, std::shared_ptr<DeviceNumberLookup> devices)
    : files_(std::move(files)), devices_(std::move(devices)) {
    watchFd_ = ::open(files_.nativePath(kMountInfo).constData(), O_RDONLY | O_CLOEXEC);
}

LinuxMountTable::~LinuxMountTable() {
    if (watchFd_ >= 0) {
        ::close(watchFd_);
    }
}

bool LinuxMountTable::changed() {
    if (watchFd_ < 0) {
        return false;
    }
    pollfd watch{watchFd_, POLLPRI, 0};
    return ::poll(&watch, 1, 0) > 0 && (watch.revents & (POLLPRI | POLLERR)) != 0;
}

QString LinuxMountTable::decodeEscapes(const QByteArray& field) {
    QByteArray decoded;
    decoded.reserve(field.size());
    for (qsizetype at = 0; at < field.size(); ++at) {
        const char c = field[at];
        if (c == '\\' && at + 3 < field.size()) {
            const char a = field[at + 1];
            const char b = field[at + 2];
            const char d = field[at + 3];
            if (a >= '0' && a <= '3' && b >= '0' && b <= '7' && d >= '0' && d <= '7') {
                decoded.append(static_cast<char>((a - '0') * 64 + (b - '0') * 8 + (d - '0')));
                at += 3;
                continue;
            }
        }
        decoded.append(c);
    }
    return QFile::decodeName(decoded);
}

QList<LinuxMountTable::Entry> LinuxMountTable::parse(const QByteArray& mountinfo) {
    QList<Entry> entries;
    for (const QByteArray& line : mountinfo.split('\n')) {
        const QList<QByteArray> fields = line.split(' ');
        // id parent major:minor root mount-point options [optional fields...] - type source super-options
        const qsizetype separator = fields.indexOf(QByteArray("-"), 6);
        if (fields.size() < 7 || separator < 0 || separator + 2 >= fields.size()) {
            continue;
        }
        Entry entry;
        if (!parseDeviceNumber(fields[2], entry.major, entry.minor) || !fields[4].startsWith('/')) {
            continue;
        }
        entry.root = decodeEscapes(fields[3]);
        entry.mountPoint = decodeEscapes(fields[4]);
        entry.fsType = decodeEscapes(fields[separator + 1]);
        entry.source = decodeEscapes(fields[separator + 2]);
        entries.append(entry);
    }
    return entries;
}

bool LinuxMountTable::isFixedBlockDevice(unsigned major, unsigned minor) const {
    const QString device = files_.resolveLink(QStringLiteral("/sys/dev/block/%1:%2").arg(major).arg(minor));
    if (device.isEmpty()) {
        return true;  // no sysfs entry to say otherwise: a device node under /dev counts as a disk
    }
    // A partition's properties are those of the disk that holds it.
    QString disk = device;
    if (QFile::exists(files_.path(device + QStringLiteral("/partition")))) {
        disk = device.left(device.lastIndexOf(QLatin1Char('/')));
    }
    if (isVirtualDiskName(disk.section(QLatin1Char('/'), -1))) {
        return false;
    }
    if (files_.readLine(disk + QStringLiteral("/removable")) == "1") {
        return false;
    }
    const QStringList components = disk.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString& component : components) {
        if (isHotPlugBusComponent(component)) {
            return false;
        }
    }
    // On the MMC bus only soldered-in eMMC ("MMC") is fixed; SD cards come and go.
    if (std::any_of(components.begin(), components.end(), isMmcBusComponent)) {
        return files_.readLine(disk + QStringLiteral("/device/type")) == "MMC";
    }
    return true;
}

std::optional<QList<FixedMount>> LinuxMountTable::fixedMounts() {
    QByteArray content;
    if (!files_.read(kMountInfo, content, 16 << 20) || content.isEmpty()) {
        return std::nullopt;
    }
    // A mount point mounted over shows only its latest filesystem. Container hosts have thousands
    // of lines: find the latest mount of each point in one pass.
    const QList<Entry> entries = parse(content);
    QHash<QString, qsizetype> latest;
    latest.reserve(entries.size());
    for (qsizetype at = 0; at < entries.size(); ++at) {
        latest.insert(entries[at].mountPoint, at);
    }
    QList<Entry> visible;
    for (qsizetype at = 0; at < entries.size(); ++at) {
        if (latest.value(entries[at].mountPoint) == at) {
            visible.append(entries[at]);
        }
    }

    struct Candidate {
        FixedMount mount;
        dev_t device;
    };
    QList<Candidate> candidates;
    QHash<dev_t, bool> fixedDevices;  // one look at sysfs per device, however often it is mounted
    std::optional<dev_t> rootDevice;
    for (const Entry& entry : visible) {
        if (!entry.source.startsWith(QLatin1String("/dev/"))) {
            continue;  // network, pseudo and fuse filesystems
        }
        unsigned major = entry.major;
        unsigned minor = entry.minor;
        if (const std::optional<dev_t> node = devices_ ? devices_->blockDevice(entry.source) : std::nullopt) {
            major = ::major(*node);
            minor = ::minor(*node);
        } else if (major == 0) {
            continue;  // an anonymous device whose node is gone
        }
        const dev_t device = ::makedev(major, minor);
        auto fixed = fixedDevices.constFind(device);
        if (fixed == fixedDevices.cend()) {
            fixed = fixedDevices.insert(device, isFixedBlockDevice(major, minor));
        }
        if (!*fixed) {
            continue;
        }
        if (entry.mountPoint == QLatin1String("/")) {
            rootDevice = device;
        }
        candidates.append({FixedMount{entry.mountPoint, entry.source, entry.fsType}, device});
    }

    // One filesystem shows the same figures wherever it is mounted (bind mounts, btrfs subvolumes,
    // image-based systems): list it once, and not at all beside "/" when it is the root's.
    QList<FixedMount> mounts;
    QSet<dev_t> listed;
    for (const Candidate& candidate : candidates) {
        const bool isRoot = candidate.mount.mountPoint == QLatin1String("/");
        if (!isRoot && (listed.contains(candidate.device) || candidate.device == rootDevice)) {
            continue;
        }
        listed.insert(candidate.device);
        mounts.append(candidate.mount);
    }
    return mounts;
}
