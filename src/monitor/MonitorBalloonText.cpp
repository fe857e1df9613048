#include "monitor/MonitorBalloonText.h"

#include <cmath>

namespace MonitorBalloonText {

namespace {
const QString kNewLine = QStringLiteral("\r\n");
}

QString cpuTitle() {
    return QStringLiteral("CPU Activity");
}
QString physicalMemoryTitle() {
    return QStringLiteral("Physical Memory");
}
QString virtualMemoryTitle() {
    return QStringLiteral("Virtual Memory");
}
QString batteryTitle() {
    return QStringLiteral("Battery Status");
}
QString driveTitle(const QString& rowCaption) {
    return rowCaption.left(2) + QStringLiteral("  Drive");
}

QString grouped(double value, const QLocale& locale) {
    QLocale numbers = locale;
    numbers.setNumberOptions(numbers.numberOptions() & ~QLocale::OmitGroupSeparator);
    return numbers.toString(static_cast<qlonglong>(std::round(value)));
}

QString cpuText(const QString& processorDescription, qint64 processCount, qint64 threadCount,
                const QLocale& locale) {
    QString text = processorDescription;
    if (processCount >= 1 || threadCount >= 1) {
        text += kNewLine + grouped(double(processCount), locale) + QStringLiteral(" active processes") +
                kNewLine + grouped(double(threadCount), locale) + QStringLiteral(" active threads");
    }
    return text;
}

QString memoryText(int barValue, double totalBytes, const QLocale& locale) {
    const double totalMegabytes = totalBytes / kMegabyte;
    return grouped(barValue / 100.0 * totalMegabytes, locale) + QStringLiteral(" of") + kNewLine +
           grouped(totalMegabytes, locale) + QStringLiteral(" MB");
}

QString hoursMinutesSeconds(qint64 seconds) {
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600)
        .arg((seconds % 3600) / 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString batteryText(qint64 lifeSeconds, qint64 fullLifeSeconds) {
    if (lifeSeconds < 1) {
        return {};
    }
    QString text = hoursMinutesSeconds(lifeSeconds) + QStringLiteral(" remaining");
    if (fullLifeSeconds >= 1) {
        text += QStringLiteral(" of") + kNewLine + hoursMinutesSeconds(fullLifeSeconds) +
                QStringLiteral(" full-charge") + kNewLine + QStringLiteral("(approximately) available");
    }
    return text;
}

QString driveText(double totalBytes, double freeToCallerBytes, const QString& mountPoint,
                  const QLocale& locale) {
    QString text = grouped((totalBytes - freeToCallerBytes) / kGigabyte, locale) + QStringLiteral(" of") +
                   kNewLine + grouped(totalBytes / kGigabyte, locale) + QStringLiteral(" GB");
    if (!mountPoint.isEmpty()) {
        text.prepend(mountPoint + kNewLine);
    }
    return text;
}

}  // namespace MonitorBalloonText
