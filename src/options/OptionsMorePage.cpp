#include "options/OptionsMorePage.h"

#include "options/NumberBoxEdit.h"
#include "options/OptionsColumns.h"
#include "options/OptionsStatisticsPage.h"
#include "options/SpinButtons.h"
#include "options/ThresholdStepping.h"
#include "platform/RoundHalfToEven.h"
#include "stats/ActivityMeters.h"
#include "stats/ActivityText.h"
#include "stats/CpuTemperature.h"
#include "widgets/LevelBar.h"

#include <QCheckBox>
#include <QLabel>

using namespace OptionsColumns;

namespace {
QString caption(ActivityItem item) {
    return QString::fromUtf8(activityText(item).caption);
}
}  // namespace

OptionsMorePage::OptionsMorePage(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("MorePage"));
    OptionsColumns::addHeadings(this);

    const int pitch = OptionsStatisticsPage::rowPitchPixels();
    for (int index = 0; index < kActivityItemCount; ++index) {
        rows_.at(size_t(index)) = addRow(ActivityItem(index), kRowsTop + index * pitch);
    }
    const int below = kRowsTop + kActivityItemCount * pitch + pitch / 2;
    historyBox = new QCheckBox(QStringLiteral("Draw the last minute faintly behind each monitor bar?"), this);
    historyBox->setObjectName(QStringLiteral("ShowHistory"));
    historyBox->setGeometry(kCheckLeft, below, kBoxLeft + kBoxWidth, pitch);
    trayIconGraphBox = new QCheckBox(QStringLiteral("Show CPU and memory as bars in the tray icon?"), this);
    trayIconGraphBox->setObjectName(QStringLiteral("TrayIconGraph"));
    trayIconGraphBox->setGeometry(kCheckLeft, below + pitch, kBoxLeft + kBoxWidth, pitch);
    connect(historyBox, &QCheckBox::toggled, this, &OptionsMorePage::changed);
    connect(trayIconGraphBox, &QCheckBox::toggled, this, &OptionsMorePage::changed);
    setMinimumSize(kBoxLeft + kBoxWidth + 30, below + 2 * pitch + 8);
}

OptionsMorePage::Row OptionsMorePage::addRow(ActivityItem item, int top) {
    const int height =
        std::max(NumberBoxEdit::minimumHeightPixels(), OptionsStatisticsPage::rowPitchPixels() - 1);
    const ActivityItemText& text = activityText(item);
    const QString suffix = activitySuffix(item);
    Row row;
    row.show = new QCheckBox(caption(item), this);
    row.show->setObjectName(QStringLiteral("Show") + suffix);
    row.show->setGeometry(kCheckLeft, top, kCheckWidth, height);
    row.bar = new LevelBar(this);
    row.bar->setObjectName(QStringLiteral("Bar") + suffix);
    row.bar->setGeometry(kBarLeft, top + 2, kBarWidth, height - 4);
    row.bar->setSuffix(QString::fromUtf8(text.unit));
    connect(row.show, &QCheckBox::toggled, this, &OptionsMorePage::changed);
    if (text.hasLevel) {
        row.level = new NumberBoxEdit(this);
        row.level->setObjectName(QStringLiteral("Level") + suffix);
        row.level->box().setLimitedPicture(
            item == ActivityItem::Temperature ? QStringLiteral("##0") : QStringLiteral("##0%"), 0,
            text.levelMaximum, true);
        row.level->setValue(0);
        row.level->setGeometry(kBoxLeft, top, kBoxWidth, height);
        row.level->setToolTip(item == ActivityItem::Temperature
                                  ? QStringLiteral("Degrees Celsius; 0: not watched")
                                  : QStringLiteral("0: not watched"));
        row.spin = new SpinButtons(this);
        row.spin->setRange(0, text.levelMaximum);
        row.spin->setIncrement(kThresholdStep);
        row.spin->setGeometry(kBoxLeft + kBoxWidth + 1, top, 16, height);
        connect(row.level, &NumberBoxEdit::Change, this, &OptionsMorePage::changed);
        connect(row.level, &NumberBoxEdit::KeyDown, this, [this, row](int key, Qt::KeyboardModifiers) {
            if (key == Qt::Key_Up || key == Qt::Key_Down) {
                step(row, key == Qt::Key_Up);
            }
        });
        connect(row.spin, &SpinButtons::upClicked, this, [this, row] { step(row, true); });
        connect(row.spin, &SpinButtons::downClicked, this, [this, row] { step(row, false); });
    }
    return row;
}

void OptionsMorePage::step(const Row& row, bool up) {
    const NumberBox& box = row.level->box();
    const int value = int(roundHalfToEven(std::clamp(box.value(), -1e6, 1e6)));
    const int next = up ? ThresholdStepping::up(value, kThresholdStep, int(box.maxValue()))
                        : ThresholdStepping::down(value, kThresholdStep, int(box.minValue()));
    if (next != value) {
        row.level->setValue(next);
    }
}

void OptionsMorePage::showCurrentSettings(const ActivitySettings& settings) {
    for (int index = 0; index < kActivityItemCount; ++index) {
        const Row& row = rows_.at(size_t(index));
        row.show->setChecked(settings.show.at(size_t(index)));
        if (row.level != nullptr) {
            row.level->setValue(settings.level.at(size_t(index)));
        }
    }
    historyBox->setChecked(settings.showHistory);
    trayIconGraphBox->setChecked(settings.trayIconGraph);
}

void OptionsMorePage::readInto(ActivitySettings& settings) const {
    for (int index = 0; index < kActivityItemCount; ++index) {
        const Row& row = rows_.at(size_t(index));
        settings.show.at(size_t(index)) = row.show->isChecked();
        if (row.level != nullptr) {
            const double maximum = activityText(ActivityItem(index)).levelMaximum;
            settings.level.at(size_t(index)) =
                qint16(roundHalfToEven(std::clamp(row.level->value(), 0.0, maximum)));
        }
    }
    settings.showHistory = historyBox->isChecked();
    settings.trayIconGraph = trayIconGraphBox->isChecked();
}

void OptionsMorePage::showPresence(ActivityItem item, bool present) {
    QCheckBox* box = rows_.at(size_t(item)).show;
    box->setEnabled(present);
    const QString text = caption(item);
    box->setText(present ? text : text.chopped(1) + QStringLiteral(" (none):"));
}

void OptionsMorePage::refreshStatusBars(ActivityMeters& meters) {
    const std::optional<QList<CoreLoad>> cores = meters.cores();
    showPresence(ActivityItem::Cores, cores.has_value());
    if (const auto busiest = cores ? CoreLoadMeter::busiest(*cores) : std::nullopt) {
        row(ActivityItem::Cores).bar->setValue(*busiest->percent);
    }
    const std::optional<TemperatureReading> temperature = meters.temperature();
    showPresence(ActivityItem::Temperature, temperature.has_value());
    if (temperature) {
        row(ActivityItem::Temperature).bar->setValue(CpuTemperature::wholeDegrees(*temperature));
        row(ActivityItem::Temperature).bar->setToolTip(ActivityText::sensorName(*temperature));
    }
    if (const std::optional<DiskBusy> busy = meters.diskBusy()) {
        row(ActivityItem::DiskBusy).bar->setValue(busy->percent);
    }
    showPresence(ActivityItem::DiskBusy, meters.disksAvailable());
    if (const std::optional<NetworkRates> rates = meters.network()) {
        row(ActivityItem::Network).bar->setValue(rates->percent);
        row(ActivityItem::Network).bar->setToolTip(ActivityText::networkRates(*rates));
    }
    showPresence(ActivityItem::Network, meters.networkAvailable());
}
