#include "app/LiveTrayIcon.h"

#include "stats/SystemInfoModule.h"

LiveTrayIcon::LiveTrayIcon(SystemInfoModule& stats, bool isNT, QPixmap plainIcon, SetIcon setIcon,
                           QObject* parent)
    : QObject(parent),
      stats_(stats),
      isNT_(isNT),
      plainIcon_(std::move(plainIcon)),
      setIcon_(std::move(setIcon)) {}

LiveTrayIcon::~LiveTrayIcon() {
    if (cpuMeter_) {
        cpuMeter_->Terminate();
    }
}

void LiveTrayIcon::setOn(bool on) {
    if (on == isOn()) {
        return;
    }
    if (on) {
        cpuMeter_ = stats_.createCpuMeter(isNT_);
        cpuMeter_->Initialize();
        refreshTimer.start();
        refresh();
        return;
    }
    refreshTimer.stop();
    cpuMeter_->Terminate();
    cpuMeter_.reset();
    drawn_.reset();
    setIcon_(plainIcon_);
}

bool LiveTrayIcon::refresh() {
    if (!cpuMeter_) {
        return false;
    }
    stats_.RefreshSystemStatus();
    // A reading that fails keeps the bar where it was drawn.
    const std::optional<qint16> cpu = stats_.cpuValue(*cpuMeter_);
    const std::optional<qint16> memory = stats_.physicalMemoryValue();
    const TrayIconGraph::Heights previous = drawn_.value_or(TrayIconGraph::Heights{});
    TrayIconGraph::Heights bars = TrayIconGraph::heights(cpu.value_or(0), memory.value_or(0));
    if (!cpu) {
        bars.cpu = previous.cpu;
    }
    if (!memory) {
        bars.memory = previous.memory;
    }
    if (drawn_ && *drawn_ == bars) {
        return false;
    }
    drawn_ = bars;
    ++drawCount_;
    setIcon_(TrayIconGraph::draw(plainIcon_, bars));
    return true;
}
