#include "stats/SystemInfoModule.h"

#include "stats/Percent.h"
#include "stats/ProcessorDescription.h"
#include "stats/WindowsKind.h"
#include "stats/clsCPUUsage.h"
#include "stats/clsCPUUsageNT.h"

#include <algorithm>
#include <limits>

namespace {

const QString kRootMountPoint = QStringLiteral("/");
constexpr qint64 kCountLimit = std::numeric_limits<qint16>::max();

std::optional<qint16> toInt16(qint64 value) {
    if (value < std::numeric_limits<qint16>::min() || value > std::numeric_limits<qint16>::max()) {
        return std::nullopt;
    }
    return static_cast<qint16>(value);
}

}  // namespace

SystemInfoModule::SystemInfoModule(SettingsStore* driveLetterStore)
    : SystemInfoModule(SystemSources::linux(), driveLetterStore) {}

SystemInfoModule::SystemInfoModule(SystemSources sources, SettingsStore* driveLetterStore)
    : sources_(std::move(sources)), letters_(driveLetterStore) {}

// --- Sampling ------------------------------------------------------------------------------------

void SystemInfoModule::setSampleReuse(int windowMs, std::function<qint64()> clockMs) {
    reuseWindowMs_ = clockMs ? windowMs : 0;
    clockMs_ = std::move(clockMs);
    statusReadAtMs_.reset();
    spaceReadings_.clear();
}

bool SystemInfoModule::fresh(qint64 readAtMs) const {
    if (reuseWindowMs_ <= 0) {
        return false;
    }
    const qint64 age = clockMs_() - readAtMs;
    return age >= 0 && age < reuseWindowMs_;
}

void SystemInfoModule::RefreshSystemStatus() {
    if (statusReadAtMs_ && fresh(*statusReadAtMs_)) {
        return;
    }
    if (reuseWindowMs_ > 0) {
        statusReadAtMs_ = clockMs_();
    }
    std::optional<MemoryStatus> memory = sources_.memory ? sources_.memory->read() : std::nullopt;
    memoryValid_ = memory.has_value();
    if (memory) {
        memoryStatus_ = *memory;
    }
    std::optional<PowerStatus> power = sources_.power ? sources_.power->read() : std::nullopt;
    powerValid_ = power.has_value();
    if (power) {
        powerStatus_ = *power;
    }
}

std::optional<qint16> SystemInfoModule::itemValue(int item, CpuMeter* cpuMeter) {
    switch (static_cast<StatisticItem>(item)) {
        case StatisticItem::CPU:
            return cpuMeter != nullptr ? cpuValue(*cpuMeter) : std::nullopt;
        case StatisticItem::PhysMem:
            return physicalMemoryValue();
        case StatisticItem::VirtMem:
            return virtualMemoryValue();
        case StatisticItem::SysRsrc:
        case StatisticItem::GDIRsrc:
        case StatisticItem::UserRsrc:
            return freeResourcesValue(item - static_cast<int>(StatisticItem::SysRsrc));
        case StatisticItem::Battery:
            return batteryValue();
        case StatisticItem::CDrive:
            return driveUsage(kRootMountPoint);
    }
    return std::nullopt;
}

std::optional<qint16> SystemInfoModule::driveValue(QChar letter) {
    letter = letter.toUpper();
    if (letter == QLatin1Char('C')) {
        return driveUsage(kRootMountPoint);
    }
    if (!enumerated_) {
        EnumFixedDrives();
    }
    const QString root = driveRoot(letter);
    if (root.isEmpty()) {
        return std::nullopt;
    }
    return driveUsage(root);
}

std::optional<qint16> SystemInfoModule::cpuValue(CpuMeter& meter) const {
    const qint32 answer = meter.Query();
    if (meter.queryFailed()) {
        if (runningCpuMeter_ != nullptr && runningCpuMeter_ != &meter) {
            return cpuValue(*runningCpuMeter_);
        }
        return std::nullopt;
    }
    return static_cast<qint16>(std::clamp<qint32>(answer, 0, std::numeric_limits<qint16>::max()));
}

std::optional<qint16> SystemInfoModule::physicalMemoryValue() const {
    if (!memoryValid_) {
        return std::nullopt;
    }
    return toInt16(memoryStatus_.memoryLoad);
}

std::optional<qint16> SystemInfoModule::virtualMemoryValue() const {
    if (!memoryValid_ || memoryStatus_.availVirtual > memoryStatus_.totalVirtual) {
        return std::nullopt;
    }
    return percentOf(memoryStatus_.totalVirtual - memoryStatus_.availVirtual, memoryStatus_.totalVirtual);
}

std::optional<qint16> SystemInfoModule::freeResourcesValue(int selector) const {
    if (!sources_.freeResources || selector < 0 || selector > 2) {
        return std::nullopt;
    }
    const std::optional<qint32> percent = sources_.freeResources->freePercent(selector);
    return percent ? toInt16(*percent) : std::nullopt;
}

std::optional<qint16> SystemInfoModule::batteryValue() const {
    const BatteryState state = batteryState();
    // 255 means the charge is unknown: no figure rather than a wrong one.
    if (!powerValid_ || !state.present || state.charge > 100) {
        return std::nullopt;
    }
    return static_cast<qint16>(state.charge);
}

std::optional<DiskSpace> SystemInfoModule::diskSpace(const QString& mountPoint) const {
    if (!sources_.space || mountPoint.isEmpty()) {
        return std::nullopt;
    }
    const auto reading = spaceReadings_.constFind(mountPoint);
    if (reading != spaceReadings_.cend() && fresh(reading->readAtMs)) {
        return reading->space;
    }
    const std::optional<FileSystemFigures> figures = sources_.space->query(mountPoint);
    const std::optional<DiskSpace> space = figures ? FileSystemSpace::diskSpace(*figures) : std::nullopt;
    if (reuseWindowMs_ > 0) {
        spaceReadings_.insert(mountPoint, SpaceReading{clockMs_(), space});
    }
    return space;
}

std::optional<qint16> SystemInfoModule::driveUsage(const QString& mountPoint) const {
    const std::optional<DiskSpace> space = diskSpace(mountPoint);
    if (!space || space->freeToCaller > space->total) {
        return std::nullopt;
    }
    return percentOf(space->total - space->freeToCaller, space->total);
}

// --- Fixed drives --------------------------------------------------------------------------------

void SystemInfoModule::EnumFixedDrives() {
    // Always ask, so that a change flagged by the kernel is consumed even while already stale.
    const bool changed = sources_.mounts && sources_.mounts->changed();
    if (!drivesStale_ && !changed) {
        return;
    }
    enumerated_ = true;
    const std::optional<QList<FixedMount>> mounts =
        sources_.mounts ? sources_.mounts->fixedMounts() : std::nullopt;
    if (!mounts) {
        drivesStale_ = true;  // try again next time; keep what we had
        return;
    }
    QStringList mountPoints;
    for (const FixedMount& mount : *mounts) {
        if (mount.mountPoint != kRootMountPoint && !mountPoints.contains(mount.mountPoint)) {
            mountPoints.append(mount.mountPoint);
        }
    }
    const QList<QChar> letters = letters_.lettersFor(mountPoints);
    QList<FixedDrive> drives;
    for (qsizetype index = 0; index < mountPoints.size(); ++index) {
        if (letters[index].isNull()) {
            continue;  // no letter left after Z
        }
        const auto mount = std::find_if(mounts->begin(), mounts->end(), [&](const FixedMount& candidate) {
            return candidate.mountPoint == mountPoints[index];
        });
        drives.append(FixedDrive{letters[index], mount->mountPoint, mount->device});
    }
    std::sort(drives.begin(), drives.end(),
              [](const FixedDrive& a, const FixedDrive& b) { return a.letter < b.letter; });
    fixedDrives_ = drives;
    drivesStale_ = false;
}

QList<QChar> SystemInfoModule::fixedDriveLetters() const {
    QList<QChar> letters;
    for (const FixedDrive& drive : fixedDrives_) {
        letters.append(drive.letter);
    }
    return letters;
}

std::optional<FixedDrive> SystemInfoModule::fixedDrive(QChar letter) const {
    letter = letter.toUpper();
    for (const FixedDrive& drive : fixedDrives_) {
        if (drive.letter == letter) {
            return drive;
        }
    }
    return std::nullopt;
}

QString SystemInfoModule::driveRoot(QChar letter) const {
    if (letter.toUpper() == QLatin1Char('C')) {
        return kRootMountPoint;
    }
    const std::optional<FixedDrive> drive = fixedDrive(letter);
    return drive ? drive->mountPoint : QString();
}

// --- Facts about the machine ---------------------------------------------------------------------

void SystemInfoModule::CountProcesses() {
    processCount_ = 0;
    threadCount_ = 0;
    const std::optional<ProcessCounts> counts =
        sources_.processes ? sources_.processes->count() : std::nullopt;
    if (!counts) {
        return;
    }
    processCount_ = static_cast<qint16>(std::clamp<qint64>(counts->processes, 0, kCountLimit));
    threadCount_ = static_cast<qint16>(std::clamp<qint64>(counts->threads, 0, kCountLimit));
}

QString SystemInfoModule::processorKey() {
    return QStringLiteral("hardware\\description\\system\\centralprocessor\\0");
}

QString SystemInfoModule::GetProcessorDescription() {
    ProcessorDescription description(
        [this](const QString& valueName) {
            return ReadRegistryValue(SystemValueRoot::LocalMachine, processorKey(), valueName);
        },
        sources_.processorLibrary.get());
    return description.build();
}

QVariant SystemInfoModule::ReadRegistryValue(SystemValueRoot root, const QString& subKey,
                                             const QString& valueName) {
    static const QVariant error(QStringLiteral("Error!"));
    registryAccessDenied_ = false;
    if (!sources_.systemValues) {
        return error;
    }
    const SystemValue value = sources_.systemValues->read(root, subKey, valueName);
    switch (value.status) {
        case SystemValue::Status::AccessDenied:
            registryAccessDenied_ = true;
            return error;
        case SystemValue::Status::KeyMissing:
        case SystemValue::Status::ValueMissing:
            return error;
        case SystemValue::Status::Text:
            return value.text.section(QChar(0), 0, 0);  // cut before the first NUL
        case SystemValue::Status::Number:
            return QVariant::fromValue<quint32>(value.number);
        case SystemValue::Status::ReadFailed:
        case SystemValue::Status::OtherType:
            break;
    }
    return {};
}

bool SystemInfoModule::IsNTPlatform() {
    const std::optional<OsVersion> version =
        sources_.osVersion ? sources_.osVersion->version() : std::nullopt;
    buildAtLeast2200_ = WindowsKind::buildAtLeast2200(version);
    return WindowsKind::isNT(version);
}

bool SystemInfoModule::IsVistaOrLater() {
    return WindowsKind::isVistaOrLater(sources_.osVersion ? sources_.osVersion->version() : std::nullopt);
}

bool SystemInfoModule::IsWow64() {
    return sources_.osVersion && sources_.osVersion->isWow64();
}

qint16 SystemInfoModule::GetWindowsKind() {
    return WindowsKind::kindOf(sources_.osVersion ? sources_.osVersion->version() : std::nullopt);
}

PlatformFacts SystemInfoModule::platformFacts() {
    PlatformFacts facts;
    facts.isNT = IsNTPlatform();
    facts.buildAtLeast2200 = buildAtLeast2200_;
    facts.windowsKind = GetWindowsKind();
    facts.statsFamily = PlatformFacts::statsFamilyFor(facts.windowsKind);
    facts.wow64OrVista = IsWow64() || IsVistaOrLater();
    return facts;
}

// --- Objects for consumers -----------------------------------------------------------------------

std::unique_ptr<CpuMeter> SystemInfoModule::createCpuMeter(bool isNT) const {
    if (isNT) {
        return std::make_unique<clsCPUUsageNT>(sources_.cpuTimes);
    }
    return std::make_unique<clsCPUUsage>(sources_.kernelCpuCounter ? sources_.kernelCpuCounter() : nullptr);
}

std::unique_ptr<CMemState> SystemInfoModule::createMemState() const {
    return std::make_unique<CMemState>(sources_.memory);
}
