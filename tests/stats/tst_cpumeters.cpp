#include "stats/SystemInfoModule.h"
#include "stats/clsCPUUsage.h"
#include "stats/clsCPUUsageNT.h"
#include "support/FakeSystemSources.h"

#include <QtTest>

namespace {

constexpr qint64 kSecond = 10'000'000;  // 100-ns counts

struct ScriptedCounter : KernelCpuCounter {
    bool startOk = true;
    bool openOk = true;
    QList<std::optional<quint32>> readings;
    QStringList calls;
    bool start() override {
        calls << "start";
        return startOk;
    }
    bool openData() override {
        calls << "open";
        return openOk;
    }
    std::optional<quint32> readData() override {
        calls << "read";
        return readings.isEmpty() ? std::nullopt : readings.takeFirst();
    }
    void closeData() override { calls << "close"; }
    bool stop() override {
        calls << "stop";
        return true;
    }
};

}  // namespace

class CpuMetersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void arithmetic_data() {
        QTest::addColumn<qint64>("idleDelta");
        QTest::addColumn<qint64>("timeDelta");
        QTest::addColumn<int>("processors");
        QTest::addColumn<int>("answer");
        QTest::newRow("two processors half idle") << 2 * kSecond / 2 << kSecond << 2 << 50;
        QTest::newRow("37.9 floors to 37") << qint64(621) << qint64(1000) << 1 << 37;
        QTest::newRow("busy") << qint64(0) << kSecond << 4 << 100;
        QTest::newRow("idle") << 4 * kSecond << kSecond << 4 << 0;
        QTest::newRow("small negative") << qint64(1000100) << qint64(1000000) << 1 << -1;
        // The ratio is rounded to four decimals with halves to even: 0.00005 -> 0.0000, 0.00015 -> 0.0002.
        QTest::newRow("ratio half to even down") << qint64(1) << qint64(20000) << 1 << 100;
        QTest::newRow("ratio half to even up") << qint64(3) << qint64(20000) << 1 << 99;
        // Equal times of day: the raw idle delta (as a fixed-point number) stands for the ratio.
        QTest::newRow("equal times, no idle") << qint64(0) << qint64(0) << 1 << 100;
        QTest::newRow("equal times, idle 0.5") << qint64(5000) << qint64(0) << 1 << 50;
        QTest::newRow("equal times, idle 1.0") << qint64(10000) << qint64(0) << 2 << 50;
    }
    void arithmetic() {
        QFETCH(qint64, idleDelta);
        QFETCH(qint64, timeDelta);
        QFETCH(int, processors);
        QFETCH(int, answer);
        QCOMPARE(clsCPUUsageNT::usage(idleDelta, timeDelta, processors), answer);
    }

    void measuresSincePreviousQuery() {
        auto times = std::make_shared<FakeCpuTimes>();
        times->processors = 2;
        times->idleTime = 100 * kSecond;
        times->now = 500 * kSecond;
        clsCPUUsageNT meter(times);
        meter.Initialize();
        *times->idleTime += kSecond / 2;  // 1 s of 2 processors: 0.5 s idle -> 75 % busy
        *times->now += kSecond;
        QCOMPARE(meter.Query(), 75);
        QVERIFY(!meter.queryFailed());
        *times->idleTime += 2 * kSecond;  // the next second fully idle
        *times->now += kSecond;
        QCOMPARE(meter.Query(), 0);
    }

    void tooShortASpanIsNoReading() {
        auto times = std::make_shared<FakeCpuTimes>();
        clsCPUUsageNT meter(times);
        meter.Initialize();
        *times->now += 10;  // a microsecond after Initialize: no idle tick counted yet
        QCOMPARE(meter.Query(), -1);
        QVERIFY(meter.queryFailed());  // not the 100 % the bare formula gives
        *times->idleTime += kSecond / 2;
        *times->now += kSecond;
        QCOMPARE(meter.Query(), 50);  // measured from Initialize
        *times->now += 10;
        QCOMPARE(meter.Query(), 50);  // the previous reading again
        QVERIFY(!meter.queryFailed());

        // A window's new meter has nothing yet: the program's running meter answers for it.
        FakeSystem system;
        SystemInfoModule module(system.sources(), nullptr);
        auto running = module.createCpuMeter(true);
        running->Initialize();
        *system.cpuTimes->idleTime += kSecond / 4;
        *system.cpuTimes->now += kSecond;
        auto fresh = module.createCpuMeter(true);
        fresh->Initialize();
        QCOMPARE(module.cpuValue(*fresh), std::nullopt);
        module.setRunningCpuMeter(running.get());
        QCOMPARE(module.cpuValue(*fresh), std::optional<qint16>(75));
    }

    void metersDoNotDisturbEachOther() {
        auto times = std::make_shared<FakeCpuTimes>();
        clsCPUUsageNT first(times);
        clsCPUUsageNT second(times);
        first.Initialize();
        second.Initialize();
        *times->now += kSecond;  // a busy second
        QCOMPARE(first.Query(), 100);
        *times->idleTime += kSecond;  // then an idle one
        *times->now += kSecond;
        QCOMPARE(first.Query(), 0);
        QCOMPARE(second.Query(), 50);  // its own two seconds since Initialize
    }

    void failedReadingKeepsTheBaseline() {
        auto times = std::make_shared<FakeCpuTimes>();
        clsCPUUsageNT meter(times);
        meter.Initialize();
        *times->now += kSecond;
        times->idleTime.reset();
        QCOMPARE(meter.Query(), -1);
        QVERIFY(meter.queryFailed());
        times->idleTime = kSecond;  // the next reading covers both seconds
        *times->now += kSecond;
        QCOMPARE(meter.Query(), 50);
        times->processors = 0;
        QCOMPARE(meter.Query(), -1);
        QVERIFY(meter.queryFailed());
    }

    void countersGoingBackwardsStartOver() {
        auto times = std::make_shared<FakeCpuTimes>();
        times->idleTime = 10 * kSecond;
        clsCPUUsageNT meter(times);
        meter.Initialize();
        times->idleTime = 9 * kSecond;  // the kernel's idle time stepped back
        *times->now += kSecond;
        QCOMPARE(meter.Query(), -1);  // not a usage of 200 %
        QVERIFY(meter.queryFailed());
        *times->idleTime += kSecond / 4;
        *times->now += kSecond;
        QCOMPARE(meter.Query(), 75);  // measured from the reading that went back
    }

    void failedInitializeMeasuresFromZero() {
        auto times = std::make_shared<FakeCpuTimes>();
        times->now.reset();
        clsCPUUsageNT meter(times);
        meter.Initialize();
        times->now = 4 * kSecond;
        times->idleTime = kSecond;
        QCOMPARE(meter.Query(), 75);
    }

    void oldFamilyMeterWithoutCounter() {
        clsCPUUsage meter(nullptr);
        meter.Initialize();
        QCOMPARE(meter.Query(), 0);
        QVERIFY(meter.queryFailed());
        meter.Terminate();
    }

    void oldFamilyMeterFailedInitializeAnswersZero() {
        auto counter = std::make_unique<ScriptedCounter>();
        counter->startOk = false;
        counter->readings = {quint32(40)};
        ScriptedCounter* script = counter.get();
        clsCPUUsage meter(std::move(counter));
        meter.Initialize();
        QCOMPARE(meter.Query(), 0);
        QCOMPARE(script->calls, (QStringList{"start"}));
    }

    void oldFamilyMeterKeepsLastValue() {
        auto counter = std::make_unique<ScriptedCounter>();
        counter->readings = {quint32(40), std::nullopt, quint32(12)};
        ScriptedCounter* script = counter.get();
        clsCPUUsage meter(std::move(counter));
        meter.Initialize();
        QCOMPARE(meter.Query(), 40);
        QCOMPARE(meter.Query(), 40);  // a failed read answers the stored value
        QVERIFY(meter.queryFailed());
        QCOMPARE(meter.Query(), 12);
        meter.Terminate();
        QCOMPARE(script->calls, (QStringList{"start", "open", "read", "read", "read", "close", "stop"}));
    }
};

QTEST_GUILESS_MAIN(CpuMetersTest)
#include "tst_cpumeters.moc"
