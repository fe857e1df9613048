#include "app/ThresholdMonitor.h"

#include <QtTest>

namespace {
class FakeReadings : public ThresholdReadings {
public:
    std::map<StatisticItem, std::optional<int>> values;
    std::map<QChar, int> drives;
    std::map<ActivityItem, ActivityValue> activity;
    QStringList asked;
    void refresh() override { asked << "refresh"; }
    std::optional<int> value(StatisticItem item) override {
        asked << ThresholdMonitor::label(item);
        const auto found = values.find(item);
        return found == values.end() ? std::nullopt : found->second;
    }
    QList<QChar> fixedDrives() override {
        QList<QChar> letters;
        for (const auto& [letter, usage] : drives) {
            letters << letter;
        }
        return letters;
    }
    std::optional<int> driveUsage(QChar letter) override { return drives.at(letter); }
    QString mountPoint(QChar letter) override {
        return letter == QLatin1Char('C') ? QStringLiteral("/") : QStringLiteral("/home");
    }
    std::optional<ActivityValue> activityValue(ActivityItem item) override {
        asked << activitySuffix(item);
        const auto found = activity.find(item);
        return found == activity.end() ? std::nullopt : std::optional<ActivityValue>(found->second);
    }
};

class FakeBalloon : public AlertBalloon {
public:
    int nextId = 1;
    int shown = 0;
    int closed = 0;
    QString text;
    int x = 0;
    int y = 0;
    int show(const QString& message, int xTwips, int yTwips) override {
        ++shown;
        text = message;
        x = xTwips;
        y = yTwips;
        return nextId++;
    }
    void setText(int, const QString& message) override { text = message; }
    void close(int) override { ++closed; }
};
}  // namespace

class ThresholdMonitorTest : public QObject {
    Q_OBJECT

    TrayMenuState items;
    SharedSettingsState shared;
    bool batteryAvailable = false;
    FakeReadings readings;
    FakeBalloon balloon;
    std::unique_ptr<ThresholdMonitor> monitor;
    int raised = 0;
    QRect icon;
    int workAreaHeight = 0;
    std::function<void()> whileEventsRun = [] {};

    void level(StatisticItem item, int value) { shared.itemLevel[int(item)] = qint16(value); }

private Q_SLOTS:
    void init() {
        items = TrayMenuState();
        shared = SharedSettingsState();
        batteryAvailable = false;
        items.mnuMonitor.checked = true;
        readings = FakeReadings();
        balloon = FakeBalloon();
        raised = 0;
        icon = QRect(1200, 776, 24, 24);
        workAreaHeight = 776 * 15;
        whileEventsRun = [] {};
        monitor = std::make_unique<ThresholdMonitor>(
            ThresholdMonitor::State{items, shared, [this] { return batteryAvailable; }}, readings, balloon,
            ThresholdMonitor::Screen{[this] { return icon; }, [] { return 15; },
                                     [this] { return workAreaHeight; }, [this] { whileEventsRun(); },
                                     [this] { ++raised; }});
        monitor->Timer1.start();
    }

    void alertLines_data() {
        QTest::addColumn<QString>("label");
        QTest::addColumn<int>("value");
        QTest::addColumn<QString>("line");
        QTest::newRow("85") << ThresholdMonitor::label(StatisticItem::CPU) << 85
                            << "CPU activity ..........."
                               ".. 85%";
        QTest::newRow("100") << ThresholdMonitor::label(StatisticItem::CPU) << 100
                             << "CPU activity ..........."
                                ". 100%";
        QTest::newRow("5") << ThresholdMonitor::label(StatisticItem::CPU) << 5
                           << "CPU activity ..........."
                              "... 5%";
        QTest::newRow("drive D") << ThresholdMonitor::driveLabel('d') << 91
                                 << "D: drive usage ........."
                                    ".. 91%";
        QTest::newRow("five characters") << ThresholdMonitor::label(StatisticItem::PhysMem) << 1234
                                         << "Physical memory usage .."
                                            " 1234%";
    }
    void alertLines() {
        QFETCH(QString, label);
        QFETCH(int, value);
        QFETCH(QString, line);
        QCOMPARE(ThresholdMonitor::alertLine(label, value), line);
        QCOMPARE(label.size(), 24);
        if (QString::number(value).size() < 5) {
            QCOMPARE(line.size(), 30);
        }
    }

    void violationsAreStrict_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<int>("levelValue");
        QTest::addColumn<int>("value");
        QTest::addColumn<bool>("violated");
        QTest::newRow("CPU 90 at level 90") << int(StatisticItem::CPU) << 90 << 90 << false;
        QTest::newRow("CPU 91 at level 90") << int(StatisticItem::CPU) << 90 << 91 << true;
        QTest::newRow("battery 19 below 20") << int(StatisticItem::Battery) << 20 << 19 << true;
        QTest::newRow("battery unknown") << int(StatisticItem::Battery) << 20 << 255 << false;
        QTest::newRow("free resources 60 above 50") << int(StatisticItem::SysRsrc) << 50 << 60 << true;
        QTest::newRow("free resources 40 below 50") << int(StatisticItem::SysRsrc) << 50 << 40 << false;
        QTest::newRow("negative CPU counts as 0") << int(StatisticItem::CPU) << 1 << -2 << false;
    }
    void violationsAreStrict() {
        QFETCH(int, item);
        QFETCH(int, levelValue);
        QFETCH(int, value);
        QFETCH(bool, violated);
        batteryAvailable = true;
        level(StatisticItem(item), levelValue);
        readings.values[StatisticItem(item)] = value;
        monitor->CheckThresholds();
        QCOMPARE(monitor->violationCount, violated ? 1 : 0);
    }

    void noBatteryIsNeverTested() {
        level(StatisticItem::Battery, 20);
        readings.values[StatisticItem::Battery] = 5;
        monitor->CheckThresholds();
        QVERIFY(monitor->TrayMessage.isEmpty());
        QVERIFY(!readings.asked.contains(ThresholdMonitor::label(StatisticItem::Battery)));
    }

    void unwatchedAndUnreadableItemsAreSkipped() {
        level(StatisticItem::PhysMem, 50);
        readings.values[StatisticItem::CPU] = 100;
        monitor->CheckThresholds();  // CPU not watched, memory not readable
        QVERIFY(monitor->TrayMessage.isEmpty());
        QVERIFY(!readings.asked.contains(ThresholdMonitor::label(StatisticItem::CPU)));
    }

    void linesInOrderWithDrives() {
        level(StatisticItem::CPU, 50);
        level(StatisticItem::CDrive, 50);
        shared.driveLevel[driveIndex('D')] = 80;
        readings.values[StatisticItem::CPU] = 85;
        readings.values[StatisticItem::CDrive] = 60;
        readings.drives = {{'D', 91}, {'E', 99}};
        monitor->CheckThresholds();
        QCOMPARE(monitor->violationCount, 3);
        QCOMPARE(monitor->TrayMessage, QStringLiteral("CPU activity ..........."
                                                      ".. 85%\r\n"
                                                      "C: drive usage ........."
                                                      ".. 60% /\r\n"
                                                      "D: drive usage ........."
                                                      ".. 91% /home"));
    }

    void activityItemsAfterTheDrives() {
        shared.driveLevel[driveIndex('D')] = 80;
        readings.drives = {{'D', 91}};
        shared.activity.level = {90, 80, 50, 0};
        readings.activity[ActivityItem::Cores] = {97, "core 3"};
        readings.activity[ActivityItem::Temperature] = {80, "Package id 0"};  // not above 80
        readings.activity[ActivityItem::DiskBusy] = {51, "sda"};
        monitor->CheckThresholds();
        QCOMPARE(monitor->violationCount, 3);
        QCOMPARE(monitor->TrayMessage, QStringLiteral("D: drive usage ........."
                                                      ".. 91% /home\r\n"
                                                      "Busiest CPU core ......."
                                                      ".. 97% core 3\r\n"
                                                      "Disk busy .............."
                                                      ".. 51% sda"));
        readings.activity[ActivityItem::Temperature] = {101, "Tctl"};
        monitor->CheckThresholds();
        QVERIFY(monitor->TrayMessage.contains(QStringLiteral("CPU temperature ........ 101\u00b0C Tctl")));
        QVERIFY(!readings.asked.contains(QStringLiteral("Network")));  // no level, never read
    }

    void allLevelsZeroNeverShowABalloon() {
        readings.values[StatisticItem::CPU] = 100;
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 0);
        QCOMPARE(monitor->Timer1.interval(), 1000);
    }

    // The monitor window's refresh carries a check that is nearly due; one that is not waits.
    void checkJoinsARefreshOnlyWhenNearlyDue() {
        monitor->Timer1.start(1000);
        monitor->joinTick();
        QVERIFY(readings.asked.isEmpty());
        QVERIFY(monitor->Timer1.remainingTime() > ThresholdMonitor::kJoinWindowMs);

        monitor->Timer1.start(ThresholdMonitor::kJoinWindowMs - 50);
        monitor->joinTick();
        QCOMPARE(readings.asked.value(0), QStringLiteral("refresh"));
        QVERIFY(monitor->Timer1.isActive());
        QVERIFY(monitor->Timer1.remainingTime() > 900);  // started over: its own tick would not follow

        readings.asked.clear();
        monitor->setWatching(false);
        monitor->joinTick();
        QVERIFY(readings.asked.isEmpty());
    }

    void balloonAtTheIconAndTheWorkAreaBottom() {
        level(StatisticItem::CPU, 50);
        readings.values[StatisticItem::CPU] = 85;
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 1);
        QCOMPARE(balloon.x, (1200 + 7) * 15);
        QCOMPARE(balloon.y, 776 * 15);
        QCOMPARE(monitor->balloonId, 1);
    }

    void tailStopsAtTheIconWhenTheWorkAreaTakesInThePanel() {
        workAreaHeight = 800 * 15;
        level(StatisticItem::CPU, 50);
        readings.values[StatisticItem::CPU] = 85;
        monitor->timer1Tick();
        QCOMPARE(balloon.y, 776 * 15);
        // An icon that cannot be located: the work area's bottom.
        monitor->HideBalloon();
        icon = QRect();
        monitor->Timer1.start();
        monitor->timer1Tick();
        QCOMPARE(balloon.y, 800 * 15);
        // A panel at the top: the tail ends at the icon's bottom edge, the balloon opens below it.
        monitor->HideBalloon();
        icon = QRect(1200, 0, 24, 24);
        monitor->Timer1.start();
        monitor->timer1Tick();
        QCOMPARE(balloon.y, 24 * 15);
    }

    void countChangeRebuildsSameCountRefreshes() {
        level(StatisticItem::CPU, 50);
        level(StatisticItem::PhysMem, 50);
        level(StatisticItem::VirtMem, 50);
        readings.values[StatisticItem::CPU] = 85;
        readings.values[StatisticItem::PhysMem] = 70;
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 1);

        readings.values[StatisticItem::VirtMem] = 60;  // three now: closed and built anew
        monitor->timer1Tick();
        QCOMPARE(balloon.closed, 1);
        QCOMPARE(balloon.shown, 2);
        QCOMPARE(monitor->shownViolationCount, 3);
        QVERIFY(monitor->Timer1.isActive());
        QCOMPARE(monitor->Timer1.interval(), 1000);  // a rebuild is not a user's close

        readings.values[StatisticItem::CPU] = 99;  // still three: the same balloon, new text
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 2);
        QVERIFY(balloon.text.contains("99%"));
    }

    void userCloseHoldsBackForAMinute() {
        level(StatisticItem::CPU, 50);
        readings.values[StatisticItem::CPU] = 85;
        monitor->timer1Tick();
        monitor->balloonClosed();  // the user's close button
        QCOMPARE(monitor->Timer1.interval(), 60000);
        QVERIFY(monitor->Timer1.isActive());
        QCOMPARE(monitor->balloonId, -1);
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 2);
        QCOMPARE(monitor->Timer1.interval(), 1000);
    }

    void violationsGoneCloseTheBalloon() {
        level(StatisticItem::CPU, 50);
        readings.values[StatisticItem::CPU] = 85;
        monitor->timer1Tick();
        readings.values[StatisticItem::CPU] = 10;
        monitor->timer1Tick();
        QCOMPARE(balloon.closed, 1);
        QCOMPARE(monitor->balloonId, -1);
        QCOMPARE(monitor->Timer1.interval(), 1000);
    }

    // Switched on, the first check waits 5 s; switched off, the balloon goes with it.
    void monitoringSwitchedOffWhileShown() {
        monitor->setWatching(true);
        QCOMPARE(monitor->Timer1.interval(), 5000);
        level(StatisticItem::CPU, 50);
        readings.values[StatisticItem::CPU] = 85;
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 1);
        monitor->setWatching(false);
        items.mnuMonitor.checked = false;
        QCOMPARE(balloon.closed, 1);
        monitor->timer1Tick();  // a late tick finds monitoring off
        QVERIFY(!monitor->Timer1.isActive());
        QCOMPARE(balloon.shown, 1);
    }

    void switchedOffWhileARebuildWaits() {
        level(StatisticItem::CPU, 50);
        level(StatisticItem::PhysMem, 50);
        readings.values[StatisticItem::CPU] = 85;
        monitor->timer1Tick();
        readings.values[StatisticItem::PhysMem] = 70;  // the count changes: the balloon is rebuilt
        whileEventsRun = [this] {
            monitor->Timer1.stop();
            items.mnuMonitor.checked = false;  // the user switches monitoring off meanwhile
        };
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 1);
        QCOMPARE(monitor->balloonId, -1);
        QVERIFY(!monitor->Timer1.isActive());
    }

    void monitorWindowIsRaisedAboveTheBalloon() {
        items.setMonitorOpen(true);
        items.mnuOnTop.checked = true;
        monitor->timer1Tick();
        QCOMPARE(raised, 0);  // no balloon to cover it
        level(StatisticItem::CPU, 50);
        readings.values[StatisticItem::CPU] = 80;
        monitor->timer1Tick();
        QCOMPARE(balloon.shown, 1);
        QCOMPARE(raised, 1);
        monitor->timer1Tick();
        QCOMPARE(raised, 2);
    }
};

QTEST_GUILESS_MAIN(ThresholdMonitorTest)
#include "tst_thresholdmonitor.moc"
