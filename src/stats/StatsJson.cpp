#include "stats/StatsJson.h"

#include "stats/CpuTemperature.h"
#include "stats/StatisticItem.h"
#include "stats/SystemInfoModule.h"

#include <QJsonArray>

namespace StatsJson {

namespace {
QJsonValue number(std::optional<qint16> value) {
    return value ? QJsonValue(*value) : QJsonValue(QJsonValue::Null);
}

QJsonObject drive(QChar letter, const QString& mountPoint, std::optional<qint16> used) {
    return QJsonObject{{QStringLiteral("letter"), QString(letter)},
                       {QStringLiteral("mountPoint"), mountPoint},
                       {QStringLiteral("usedPercent"), number(used)}};
}
}  // namespace

QJsonObject build(SystemInfoModule& module, CpuMeter& meter, const ActivitySample& activity) {
    QJsonArray cores;
    if (activity.cores) {
        for (const CoreLoad& core : *activity.cores) {
            cores.append(number(core.percent));
        }
    }
    QJsonArray drives;
    drives.append(drive(QLatin1Char('C'), module.driveRoot(QLatin1Char('C')), module.driveValue('C')));
    for (const FixedDrive& extra : module.fixedDrives()) {
        drives.append(drive(extra.letter, extra.mountPoint, module.driveValue(extra.letter)));
    }
    QJsonValue receive(QJsonValue::Null);
    QJsonValue send(QJsonValue::Null);
    if (activity.network) {
        receive = activity.network->receiveBytesPerSecond;
        send = activity.network->sendBytesPerSecond;
    }
    QJsonValue temperature(QJsonValue::Null);
    QJsonValue sensor(QJsonValue::Null);
    if (activity.temperature) {
        temperature = activity.temperature->milliCelsius / 1000.0;
        sensor = activity.temperature->chip + QStringLiteral(": ") + activity.temperature->label;
    }
    return QJsonObject{
        {QStringLiteral("cpu"),
         QJsonObject{{QStringLiteral("total"), number(module.itemValue(int(StatisticItem::CPU), &meter))},
                     {QStringLiteral("cores"), cores}}},
        {QStringLiteral("memory"), number(module.physicalMemoryValue())},
        {QStringLiteral("virtualMemory"), number(module.virtualMemoryValue())},
        {QStringLiteral("battery"), number(module.batteryValue())},
        {QStringLiteral("drives"), drives},
        {QStringLiteral("diskBusy"),
         activity.diskBusy ? QJsonValue(activity.diskBusy->percent) : QJsonValue(QJsonValue::Null)},
        {QStringLiteral("network"), QJsonObject{{QStringLiteral("receiveBytesPerSecond"), receive},
                                                {QStringLiteral("sendBytesPerSecond"), send}}},
        {QStringLiteral("temperature"), temperature},
        {QStringLiteral("temperatureSensor"), sensor},
        {QStringLiteral("processes"), module.processCount()},
        {QStringLiteral("threads"), module.threadCount()},
    };
}

}  // namespace StatsJson
