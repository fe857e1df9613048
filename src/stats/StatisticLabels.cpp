#include "stats/StatisticLabels.h"

#include "stats/StatisticItem.h"

#include <array>

namespace StatisticLabels {

namespace {

constexpr std::array<const char*, kFixedItemCount> kCaptions = {
    "CPU activity:",  "Physical memory usage:", "Virtual memory usage:", "System resources:",
    "GDI resources:", "User resources:",        "Battery status:",       "C: drive disk usage:"};

constexpr std::array<const char*, kFixedItemCount> kPopupLabels = {
    "CPU activity ......", "Physical memory ...", "Virtual memory ....", "System resources ..",
    "GDI resources .....", "User resources ....", "Battery status ....", "C: drive usage ...."};

}  // namespace

QString batteryCaption(BatteryCondition condition) {
    switch (condition) {
        case BatteryCondition::Charging:
            return QStringLiteral("Battery status (charging):");
        case BatteryCondition::Unplugged:
            return QStringLiteral("Battery status (unplugged):");
        case BatteryCondition::Normal:
            break;
    }
    return QStringLiteral("Battery status:");
}

QString monitorCaption(int item, BatteryCondition condition) {
    if (item == static_cast<int>(StatisticItem::Battery)) {
        return batteryCaption(condition);
    }
    if (item < 0 || item >= kFixedItemCount) {
        return {};
    }
    return QString::fromLatin1(kCaptions[static_cast<size_t>(item)]);
}

QString monitorDriveCaption(QChar letter) {
    return QString(letter.toUpper()) + QStringLiteral(": drive disk usage:");
}

QString popupLabel(int item, BatteryCondition condition) {
    if (item == static_cast<int>(StatisticItem::Battery)) {
        switch (condition) {
            case BatteryCondition::Charging:
                return QStringLiteral("Battery(charging) .");
            case BatteryCondition::Unplugged:
                return QStringLiteral("Battery(unplugged) ");
            case BatteryCondition::Normal:
                break;
        }
    }
    if (item < 0 || item >= kFixedItemCount) {
        return {};
    }
    return QString::fromLatin1(kPopupLabels[static_cast<size_t>(item)]);
}

QString popupDriveLabel(QChar letter) {
    return QString(letter.toUpper()) + QStringLiteral(": drive usage ....");
}

QString popupLine(const QString& label, std::optional<int> value) {
    const QString valueText = value ? QString::number(*value) + QLatin1Char('%') : QStringLiteral("n/a");
    const qsizetype dots = std::max<qsizetype>(0, 4 - valueText.size());
    return label + QString(dots, QLatin1Char('.')) + QLatin1Char(' ') + valueText;
}

}  // namespace StatisticLabels
