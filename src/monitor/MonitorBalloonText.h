#pragma once

#include <QLocale>
#include <QString>
#include <QtGlobal>

// Titles and texts of the monitor window's detail balloons. Lines are joined by CR LF; numbers are
// grouped by the locale's thousands separator.
namespace MonitorBalloonText {

inline constexpr double kMegabyte = 1048576.0;
inline constexpr double kGigabyte = 1073741824.0;

QString cpuTitle();
QString physicalMemoryTitle();
QString virtualMemoryTitle();
QString batteryTitle();
// "C:  Drive" from the row caption "C: drive disk usage:".
QString driveTitle(const QString& rowCaption);

// The processor, then the process and thread counts unless both are below 1.
QString cpuText(const QString& processorDescription, qint64 processCount, qint64 threadCount,
                const QLocale& locale = QLocale());
// The bar's share of the total, then the total, in megabytes.
QString memoryText(int barValue, double totalBytes, const QLocale& locale = QLocale());
// Time left (and the full-charge time when known); empty when the time left is below one second.
QString batteryText(qint64 lifeSeconds, qint64 fullLifeSeconds);
// Space in use and the total, in gigabytes; the mount point first when there is one.
QString driveText(double totalBytes, double freeToCallerBytes, const QString& mountPoint,
                  const QLocale& locale = QLocale());

// Hours, minutes and seconds as h:mm:ss.
QString hoursMinutesSeconds(qint64 seconds);
// A whole number rounded half away from zero, grouped.
QString grouped(double value, const QLocale& locale = QLocale());

}  // namespace MonitorBalloonText
