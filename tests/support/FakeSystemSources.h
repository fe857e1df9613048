#pragma once

#include "platform/SystemSources.h"

#include <QHash>
#include <QList>
#include <memory>

// Platform sources whose readings the test sets, counting how often they are read.

struct FakeMemory : MemoryStatusSource {
    std::optional<MemoryStatus> status;
    int reads = 0;
    std::optional<MemoryStatus> read() override {
        ++reads;
        return status;
    }
};

struct FakePower : PowerStatusSource {
    std::optional<PowerStatus> status = PowerStatus{};
    std::optional<PowerStatus> read() override { return status; }
};

struct FakeCpuTimes : CpuTimesSource {
    std::optional<int> processors = 1;
    std::optional<qint64> idleTime = 0;
    std::optional<qint64> now = 0;
    std::optional<CpuIdle> idle(SampleReader&) override {
        if (!idleTime || !processors) {
            return std::nullopt;
        }
        return CpuIdle{*idleTime, *processors};
    }
    std::optional<qint64> currentTime() override { return now; }
};

struct FakeMounts : MountTableSource {
    std::optional<QList<FixedMount>> mounts = QList<FixedMount>{};
    bool kernelSaysChanged = false;
    int reads = 0;
    std::optional<QList<FixedMount>> fixedMounts() override {
        ++reads;
        return mounts;
    }
    bool changed() override { return std::exchange(kernelSaysChanged, false); }

    void set(const QStringList& mountPoints) {
        QList<FixedMount> list;
        for (const QString& point : mountPoints) {
            list.append(
                FixedMount{point, QStringLiteral("/dev/disk") + QString::number(list.size()), "ext4"});
        }
        mounts = list;
    }
};

struct FakeSpace : FileSystemSpace {
    QHash<QString, FileSystemFigures> figures;
    int queries = 0;
    std::optional<FileSystemFigures> query(const QString& mountPoint) override {
        ++queries;
        const auto found = figures.constFind(mountPoint);
        return found == figures.constEnd() ? std::nullopt : std::optional<FileSystemFigures>(*found);
    }
    // used / (used + available) of 1 KiB blocks, with reserved blocks that count for neither.
    void set(const QString& mountPoint, quint64 used, quint64 available, quint64 reserved = 0) {
        figures.insert(mountPoint,
                       FileSystemFigures{used + available + reserved, available + reserved, available, 1024});
    }
};

struct FakeProcesses : ProcessCounter {
    std::optional<ProcessCounts> counts;
    std::optional<ProcessCounts> count() override { return counts; }
};

struct FakeSystemValues : SystemValueReader {
    QHash<QString, SystemValue> values;  // by value name, in the processor key
    SystemValue read(SystemValueRoot, const QString& subKey, const QString& valueName) override {
        if (subKey.compare(QLatin1String("hardware\\description\\system\\centralprocessor\\0"),
                           Qt::CaseInsensitive) != 0) {
            return {SystemValue::Status::KeyMissing, {}, 0};
        }
        return values.value(valueName, SystemValue{SystemValue::Status::ValueMissing, {}, 0});
    }
    void text(const QString& name, const QString& text) {
        values.insert(name, {SystemValue::Status::Text, text, 0});
    }
    void number(const QString& name, quint32 number) {
        values.insert(name, {SystemValue::Status::Number, {}, number});
    }
};

struct FakeProcessorLibrary : ProcessorInfoLibrary {
    QString name;
    QString speed;
    QString processorName() override { return name; }
    QString rawSpeed() override { return speed; }
};

struct FakeOsVersion : OsVersionSource {
    std::optional<OsVersion> answer;
    bool wow64 = false;
    std::optional<OsVersion> version() override { return answer; }
    bool isWow64() override { return wow64; }
};

struct FakeFreeResources : FreeResourcesSource {
    QList<qint32> percents = {80, 70, 60};
    std::optional<qint32> freePercent(int selector) override { return percents.value(selector); }
};

// One bundle with every fake, reachable by type for the test to steer.
struct FakeSystem {
    std::shared_ptr<FakeMemory> memory = std::make_shared<FakeMemory>();
    std::shared_ptr<FakePower> power = std::make_shared<FakePower>();
    std::shared_ptr<FakeCpuTimes> cpuTimes = std::make_shared<FakeCpuTimes>();
    std::shared_ptr<FakeMounts> mounts = std::make_shared<FakeMounts>();
    std::shared_ptr<FakeSpace> space = std::make_shared<FakeSpace>();
    std::shared_ptr<FakeProcesses> processes = std::make_shared<FakeProcesses>();
    std::shared_ptr<FakeSystemValues> systemValues = std::make_shared<FakeSystemValues>();
    std::shared_ptr<FakeOsVersion> osVersion = std::make_shared<FakeOsVersion>();

    SystemSources sources() const {
        SystemSources sources;
        sources.memory = memory;
        sources.power = power;
        sources.cpuTimes = cpuTimes;
        sources.mounts = mounts;
        sources.space = space;
        sources.processes = processes;
        sources.systemValues = systemValues;
        sources.osVersion = osVersion;
        return sources;
    }
};
