#pragma once

#include "platform/NetworkCountersSource.h"

#include <QHash>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

// Bytes per second over every interface but loopback since the previous reading.
struct NetworkRates {
    double receiveBytesPerSecond = 0;
    double sendBytesPerSecond = 0;
    std::optional<double> linkBytesPerSecond;  // the fastest link's speed, where the kernel tells it
    // The busier direction as a share of the link (or of the highest rate seen, without a link
    // speed), 0..100.
    qint16 percent = 0;
};

// Network throughput for one owner: each query measures from the previous one. An interface that
// appears, goes away or whose counters drop (a reset, a 32-bit wrap) adds nothing for that interval.
class NetworkRateMeter {
public:
    using Clock = std::function<std::optional<qint64>()>;  // 100-ns counts of a clock that never jumps

    NetworkRateMeter(std::shared_ptr<NetworkCountersSource> source, Clock clock)
        : source_(std::move(source)), clock_(std::move(clock)) {}

    // Nothing at the first reading or when the counters cannot be read.
    std::optional<NetworkRates> query();
    bool available() const { return available_; }

private:
    std::shared_ptr<NetworkCountersSource> source_;
    Clock clock_;
    QHash<QString, std::pair<quint64, quint64>> previous_;
    std::optional<qint64> previousTime_;
    std::optional<NetworkRates> last_;  // again for a reading with no time elapsed
    double highestSeen_ = 0;
    bool available_ = false;
};
