#include "stats/NetworkRateMeter.h"

#include "platform/RoundHalfToEven.h"

#include <algorithm>

namespace {
// Without a link speed the bar is scaled to the highest rate seen, but never to less than this.
constexpr double kSmallestScale = 1024.0;
}  // namespace

std::optional<NetworkRates> NetworkRateMeter::query() {
    const std::optional<QList<InterfaceBytes>> interfaces =
        source_ ? source_->interfaceBytes() : std::nullopt;
    const std::optional<qint64> now = clock_ ? clock_() : std::nullopt;
    available_ = interfaces.has_value();
    if (!interfaces || !now) {
        return std::nullopt;
    }
    if (previousTime_ && *now <= *previousTime_) {
        return last_;  // read twice within one clock step: nothing new to measure
    }
    const std::optional<qint64> before = std::exchange(previousTime_, now);
    QHash<QString, std::pair<quint64, quint64>> current;
    current.reserve(interfaces->size());
    quint64 received = 0;
    quint64 sent = 0;
    for (const InterfaceBytes& counters : *interfaces) {
        current.insert(counters.name, {counters.received, counters.sent});
        const auto last = previous_.constFind(counters.name);
        if (last == previous_.constEnd()) {
            continue;
        }
        if (counters.received >= last->first) {
            received += counters.received - last->first;
        }
        if (counters.sent >= last->second) {
            sent += counters.sent - last->second;
        }
    }
    previous_ = std::move(current);
    if (!before) {
        return std::nullopt;
    }
    const double seconds = double(*now - *before) / 10'000'000.0;
    NetworkRates rates;
    rates.receiveBytesPerSecond = double(received) / seconds;
    rates.sendBytesPerSecond = double(sent) / seconds;
    const double busier = std::max(rates.receiveBytesPerSecond, rates.sendBytesPerSecond);
    if (const std::optional<quint64> bits = source_->fastestLinkBitsPerSecond()) {
        rates.linkBytesPerSecond = double(*bits) / 8.0;
    }
    highestSeen_ = std::max({highestSeen_, busier, kSmallestScale});
    const double scale = rates.linkBytesPerSecond.value_or(highestSeen_);
    rates.percent = qint16(std::clamp(roundHalfToEven(busier * 100.0 / scale), 0.0, 100.0));
    last_ = rates;
    return rates;
}
