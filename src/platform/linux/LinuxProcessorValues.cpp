#include "platform/linux/LinuxProcessorValues.h"

#include <cmath>

namespace {

// The "name : value" pairs of the first processor's block of /proc/cpuinfo.
QList<std::pair<QByteArray, QByteArray>> firstProcessor(const QByteArray& cpuinfo) {
    QList<std::pair<QByteArray, QByteArray>> fields;
    for (const QByteArray& line : cpuinfo.split('\n')) {
        const QByteArray trimmed = line.trimmed();
        if (trimmed.isEmpty()) {
            if (!fields.isEmpty()) {
                break;
            }
            continue;
        }
        const qsizetype colon = trimmed.indexOf(':');
        if (colon > 0) {
            fields.append({trimmed.left(colon).trimmed(), trimmed.mid(colon + 1).trimmed()});
        }
    }
    return fields;
}

QByteArray field(const QList<std::pair<QByteArray, QByteArray>>& fields, const char* name) {
    for (const auto& [key, value] : fields) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

QString armImplementer(const QByteArray& code) {
    bool ok = false;
    const int value = code.toInt(&ok, 0);
    switch (ok ? value : -1) {
        case 0x41:
            return QStringLiteral("ARM");
        case 0x42:
            return QStringLiteral("Broadcom");
        case 0x43:
            return QStringLiteral("Cavium");
        case 0x46:
            return QStringLiteral("Fujitsu");
        case 0x48:
            return QStringLiteral("HiSilicon");
        case 0x4e:
            return QStringLiteral("NVIDIA");
        case 0x50:
            return QStringLiteral("APM");
        case 0x51:
            return QStringLiteral("Qualcomm");
        case 0x53:
            return QStringLiteral("Samsung");
        case 0x56:
            return QStringLiteral("Marvell");
        case 0x61:
            return QStringLiteral("Apple");
        case 0x69:
            return QStringLiteral("Intel");
        case 0xc0:
            return QStringLiteral("Ampere");
        default:
            return QStringLiteral("implementer ") + QString::fromLatin1(code);
    }
}

SystemValue text(const QString& value) {
    if (value.isEmpty()) {
        return {SystemValue::Status::ValueMissing, {}, 0};
    }
    return {SystemValue::Status::Text, value, 0};
}

}  // namespace

const QString& LinuxProcessorValues::processorKey() {
    static const QString key = QStringLiteral("hardware\\description\\system\\centralprocessor\\0");
    return key;
}

SystemValue LinuxProcessorValues::read(SystemValueRoot root, const QString& subKey,
                                       const QString& valueName) {
    if (root != SystemValueRoot::LocalMachine || subKey.compare(processorKey(), Qt::CaseInsensitive) != 0) {
        return {SystemValue::Status::KeyMissing, {}, 0};
    }
    QByteArray cpuinfo;
    if (!files_.read(QStringLiteral("/proc/cpuinfo"), cpuinfo, qsizetype(256) * 1024)) {
        return {SystemValue::Status::KeyMissing, {}, 0};
    }
    const auto fields = firstProcessor(cpuinfo);

    if (valueName.compare(QLatin1String("ProcessorNameString"), Qt::CaseInsensitive) == 0) {
        return text(QString::fromUtf8(field(fields, "model name")));
    }
    if (valueName.compare(QLatin1String("VendorIdentifier"), Qt::CaseInsensitive) == 0) {
        const QByteArray vendor = field(fields, "vendor_id");
        if (!vendor.isEmpty()) {
            return text(QString::fromUtf8(vendor));
        }
        const QByteArray implementer = field(fields, "CPU implementer");
        if (implementer.isEmpty()) {
            return text({});
        }
        QString name = armImplementer(implementer);
        const QByteArray part = field(fields, "CPU part");
        if (!part.isEmpty()) {
            name += QStringLiteral(" part ") + QString::fromLatin1(part);
        }
        return text(name);
    }
    if (valueName.compare(QLatin1String("~MHz"), Qt::CaseInsensitive) == 0) {
        double megahertz = 0;
        bool ok = false;
        const QByteArray kilohertz =
            files_.readLine(QStringLiteral("/sys/devices/system/cpu/cpu0/cpufreq/cpuinfo_max_freq"));
        const double khz = kilohertz.toDouble(&ok);
        if (ok && khz > 0) {
            megahertz = khz / 1000.0;
        } else {
            megahertz = field(fields, "cpu MHz").toDouble(&ok);
        }
        if (!ok || !(megahertz > 0) || megahertz > 4.0e9) {
            return {SystemValue::Status::ValueMissing, {}, 0};
        }
        return {SystemValue::Status::Number, {}, static_cast<quint32>(std::llround(megahertz))};
    }
    return {SystemValue::Status::ValueMissing, {}, 0};
}
