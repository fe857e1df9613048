#include "stats/StatsCommand.h"

#include "platform/linux/IniSettingsStore.h"
#include "stats/ActivitySample.h"
#include "stats/ActivityText.h"
#include "stats/StatisticLabels.h"
#include "stats/StatsJson.h"
#include "stats/SystemInfoModule.h"

#include <QJsonDocument>
#include <QLocale>
#include <cstdio>
#include <thread>

int StatsCommand::run(QTextStream& out, Format format) {
    // A one-shot look: the stored drive letters are used, but the settings file is never created,
    // mended or written; a new drive's letter holds for this run only.
    IniSettingsStore store(IniSettingsStore::defaultFilePath(), IniSettingsStore::Access::ReadOnly);
    if (!store.recoveryNote().isEmpty()) {
        std::fprintf(stderr, "%s\n", qPrintable(store.recoveryNote()));
    }
    SystemInfoModule module(&store);
    return run(out, module, format == Format::Json ? kJsonInterval : kCpuInterval, format);
}

int StatsCommand::run(QTextStream& out, SystemInfoModule& module, std::chrono::milliseconds cpuInterval,
                      Format format) {
    const PlatformFacts facts = module.platformFacts();
    const std::unique_ptr<CpuMeter> meter = module.createCpuMeter(facts.isNT);
    ActivityMeters activityMeters(module.sources());
    meter->Initialize();
    ActivitySample::start(activityMeters);
    std::this_thread::sleep_for(cpuInterval);
    const ActivitySample activity = ActivitySample::finish(activityMeters);

    module.RefreshSystemStatus();
    module.EnumFixedDrives();
    module.CountProcesses();
    if (format == Format::Json) {
        out << QJsonDocument(StatsJson::build(module, *meter, activity)).toJson(QJsonDocument::Compact)
            << '\n';
        meter->Terminate();
        out.flush();
        return out.status() == QTextStream::Ok ? 0 : 1;
    }

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
    out << ActivityText::coresLine(activity.cores) << '\n';
    out << ActivityText::temperatureLine(activity.temperature) << '\n';
    out << ActivityText::diskBusyLine(activity.diskBusy, activity.disksAvailable) << '\n';
    out << ActivityText::networkLine(activity.network, activity.networkAvailable) << '\n';

    const QLocale numbers(QLocale::English);
    out << module.GetProcessorDescription() << '\n';
    out << numbers.toString(module.processCount()) << " active processes\n";
    out << numbers.toString(module.threadCount()) << " active threads\n";
    out.flush();
    return out.status() == QTextStream::Ok ? 0 : 1;
}
