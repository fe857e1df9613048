#include "app/ThresholdMonitor.h"

#include <algorithm>

namespace {
constexpr int kFirstTickMs = 5000;
constexpr int kEveryTickMs = 1000;
constexpr int kAfterUserClosedMs = 60000;
constexpr int kTailOffsetPixels = 7;

struct WatchedItem {
    StatisticItem item;
    const char* label;
    bool lowIsBad;
};

// Free resources count like usage: a value above the level is the violation, as for memory.
constexpr WatchedItem kWatchedItems[] = {
    {StatisticItem::CPU, "CPU activity ...........", false},
    {StatisticItem::PhysMem, "Physical memory usage ..", false},
    {StatisticItem::VirtMem, "Virtual memory usage ...", false},
    {StatisticItem::SysRsrc, "System resources .......", false},
    {StatisticItem::GDIRsrc, "GDI resources ..........", false},
    {StatisticItem::UserRsrc, "User resources .........", false},
    {StatisticItem::Battery, "Battery status .........", true},
    {StatisticItem::CDrive, "C: drive usage .........", false},
};
}  // namespace

ThresholdMonitor::ThresholdMonitor(State state, ThresholdReadings& readings, AlertBalloon& balloon,
                                   Screen screen, QObject* parent)
    : QObject(parent),
      state_(std::move(state)),
      readings_(readings),
      balloon_(balloon),
      screen_(std::move(screen)) {
    Timer1.setInterval(kFirstTickMs);
    connect(&Timer1, &QTimer::timeout, this, &ThresholdMonitor::timer1Tick);
}

void ThresholdMonitor::setWatching(bool on) {
    if (on) {
        Timer1.setInterval(kFirstTickMs);
        Timer1.start();
    } else {
        Timer1.stop();
        HideBalloon();
    }
}

void ThresholdMonitor::reset() {
    TrayMessage.clear();
    violationCount = 0;
    shownViolationCount = 0;
    balloonId = -1;
    replacingBalloon = false;
}

QString ThresholdMonitor::label(StatisticItem item) {
    return QString::fromLatin1(kWatchedItems[static_cast<int>(item)].label);
}

QString ThresholdMonitor::driveLabel(QChar letter) {
    return QString(letter.toUpper()) + QStringLiteral(": drive usage .........");
}

QString ThresholdMonitor::alertLine(const QString& label, int value) {
    return alertLine(label, value, QStringLiteral("%"));
}

QString ThresholdMonitor::alertLine(const QString& label, int value, const QString& unit) {
    const QString text = QString::number(value) + unit;
    return label + QString(qMax<qsizetype>(0, 5 - text.size()), QLatin1Char('.')) + QLatin1Char(' ') + text;
}

void ThresholdMonitor::addViolation(const QString& line) {
    ++violationCount;
    if (!TrayMessage.isEmpty()) {
        TrayMessage += QStringLiteral("\r\n");
    }
    TrayMessage += line;
}

void ThresholdMonitor::CheckThresholds() {
    TrayMessage.clear();
    violationCount = 0;
    readings_.refresh();

    const SharedSettingsState& shared = state_.shared;
    for (const WatchedItem& watched : kWatchedItems) {
        const int index = static_cast<int>(watched.item);
        const int level = shared.itemLevel[index];
        if (level < 1 || (watched.item == StatisticItem::Battery && !state_.batteryAvailable())) {
            continue;
        }
        // A value that cannot be read is left out: a stale figure in an alert would mislead.
        std::optional<int> value = readings_.value(watched.item);
        if (!value) {
            continue;
        }
        if (watched.item == StatisticItem::CPU && *value < 0) {
            value = 0;
        }
        if (watched.item == StatisticItem::Battery) {
            batteryPercent = static_cast<qint16>(*value);
        }
        if (watched.lowIsBad ? *value < level : *value > level) {
            QString line = alertLine(QString::fromLatin1(watched.label), *value);
            if (watched.item == StatisticItem::CDrive) {
                line += QStringLiteral(" ") + readings_.mountPoint(QLatin1Char('C'));
            }
            addViolation(line);
        }
    }

    for (const QChar letter : readings_.fixedDrives()) {
        const int index = driveIndex(letter);
        if (index < 0 || index >= kExtraDriveCount || shared.driveLevel[index] < 1) {
            continue;
        }
        const std::optional<int> usage = readings_.driveUsage(letter);
        if (usage && *usage > shared.driveLevel[index]) {
            QString line = alertLine(driveLabel(letter), *usage);
            const QString mount = readings_.mountPoint(letter);
            if (!mount.isEmpty()) {
                line += QStringLiteral(" ") + mount;  // a letter alone means little on Linux
            }
            addViolation(line);
        }
    }
    checkActivityItems();
}

void ThresholdMonitor::checkActivityItems() {
    const ActivitySettings& activity = state_.shared.activity;
    for (const ActivityItem item : {ActivityItem::Cores, ActivityItem::Temperature, ActivityItem::DiskBusy}) {
        const int level = activity.levelOf(item);
        if (level < 1) {
            continue;
        }
        const std::optional<ThresholdReadings::ActivityValue> reading = readings_.activityValue(item);
        if (reading && reading->value > level) {
            const ActivityItemText& text = activityText(item);
            QString line =
                alertLine(QString::fromUtf8(text.alertLabel), reading->value, QString::fromUtf8(text.unit));
            if (!reading->where.isEmpty()) {
                line += QLatin1Char(' ') + reading->where;
            }
            addViolation(line);
        }
    }
}

void ThresholdMonitor::timer1Tick() {
    if (!state_.items.mnuMonitor.checked) {
        Timer1.stop();
        return;
    }
    CheckThresholds();
    if (TrayMessage.isEmpty()) {
        if (balloonId != -1) {
            HideBalloon();
        }
    } else {
        if (violationCount != shownViolationCount) {
            replacingBalloon = true;
            HideBalloon();
            screen_.processPendingEvents();
            replacingBalloon = false;
            if (!state_.items.mnuMonitor.checked) {
                return;  // switched off or exited while events ran: no balloon may reappear
            }
            shownViolationCount = violationCount;
        }
        if (balloonId == -1) {
            const QRect icon = screen_.locateTrayIcon();
            const int x = (icon.left() + kTailOffsetPixels) * screen_.twipsPerPixel();
            // Where the work area takes in the panel, its bottom lies below the icon: the tail ends
            // at the icon's top edge so that the balloon covers neither the icon nor its hover. An
            // icon in the upper half (a panel at the top) gets the tail at its bottom edge, and the
            // balloon opens below it.
            int y = screen_.workAreaHeight();
            if (!icon.isEmpty()) {
                const int top = icon.top() * screen_.twipsPerPixel();
                const int bottom = (icon.bottom() + 1) * screen_.twipsPerPixel();
                y = bottom < y / 2 ? bottom : std::min(y, top);
            }
            balloonId = static_cast<qint16>(balloon_.show(TrayMessage, x, y));
        } else {
            balloon_.setText(balloonId, TrayMessage);
        }
    }
    Timer1.setInterval(kEveryTickMs);
    // Only a shown balloon can cover the monitor window: without one, raising it every second
    // would cost a round trip to the display server for nothing.
    if (balloonId != -1 && state_.items.monitorOpen() && state_.items.mnuOnTop.checked) {
        screen_.raiseMonitorWindow();
    }
}

void ThresholdMonitor::joinTick() {
    if (!Timer1.isActive() || Timer1.remainingTime() > kJoinWindowMs) {
        return;
    }
    Timer1.start();  // the tick may set another interval, which restarts it again
    timer1Tick();
}

void ThresholdMonitor::HideBalloon() {
    if (balloonId == -1) {
        return;
    }
    balloon_.close(balloonId);
    balloonClosed();
}

void ThresholdMonitor::balloonClosed() {
    if (!replacingBalloon) {
        Timer1.stop();
        Timer1.setInterval(kAfterUserClosedMs);
        if (state_.items.mnuMonitor.checked) {
            Timer1.start();
        }
    }
    balloonId = -1;
}
