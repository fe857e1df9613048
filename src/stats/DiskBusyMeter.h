#pragma once

#include "platform/DiskActivitySource.h"

#include <QHash>
#include <functional>
#include <memory>
#include <optional>

// The busiest whole disk since the previous reading.
struct DiskBusy {
    QString disk;    // "sda"
    qint16 percent;  // share of the elapsed time it had requests in flight
};

// Disk activity for one owner: each query measures from the previous one. A disk that appeared,
// was replaced or whose counter went backwards starts afresh.
class DiskBusyMeter {
public:
    using Clock = std::function<std::optional<qint64>()>;  // 100-ns counts of a clock that never jumps

    DiskBusyMeter(std::shared_ptr<DiskActivitySource> source, Clock clock)
        : source_(std::move(source)), clock_(std::move(clock)) {}

    // Nothing at the first reading, when the counters cannot be read, or when there is no disk.
    std::optional<DiskBusy> query();
    // Whether the last query could read the counters and found a disk.
    bool available() const { return available_; }

private:
    std::shared_ptr<DiskActivitySource> source_;
    SampleReader reader_;
    Clock clock_;
    QHash<QString, quint64> previous_;
    std::optional<qint64> previousTime_;
    std::optional<DiskBusy> last_;  // again for a reading with no time elapsed
    bool available_ = false;
};
