#include "options/OptionsSystemPage.h"

#include "options/SystemFactsText.h"

#include <QGridLayout>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace {
constexpr int kFixedRows = 7;
constexpr int kOsRow = 5;
constexpr int kDiskRow = 6;

QString driveSize(SystemInfoModule& stats, const QString& mountPoint) {
    const auto space = stats.diskSpace(mountPoint);
    return space ? SystemFactsText::gigabytes(double(space->total)) : QString();
}
}  // namespace

OptionsSystemPage::OptionsSystemPage(QWidget* parent) : QWidget(parent) {
    auto* outer = new QVBoxLayout(this);
    grid_ = new QGridLayout;
    grid_->setColumnStretch(1, 1);
    grid_->setHorizontalSpacing(12);
    outer->addLayout(grid_);
    outer->addStretch(1);
    const char* const captions[kFixedRows] = {
        "Processor type:",    "Number of processors:", "Physical memory:",   "Virtual memory:",
        "Screen resolution:", "Operating system:",     "C: drive disk size:"};
    for (const char* caption : captions) {
        addRow(QString::fromLatin1(caption));
    }
    // The kernel sits under the operating system's name, in the value column.
    WinVersion = new QLabel(this);
    WinVersion->setObjectName(QStringLiteral("WinVersion"));
    grid_->addWidget(SystemInfo.at(kOsRow), kOsRow * 2, 1);
    grid_->addWidget(WinVersion, kOsRow * 2 + 1, 1);
}

void OptionsSystemPage::addRow(const QString& caption) {
    const int index = int(SystemText.size());
    auto* text = new QLabel(caption, this);
    text->setObjectName(QStringLiteral("SystemText(%1)").arg(index));
    text->setAlignment(Qt::AlignRight | Qt::AlignTop);
    auto* info = new QLabel(this);
    info->setObjectName(QStringLiteral("SystemInfo(%1)").arg(index));
    info->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid_->addWidget(text, index * 2, 0);
    grid_->addWidget(info, index * 2, 1);
    SystemText.append(text);
    SystemInfo.append(info);
}

void OptionsSystemPage::fillMachineFacts(SystemInfoModule& stats) {
    SystemInfo.at(0)->setText(SystemFactsText::processor(stats.GetProcessorDescription()));
    SampleReader reader;
    const auto idle = stats.sources().cpuTimes ? stats.sources().cpuTimes->idle(reader) : std::nullopt;
    SystemInfo.at(1)->setText(idle ? QString::number(idle->processors) : QString());
    const auto version = stats.sources().osVersion ? stats.sources().osVersion->version() : std::nullopt;
    SystemInfo.at(kOsRow)->setText(version ? version->distribution : QString());
    WinVersion->setText(version && !version->kernelRelease.isEmpty()
                            ? QStringLiteral("Kernel ") + version->kernelRelease
                            : QString());
}

void OptionsSystemPage::fillSizes(SystemInfoModule& stats) {
    const std::unique_ptr<CMemState> memory = stats.createMemState();
    SystemInfo.at(2)->setText(SystemFactsText::megabytes(memory->TotalPhysical()));
    SystemInfo.at(3)->setText(SystemFactsText::megabytes(memory->TotalVirtual()));
    if (const QScreen* shown = screen()) {
        const QSize pixels = shown->size() * shown->devicePixelRatio();
        SystemInfo.at(4)->setText(QStringLiteral("%1 x %2").arg(pixels.width()).arg(pixels.height()));
    }
    SystemInfo.at(kDiskRow)->setText(driveSize(stats, QStringLiteral("/")));
}

void OptionsSystemPage::setExtraDrives(SystemInfoModule& stats, const QList<FixedDrive>& drives) {
    while (SystemText.size() > kFixedRows) {
        SystemText.takeLast()->deleteLater();
        SystemInfo.takeLast()->deleteLater();
    }
    for (const FixedDrive& drive : drives) {
        addRow(drive.name() + QStringLiteral(" drive disk size:"));
        // The letter alone tells a user nothing here: the mount point stands beside it.
        QString size = driveSize(stats, drive.mountPoint);
        SystemInfo.last()->setText(size.isEmpty() ? drive.mountPoint
                                                  : size + QStringLiteral("   (") + drive.mountPoint + ')');
    }
}
