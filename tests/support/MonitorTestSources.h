#pragma once

#include "platform/SystemSources.h"

#include <QMap>
#include <memory>

// Scripted system sources for window tests: every figure is a field the test sets.
namespace MonitorTestSources {

struct Memory : MemoryStatusSource {
    std::optional<MemoryStatus> status = MemoryStatus{};
    std::optional<MemoryStatus> read() override { return status; }
};

struct Power : PowerStatusSource {
    std::optional<PowerStatus> status = PowerStatus{};
    std::optional<PowerStatus> read() override { return status; }
};

struct Mounts : MountTableSource {
    QList<FixedMount> mounts;
    std::optional<QList<FixedMount>> fixedMounts() override { return mounts; }
};

struct Space : FileSystemSpace {
    QMap<QString, FileSystemFigures> figures;
    std::optional<FileSystemFigures> query(const QString& mountPoint) override {
        const auto found = figures.constFind(mountPoint);
        return found == figures.constEnd() ? std::nullopt : std::optional(*found);
    }
    // A filesystem of `total` bytes with `available` bytes free to the user.
    void set(const QString& mountPoint, quint64 total, quint64 available) {
        figures.insert(mountPoint, FileSystemFigures{total / 4096, available / 4096, available / 4096, 4096});
    }
};

struct Processes : ProcessCounter {
    std::optional<ProcessCounts> counts = ProcessCounts{231, 1204};
    std::optional<ProcessCounts> count() override { return counts; }
};

struct CpuTimes : CpuTimesSource {
    qint64 idle = 0;
    qint64 now = 0;
    std::optional<int> processorCount() override { return 1; }
    std::optional<qint64> idleTime() override { return idle += 5'000'000; }
    std::optional<qint64> currentTime() override { return now += 10'000'000; }
};

struct ProcessorName : SystemValueReader {
    SystemValue read(SystemValueRoot, const QString&, const QString& valueName) override {
        if (valueName.compare(QLatin1String("ProcessorNameString"), Qt::CaseInsensitive) == 0) {
            return {SystemValue::Status::Text, QStringLiteral("Test CPU 6600 @ 2.40GHz"), 0};
        }
        return {SystemValue::Status::ValueMissing, {}, 0};
    }
};

// All sources together, with a root filesystem of 100 GB, a fifth of it free.
struct Bundle {
    std::shared_ptr<Memory> memory = std::make_shared<Memory>();
    std::shared_ptr<Power> power = std::make_shared<Power>();
    std::shared_ptr<Mounts> mounts = std::make_shared<Mounts>();
    std::shared_ptr<Space> space = std::make_shared<Space>();
    std::shared_ptr<Processes> processes = std::make_shared<Processes>();
    std::shared_ptr<CpuTimes> cpuTimes = std::make_shared<CpuTimes>();
    std::shared_ptr<ProcessorName> processor = std::make_shared<ProcessorName>();

    static constexpr quint64 kGigabyte = 1073741824ULL;

    Bundle() {
        mounts->mounts = {
            FixedMount{QStringLiteral("/"), QStringLiteral("/dev/sda1"), QStringLiteral("ext4")}};
        space->set(QStringLiteral("/"), 100 * kGigabyte, 20 * kGigabyte);
        MemoryStatus status;
        status.memoryLoad = 50;
        status.totalPhys = 8 * kGigabyte;
        status.availPhys = 4 * kGigabyte;
        status.totalVirtual = 10 * kGigabyte;
        status.availVirtual = 5 * kGigabyte;
        status.totalPageFile = 2 * kGigabyte;
        status.availPageFile = kGigabyte;
        memory->status = status;
    }

    void addMount(const QString& mountPoint, const QString& device, quint64 total, quint64 available) {
        mounts->mounts.append(FixedMount{mountPoint, device, QStringLiteral("ext4")});
        space->set(mountPoint, total, available);
    }
    void removeMount(const QString& mountPoint) {
        mounts->mounts.removeIf([&](const FixedMount& mount) { return mount.mountPoint == mountPoint; });
    }
    void setBattery(quint8 flag, quint8 percent, quint8 acLine, qint32 lifeTime = -1,
                    qint32 fullLifeTime = -1) {
        power->status = PowerStatus{acLine, flag, percent, 0, lifeTime, fullLifeTime};
    }

    SystemSources sources() const {
        SystemSources result;
        result.memory = memory;
        result.power = power;
        result.mounts = mounts;
        result.space = space;
        result.processes = processes;
        result.cpuTimes = cpuTimes;
        result.systemValues = processor;
        return result;
    }
};

}  // namespace MonitorTestSources
