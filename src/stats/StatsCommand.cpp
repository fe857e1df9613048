#include "stats/StatsCommand.h"

#include "platform/linux/IniSettingsStore.h"
#include "stats/StatisticLabels.h"
#include "stats/SystemInfoModule.h"

#include <QLocale>
#include <cstdio>
#include <thread>

int StatsCommand::run(QTextStream& out) {
    // A one-shot look: the stored drive letters are used, but the settings file is never created,
    // mended or written; a new drive's letter holds for this run only.
    IniSettingsStore store(IniSettingsStore::defaultFilePath(), IniSettingsStore::Access::ReadOnly);
    if (!store.recoveryNote().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(store.recoveryNote()));
    }
    SystemInfoModule module(&store);
    return run(out, module);
}

int StatsCommand::run(QTextStream& out, SystemInfoModule& module, std::chrono::milliseconds cpuInterval) {
    const PlatformFacts facts = module.platformFacts();
    const std::unique_ptr<CpuMeter> meter = module.createCpuMeter(facts.isNT);
    meter->Initialize();
    std::this_thread::sleep_for(cpuInterval);

    module.RefreshSystemStatus();
    module.EnumFixedDrives();
    const BatteryCondition battery = module.batteryState().condition;
    for (int item = 0; item < kFixedItemCount; ++item) {
        QString line = StatisticLabels::popupLine(StatisticLabels::popupLabel(item, battery),
                                                  module.itemValue(item, meter.get()));
        if (item == static_cast<int>(StatisticItem::CDrive)) {
            line += QStringLiteral("  ") + module.driveRoot(QLatin1Char('C'));
        }
        out << line << '\n';
    }
    for (const FixedDrive& drive : module.fixedDrives()) {
        out << StatisticLabels::popupLine(StatisticLabels::popupDriveLabel(drive.letter),
                                          module.driveValue(drive.letter))
            << "  " << drive.mountPoint << '\n';
    }
    meter->Terminate();

    module.CountProcesses();
    const QLocale numbers(QLocale::English);
    out << module.GetProcessorDescription() << '\n';
    out << numbers.toString(module.processCount()) << " active processes\n";
    out << numbers.toString(module.threadCount()) << " active threads\n";
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}
