#include "monitor/PopupText.h"
#include "stats/SystemInfoModule.h"
#include "support/FakeSystemSources.h"
#include "support/MemorySettingsStore.h"

#include <QtTest>

namespace {
class FixedMeter : public CpuMeter {
public:
    qint32 answer = 0;
    void Initialize() override {}
    qint32 Query() override { return answer; }
    void Terminate() override {}
    bool queryFailed() const override { return false; }
};
}  // namespace

class PopupTextTest : public QObject {
    Q_OBJECT

    FakeSystem system;
    MemorySettingsStore letters;
    std::unique_ptr<SystemInfoModule> stats;
    SharedSettingsState shown;
    FixedMeter meter;

private Q_SLOTS:
    void init() {
        system = FakeSystem();
        system.memory->status = MemoryStatus{64, 45, 8, 4, 0, 0, 8, 4};
        system.space->set("/", 30, 70);
        stats = std::make_unique<SystemInfoModule>(system.sources(), &letters);
        shown = SharedSettingsState();
    }

    void cpuLinesForHundredAndSeven_data() {
        QTest::addColumn<int>("busy");
        QTest::addColumn<QString>("line");
        QTest::newRow("100") << 100 << "CPU activity ...... 100%";
        QTest::newRow("7") << 7 << "CPU activity ........ 7%";
        QTest::newRow("idle answers below 0") << -1 << "CPU activity ........ 0%";
    }
    void cpuLinesForHundredAndSeven() {
        QFETCH(int, busy);
        QFETCH(QString, line);
        shown.showItem[int(StatisticItem::CPU)] = true;
        meter.answer = busy;
        const QString text = PopupText::build(shown, *stats, &meter);
        QCOMPARE(text, line);
        QCOMPARE(text.size(), 24);
    }

    void nothingSelectedGivesNoText() { QCOMPARE(PopupText::build(shown, *stats, &meter), QString()); }

    void batteryLineOnlyWithABattery() {
        shown.showItem[int(StatisticItem::Battery)] = true;
        shown.showItem[int(StatisticItem::PhysMem)] = true;
        system.power->status = PowerStatus{1, 128, 255, 0, -1, -1};
        QCOMPARE(PopupText::build(shown, *stats, &meter), QStringLiteral("Physical memory .... 45%"));
        system.power->status = PowerStatus{0, 1, 80, 0, 3600, -1};
        QCOMPARE(PopupText::build(shown, *stats, &meter),
                 QStringLiteral("Physical memory .... 45%\r\nBattery(unplugged) . 80%"));
    }

    void selectedDrivesFollowInLetterOrder() {
        system.mounts->set({"/home", "/srv"});
        system.space->set("/home", 91, 9);
        system.space->set("/srv", 50, 50);
        shown.showItem[int(StatisticItem::CDrive)] = true;
        shown.showDrive[driveIndex('E')] = true;
        QCOMPARE(PopupText::build(shown, *stats, &meter),
                 QStringLiteral("C: drive usage ..... 30%  /\r\nE: drive usage ..... 50%  /srv"));
    }
};

QTEST_GUILESS_MAIN(PopupTextTest)
#include "tst_popuptext.moc"
