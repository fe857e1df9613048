#include "monitor/ActivityRows.h"

#include "stats/ActivityText.h"
#include "stats/CpuTemperature.h"
#include "stats/SystemInfoModule.h"
#include "widgets/CoreBars.h"
#include "widgets/RateBar.h"

#include <algorithm>

namespace {
const QString kNewLine = QStringLiteral("\r\n");

QString caption(ActivityItem item) {
    return QString::fromUtf8(activityText(item).caption);
}
}  // namespace

ActivityRows::ActivityRows(const ActivitySettings& settings, SystemInfoModule& stats)
    : settings_(settings), stats_(stats), meters_(std::make_unique<ActivityMeters>(stats.sources())) {}

ActivityRows::~ActivityRows() = default;

int ActivityRows::build(const AddRow& add, int firstRow) {
    rows_.clear();
    int row = firstRow;
    const auto append = [&](ActivityItem item, int slice, const QString& text, LevelBar* bar) {
        add(text, bar);
        rows_.append(Row{item, slice, row++, bar});
    };
    if (settings_.shown(ActivityItem::Cores)) {
        cores_ = meters_->cores();
        const int count = cores_ ? int(cores_->size()) : 0;
        const int slices = std::min(kMostCoreRows, (count + kCoresPerRow - 1) / kCoresPerRow);
        for (int slice = 0; slice < slices; ++slice) {
            const int first = slice * kCoresPerRow;
            const int last = std::min(count, first + kCoresPerRow) - 1;
            const QString text = slices == 1 ? caption(ActivityItem::Cores)
                                             : QStringLiteral("Cores %1-%2:").arg(first).arg(last);
            append(ActivityItem::Cores, slice, text, new CoreBars);
        }
    }
    if (settings_.shown(ActivityItem::Temperature) && (temperature_ = meters_->temperature())) {
        auto* bar = new LevelBar;
        bar->setSuffix(QStringLiteral(" \u00b0C"));
        append(ActivityItem::Temperature, 0, caption(ActivityItem::Temperature), bar);
    }
    if (settings_.shown(ActivityItem::DiskBusy)) {
        disk_ = meters_->diskBusy();
        if (meters_->disksAvailable()) {
            append(ActivityItem::DiskBusy, 0, caption(ActivityItem::DiskBusy), new LevelBar);
        }
    }
    if (settings_.shown(ActivityItem::Network)) {
        network_ = meters_->network();
        if (meters_->networkAvailable()) {
            append(ActivityItem::Network, 0, caption(ActivityItem::Network), new RateBar);
        }
    }
    return int(rows_.size());
}

void ActivityRows::refresh() {
    bool coresRead = false;
    for (const Row& row : rows_) {
        switch (row.item) {
            case ActivityItem::Cores: {
                if (!coresRead) {
                    cores_ = meters_->cores();
                    coresRead = true;
                }
                QList<std::optional<qint16>> loads;
                if (cores_) {
                    for (qsizetype core = qsizetype(row.slice) * kCoresPerRow;
                         core < std::min<qsizetype>(cores_->size(), qsizetype(row.slice + 1) * kCoresPerRow);
                         ++core) {
                        loads.append(cores_->at(core).percent);
                    }
                }
                static_cast<CoreBars*>(row.bar)->setLoads(loads);
                break;
            }
            case ActivityItem::Temperature:
                if ((temperature_ = meters_->temperature())) {
                    row.bar->setValue(CpuTemperature::wholeDegrees(*temperature_));
                }
                break;
            case ActivityItem::DiskBusy:
                if ((disk_ = meters_->diskBusy())) {
                    row.bar->setValue(disk_->percent);
                }
                break;
            case ActivityItem::Network:
                if ((network_ = meters_->network())) {
                    static_cast<RateBar*>(row.bar)->setReading(network_->percent,
                                                               ActivityText::compactRates(*network_));
                }
                break;
        }
    }
}

bool ActivityRows::ownsRow(int row) const {
    return std::ranges::any_of(rows_, [row](const Row& candidate) { return candidate.row == row; });
}

bool ActivityRows::balloon(int row, QString& title, QString& text) {
    const auto found =
        std::ranges::find_if(rows_, [row](const Row& candidate) { return candidate.row == row; });
    if (found == rows_.end()) {
        return false;
    }
    title = QString::fromUtf8(activityText(found->item).title);
    text.clear();
    switch (found->item) {
        case ActivityItem::Cores:
            if (cores_) {
                QStringList lines;
                const qsizetype first = qsizetype(found->slice) * kCoresPerRow;
                for (qsizetype core = first; core < std::min<qsizetype>(cores_->size(), first + kCoresPerRow);
                     ++core) {
                    const CoreLoad& load = cores_->at(core);
                    lines << QStringLiteral("%1: %2").arg(load.cpu).arg(
                        load.percent ? QString::number(*load.percent) + QLatin1Char('%')
                                     : QStringLiteral("n/a"));
                }
                // Eight cores to a line keeps the balloon readable for a full row.
                for (qsizetype at = 0; at < lines.size(); at += 8) {
                    text += (at > 0 ? kNewLine : QString()) + lines.mid(at, 8).join(QStringLiteral("  "));
                }
            }
            break;
        case ActivityItem::Temperature:
            if (temperature_) {
                text =
                    ActivityText::sensorName(*temperature_) + kNewLine + ActivityText::celsius(*temperature_);
            }
            break;
        case ActivityItem::DiskBusy:
            if (disk_) {
                text = disk_->disk + QStringLiteral(" busy ") + QString::number(disk_->percent) +
                       QStringLiteral("% of the time");
            }
            break;
        case ActivityItem::Network:
            if (network_) {
                text = QStringLiteral("Received ") + ActivityText::rate(network_->receiveBytesPerSecond) +
                       kNewLine + QStringLiteral("Sent ") + ActivityText::rate(network_->sendBytesPerSecond);
                if (network_->linkBytesPerSecond) {
                    text += kNewLine + QStringLiteral("Fastest link ") +
                            ActivityText::rate(*network_->linkBytesPerSecond);
                }
            }
            break;
    }
    return true;
}
