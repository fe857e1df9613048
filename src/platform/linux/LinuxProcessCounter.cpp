#include "platform/linux/LinuxProcessCounter.h"

std::optional<ProcessCounts> LinuxProcessCounter::count() {
    QStringList names;
    if (!files_.list(QStringLiteral("/proc"), names)) {
        return std::nullopt;
    }
    ProcessCounts counts;
    for (const QString& name : names) {
        bool numeric = false;
        name.toUInt(&numeric);
        if (numeric) {
            ++counts.processes;
        }
    }
    // "0.52 0.58 0.59 2/1234 56789": the fourth field's total counts every thread of every process.
    const QList<QByteArray> fields = files_.readLine(QStringLiteral("/proc/loadavg")).split(' ');
    if (fields.size() >= 4) {
        const QByteArray& running = fields[3];
        const qsizetype slash = running.indexOf('/');
        bool ok = false;
        const qint64 threads = slash > 0 ? running.mid(slash + 1).toLongLong(&ok) : 0;
        if (ok && threads >= 0) {
            counts.threads = threads;
        }
    }
    if (counts.processes == 0) {
        return std::nullopt;  // not a process filesystem
    }
    return counts;
}
