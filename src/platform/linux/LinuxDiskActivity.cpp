#include "platform/linux/LinuxDiskActivity.h"

#include "platform/linux/DecimalFields.h"

#include <QSet>

namespace {

constexpr int kIoTicksField = 9;  // the tenth figure after the name

bool isVirtual(const QString& name) {
    return name.startsWith(QLatin1String("loop")) || name.startsWith(QLatin1String("ram")) ||
           name.startsWith(QLatin1String("zram")) || name.startsWith(QLatin1String("fd"));
}

// "   8       0 sda 4 0 8 0 ..." : major, minor, name, then the figures.
std::optional<DiskTicks> parseLine(const QByteArray& text, qsizetype at, qsizetype end) {
    if (!DecimalFields::next(text, at, end) || !DecimalFields::next(text, at, end)) {
        return std::nullopt;
    }
    DecimalFields::skipBlanks(text, at, end);
    const qsizetype nameStart = at;
    while (at < end && text[at] != ' ' && text[at] != '\t') {
        ++at;
    }
    if (at == nameStart || at - nameStart > 64) {
        return std::nullopt;
    }
    DiskTicks disk;
    disk.name = QString::fromLatin1(text.constData() + nameStart, at - nameStart);
    for (int field = 0; field <= kIoTicksField; ++field) {
        const std::optional<quint64> value = DecimalFields::next(text, at, end);
        if (!value) {
            return std::nullopt;
        }
        disk.busyMilliseconds = *value;
    }
    return disk;
}

}  // namespace

std::optional<QList<DiskTicks>> LinuxDiskActivity::diskTicks(SampleReader& reader) {
    const QByteArray* diskstats = diskstats_.read(reader);
    if (diskstats == nullptr) {
        return std::nullopt;
    }
    return parse(*diskstats);
}

QString LinuxDiskActivity::diskOfPartition(const QString& name) {
    // The kernel numbers partitions after the disk's name, with a "p" between where that name
    // itself ends in a digit: sda -> sda1, nvme0n1 -> nvme0n1p1.
    qsizetype digits = name.size();
    while (digits > 0 && name.at(digits - 1).isDigit()) {
        --digits;
    }
    if (digits == name.size() || digits == 0) {
        return {};
    }
    const QString stem = name.left(digits);
    if (stem.size() > 1 && stem.endsWith(QLatin1Char('p')) && stem.at(stem.size() - 2).isDigit()) {
        return stem.chopped(1);
    }
    const QChar last = stem.back();
    return (last >= QLatin1Char('a') && last <= QLatin1Char('z')) ? stem : QString();
}

QList<DiskTicks> LinuxDiskActivity::parse(const QByteArray& diskstats) {
    QList<DiskTicks> devices;
    qsizetype at = 0;
    while (at < diskstats.size()) {
        qsizetype end = diskstats.indexOf('\n', at);
        if (end < 0) {
            end = diskstats.size();
        }
        if (const std::optional<DiskTicks> line = parseLine(diskstats, at, end)) {
            if (!isVirtual(line->name)) {
                devices.append(*line);
            }
        }
        at = end + 1;
    }
    QSet<QString> names;
    for (const DiskTicks& device : devices) {
        names.insert(device.name);
    }
    QList<DiskTicks> disks;
    for (const DiskTicks& device : devices) {
        const QString disk = diskOfPartition(device.name);
        if (disk.isEmpty() || !names.contains(disk)) {
            disks.append(device);
        }
    }
    return disks;
}
