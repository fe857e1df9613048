#include "platform/linux/LinuxNetworkCounters.h"

#include "platform/linux/DecimalFields.h"

namespace {

constexpr int kFieldsUsed = 9;  // received bytes first, sent bytes ninth
constexpr quint64 kFastestMegabits = 10'000'000;

// "  eth0: 61038160 1402 0 0 0 0 0 0 76996 832 0 0 0 0 0 0"
std::optional<InterfaceBytes> parseLine(const QByteArray& text, qsizetype at, qsizetype end) {
    const qsizetype colon = text.indexOf(':', at);
    if (colon < 0 || colon >= end) {
        return std::nullopt;
    }
    const QByteArray name = text.mid(at, colon - at).trimmed();
    if (name.isEmpty() || name.size() > 64 || name.contains(' ') || name == "lo") {
        return std::nullopt;
    }
    InterfaceBytes counters;
    counters.name = QString::fromLatin1(name);
    at = colon + 1;
    for (int field = 0; field < kFieldsUsed; ++field) {
        const std::optional<quint64> value = DecimalFields::next(text, at, end);
        if (!value) {
            return std::nullopt;
        }
        if (field == 0) {
            counters.received = *value;
        } else if (field == kFieldsUsed - 1) {
            counters.sent = *value;
        }
    }
    return counters;
}

}  // namespace

std::optional<QList<InterfaceBytes>> LinuxNetworkCounters::interfaceBytes() {
    if (!netdev_.read(buffer_, 1 << 20)) {
        return std::nullopt;
    }
    QList<InterfaceBytes> interfaces = parse(buffer_);
    bool same = interfaces.size() == interfaces_.size();
    for (qsizetype at = 0; same && at < interfaces.size(); ++at) {
        same = interfaces.at(at).name == interfaces_.at(at);
    }
    if (!same) {
        interfaces_.clear();
        for (const InterfaceBytes& counters : interfaces) {
            interfaces_.append(counters.name);
        }
        interfacesChanged_ = true;
    }
    return interfaces;
}

std::optional<quint64> LinuxNetworkCounters::fastestLinkBitsPerSecond() {
    if (!interfacesChanged_ && ++asksSinceSpeedRead_ < kAsksPerSpeedRead) {
        return fastest_;
    }
    interfacesChanged_ = false;
    asksSinceSpeedRead_ = 0;
    fastest_.reset();
    QStringList names;
    if (!files_.list(QStringLiteral("/sys/class/net"), names)) {
        return std::nullopt;
    }
    std::optional<quint64> fastest;
    for (const QString& name : names) {
        if (name == QLatin1String("lo")) {
            continue;
        }
        const std::optional<quint64> megabits =
            parseSpeed(files_.readLine(QStringLiteral("/sys/class/net/") + name + QStringLiteral("/speed")));
        if (megabits && (!fastest || *megabits * 1'000'000 > *fastest)) {
            fastest = *megabits * 1'000'000;
        }
    }
    fastest_ = fastest;
    return fastest;
}

QList<InterfaceBytes> LinuxNetworkCounters::parse(const QByteArray& netdev) {
    QList<InterfaceBytes> interfaces;
    qsizetype at = 0;
    while (at < netdev.size()) {
        qsizetype end = netdev.indexOf('\n', at);
        if (end < 0) {
            end = netdev.size();
        }
        if (const std::optional<InterfaceBytes> line = parseLine(netdev, at, end)) {
            interfaces.append(*line);
        }
        at = end + 1;
    }
    return interfaces;
}

std::optional<quint64> LinuxNetworkCounters::parseSpeed(const QByteArray& speed) {
    const QByteArray text = speed.trimmed();
    qsizetype at = 0;
    const std::optional<quint64> megabits = DecimalFields::next(text, at, text.size());
    if (!megabits || at != text.size() || *megabits == 0 || *megabits > kFastestMegabits) {
        return std::nullopt;
    }
    return megabits;
}
