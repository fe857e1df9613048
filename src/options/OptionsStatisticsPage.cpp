#include "options/OptionsStatisticsPage.h"

#include "options/NumberBoxEdit.h"
#include "options/OptionsColumns.h"
#include "options/SpinButtons.h"
#include "options/ThresholdStepping.h"
#include "platform/RoundHalfToEven.h"
#include "settings/SharedSettingsState.h"
#include "stats/StatisticLabels.h"
#include "stats/SysInfo.h"
#include "widgets/LevelBar.h"
#include "widgets/LevelBarColours.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <cmath>

using namespace OptionsColumns;

namespace {
constexpr int kRowPitchTwips = 300;
constexpr int kBatteryRow = 6;
constexpr int kLastFixedRow = 7;
constexpr int kFirstResourceRow = 3;
constexpr int kLastResourceRow = 5;

int px(int twips) {
    return int(std::lround(double(twips) / SysInfo::twipsPerPixelY()));
}

}  // namespace

int OptionsStatisticsPage::rowPitchPixels() {
    return px(kRowPitchTwips);
}

OptionsStatisticsPage::OptionsStatisticsPage(QWidget* parent) : QWidget(parent) {
    OptionsColumns::addHeadings(this);
    for (int index = 0; index <= kLastFixedRow; ++index) {
        rows_.append(addRow(index, StatisticLabels::monitorCaption(index)));
    }
    // A high charge is good news, unlike a high usage: the battery's bar runs the other way.
    rows_.at(kBatteryRow)
        .ProgressBar1->setGradient(LevelBarColours::fromBgr(LevelBarColours::kRed),
                                   LevelBarColours::fromBgr(LevelBarColours::kGreen));
    setMinimumWidth(kBoxLeft + kBoxWidth + 30);
    fitHeight();
}

OptionsStatisticsPage::Row OptionsStatisticsPage::addRow(int index, const QString& caption) {
    const int top = kRowsTop + index * rowPitchPixels();
    const int height = std::max(NumberBoxEdit::minimumHeightPixels(), rowPitchPixels() - 1);
    Row row;
    row.Check1 = new QCheckBox(caption, this);
    row.Check1->setObjectName(QStringLiteral("Check1(%1)").arg(index));
    row.Check1->setGeometry(kCheckLeft, top, kCheckWidth, height);
    row.ProgressBar1 = new LevelBar(this);
    row.ProgressBar1->setObjectName(QStringLiteral("ProgressBar1(%1)").arg(index));
    row.ProgressBar1->setGeometry(kBarLeft, top + 2, kBarWidth, height - 4);
    row.Threshold1 = new NumberBoxEdit(this);
    row.Threshold1->setObjectName(QStringLiteral("Threshold1(%1)").arg(index));
    // The rows that could go below zero on the old family took a sign.
    row.Threshold1->box().setLimitedPicture(QStringLiteral("##0%"), OptionsValues::kLevel.minimum,
                                            OptionsValues::kLevel.maximum,
                                            index != 2 && index != 3 && index != 4);
    row.Threshold1->setValue(0);
    row.Threshold1->setGeometry(kBoxLeft, top, kBoxWidth, height);
    row.UpDown1 = new SpinButtons(this);
    row.UpDown1->setObjectName(QStringLiteral("UpDown1(%1)").arg(index));
    row.UpDown1->setRange(0, 100);
    row.UpDown1->setIncrement(kThresholdStep);
    row.UpDown1->setGeometry(kBoxLeft + kBoxWidth + 1, top, 16, height);

    connect(row.Check1, &QCheckBox::toggled, this, &OptionsStatisticsPage::changed);
    connect(row.Threshold1, &NumberBoxEdit::Change, this, &OptionsStatisticsPage::changed);
    connect(row.Threshold1, &NumberBoxEdit::KeyDown, this, [this, row](int key, Qt::KeyboardModifiers) {
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(row, key == Qt::Key_Up);
        }
    });
    connect(row.UpDown1, &SpinButtons::upClicked, this, [this, row] { step(row, true); });
    connect(row.UpDown1, &SpinButtons::downClicked, this, [this, row] { step(row, false); });
    for (QWidget* widget :
         std::initializer_list<QWidget*>{row.Check1, row.ProgressBar1, row.Threshold1, row.UpDown1}) {
        widget->show();
    }
    return row;
}

void OptionsStatisticsPage::step(const Row& row, bool up) {
    const NumberBox& box = row.Threshold1->box();
    const int value = int(roundHalfToEven(std::clamp(box.value(), -1e6, 1e6)));
    const int step = row.UpDown1->increment();
    const int next = up ? ThresholdStepping::up(value, step, int(box.maxValue()))
                        : ThresholdStepping::down(value, step, int(box.minValue()));
    if (next != value) {
        row.Threshold1->setValue(next);
    }
}

void OptionsStatisticsPage::fitHeight() {
    setMinimumHeight(kRowsTop + int(rows_.size()) * rowPitchPixels() + 8);
}

void OptionsStatisticsPage::withoutResourceRows() {
    for (int index = kFirstResourceRow; index <= kLastResourceRow; ++index) {
        const Row& row = rows_.at(index);
        row.Check1->setChecked(false);
        row.Check1->setEnabled(false);
        row.Check1->setFocusPolicy(Qt::NoFocus);
        row.ProgressBar1->hide();
        row.Threshold1->setValue(0);
        row.Threshold1->setEnabled(false);
        row.Threshold1->hide();
        row.UpDown1->setEnabled(false);
        row.UpDown1->hide();
    }
    ResourceMessage =
        new QLabel(QStringLiteral("System, GDI and user resources\nare measures of Windows 95/98/ME;\n"
                                  "Linux has no counterpart, so\nthey are not shown here."),
                   this);
    ResourceMessage->setObjectName(QStringLiteral("ResourceMessage"));
    const QWidget* check = rows_.at(kFirstResourceRow).Check1;
    const QFontMetrics metrics = ResourceMessage->fontMetrics();
    int textWidth = 0;
    for (const QString& line : ResourceMessage->text().split(QLatin1Char('\n'))) {
        textWidth = std::max(textWidth, metrics.horizontalAdvance(line));
    }
    ResourceMessage->setGeometry(kBarLeft - px(330), check->y() + px(15), std::max(px(2955), textWidth + 8),
                                 std::max(px(825), 4 * metrics.lineSpacing()));
    ResourceMessage->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ResourceMessage->setAutoFillBackground(true);
    ResourceMessage->show();
    ResourceMessage->raise();
}

void OptionsStatisticsPage::setExtraDrives(const QList<FixedDrive>& drives) {
    while (rows_.size() > kLastFixedRow + 1) {
        const Row row = rows_.takeLast();
        for (QWidget* widget :
             std::initializer_list<QWidget*>{row.Check1, row.ProgressBar1, row.Threshold1, row.UpDown1}) {
            widget->hide();
            widget->deleteLater();
        }
    }
    extraLetters_.clear();
    for (const FixedDrive& drive : drives) {
        const int index = int(rows_.size());
        const Row row = addRow(index, StatisticLabels::monitorDriveCaption(drive.letter));
        row.Check1->setToolTip(drive.mountPoint);
        rows_.append(row);
        extraLetters_.append(drive.letter.toUpper());
    }
    fitHeight();
}

void OptionsStatisticsPage::showBatteryPresence(bool present) {
    QCheckBox* battery = rows_.at(kBatteryRow).Check1;
    battery->setEnabled(present);
    if (!present) {
        battery->setText(QStringLiteral("Battery (none):"));
    }
}

void OptionsStatisticsPage::showCurrentSettings(const SharedSettingsState& shared, bool resourceRowsShown) {
    for (int index = 0; index <= kLastFixedRow; ++index) {
        const bool resource = index >= kFirstResourceRow && index <= kLastResourceRow;
        if (!resource || resourceRowsShown) {
            rows_.at(index).Check1->setChecked(shared.showItem[size_t(index)]);
            rows_.at(index).Threshold1->setValue(shared.itemLevel[size_t(index)]);
        }
    }
    showDriveSettings(shared);
}

void OptionsStatisticsPage::showDriveSettings(const SharedSettingsState& shared) {
    for (qsizetype k = 0; k < extraLetters_.size(); ++k) {
        const int drive = driveIndex(extraLetters_.at(k));
        if (drive < 0 || drive >= kExtraDriveCount) {
            continue;
        }
        const Row& row = rows_.at(kLastFixedRow + 1 + k);
        row.Check1->setChecked(shared.showDrive[size_t(drive)]);
        row.Threshold1->setValue(shared.driveLevel[size_t(drive)]);
    }
}

void OptionsStatisticsPage::readInto(OptionsValues& values) const {
    values.show.clear();
    values.level.clear();
    for (const Row& row : rows_) {
        values.show.append(row.Check1->isChecked());
        values.level.append(int(roundHalfToEven(std::clamp(row.Threshold1->value(), -32768.0, 32767.0))));
    }
    values.extraDrives = extraLetters_;
}

void OptionsStatisticsPage::refreshStatusBars(SystemInfoModule& stats, CpuMeter* cpuMeter,
                                              bool resourceRowsShown) {
    stats.RefreshSystemStatus();
    for (int index = 0; index <= kLastFixedRow; ++index) {
        const bool resource = index >= kFirstResourceRow && index <= kLastResourceRow;
        if ((resource && !resourceRowsShown) || index == kBatteryRow) {
            continue;
        }
        if (const auto value = stats.itemValue(index, cpuMeter)) {
            rows_.at(index).ProgressBar1->setValue(std::max<int>(0, *value));
        }
    }
    const BatteryState battery = stats.batteryState();
    QCheckBox* batteryBox = rows_.at(kBatteryRow).Check1;
    if (!battery.present) {
        batteryBox->setText(QStringLiteral("Battery (none):"));
    } else {
        batteryBox->setText(StatisticLabels::batteryCaption(battery.condition));
        if (const auto value = stats.itemValue(kBatteryRow, cpuMeter)) {
            rows_.at(kBatteryRow).ProgressBar1->setValue(*value);
        }
    }
    for (qsizetype k = 0; k < extraLetters_.size(); ++k) {
        if (const auto value = stats.driveValue(extraLetters_.at(k))) {
            rows_.at(kLastFixedRow + 1 + k).ProgressBar1->setValue(*value);
        }
    }
}
