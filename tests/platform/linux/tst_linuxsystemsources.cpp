#include "platform/linux/LinuxCpuTimes.h"
#include "platform/linux/LinuxMemoryStatus.h"
#include "platform/linux/LinuxPowerStatus.h"
#include "platform/linux/LinuxProcessCounter.h"
#include "platform/linux/LinuxProcessorValues.h"
#include "platform/linux/SystemFiles.h"

#include <unistd.h>
#include <QtTest>

// The Linux readers over fixture trees of /proc and /sys, including missing, truncated and garbage
// files: a bad file gives no reading, never a wrong one.
class LinuxSystemSourcesTest : public QObject {
    Q_OBJECT

    static SystemFiles tree(const char* name) {
        return SystemFiles(QStringLiteral(QUORVANE_TEST_DATA "/stats/") + QLatin1String(name));
    }
    static constexpr quint64 kKiB = 1024;

private Q_SLOTS:
    void memoryFigures() {
        const auto laptop = LinuxMemoryStatus(tree("laptop")).read();
        QVERIFY(laptop);
        QCOMPARE(laptop->totalPhys, 16000000 * kKiB);
        QCOMPARE(laptop->availPhys, 6000000 * kKiB);
        QCOMPARE(laptop->memoryLoad, 62u);  // 62.5 %: halves go to the even neighbour
        const auto other = LinuxMemoryStatus::parse(
            "MemTotal: 200 kB\nMemAvailable: 173 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n");
        QVERIFY(other);
        QCOMPARE(other->memoryLoad, 14u);  // 13.5 %
    }

    void virtualMemoryIsRamPlusSwap() {
        const auto laptop = LinuxMemoryStatus(tree("laptop")).read();
        QVERIFY(laptop);
        QCOMPARE(laptop->totalPageFile, 4000000 * kKiB);
        QCOMPARE(laptop->availPageFile, 3000000 * kKiB);
        QCOMPARE(laptop->totalVirtual, 20000000 * kKiB);  // well past 4 GB: no 32-bit wrap
        QCOMPARE(laptop->availVirtual, 9000000 * kKiB);
    }

    void memoryWithoutMemAvailableUsesFreePlusCache() {
        const auto desktop = LinuxMemoryStatus(tree("desktop")).read();
        QVERIFY(desktop);
        QCOMPARE(desktop->availPhys, 3000000 * kKiB);
        QCOMPARE(desktop->totalVirtual, 8000000 * kKiB);  // no swap
    }

    void badMemoryFilesGiveNoReading_data() {
        QTest::addColumn<QString>("treeName");
        QTest::newRow("missing") << "arm";
        QTest::newRow("truncated") << "broken";
        QTest::newRow("garbage total") << "garbage";
        QTest::newRow("zero total") << "zerototal";
    }
    void badMemoryFilesGiveNoReading() {
        QFETCH(QString, treeName);
        QVERIFY(!LinuxMemoryStatus(tree(qPrintable(treeName))).read());
    }

    void idleTimeCountsIowait() {
        LinuxCpuTimes times(tree("laptop"), [] { return qint64(0); });
        const qint64 ticksPerSecond = ::sysconf(_SC_CLK_TCK);
        SampleReader reader;
        const std::optional<CpuIdle> idle = times.idle(reader);
        QVERIFY(idle);
        QCOMPARE(idle->time, (80000 + 1500) * 10'000'000LL / ticksPerSecond);
        QCOMPARE(idle->processors, 4);
    }

    void idleTimeOfBadStatFails_data() {
        QTest::addColumn<QString>("treeName");
        QTest::newRow("missing") << "arm";
        QTest::newRow("truncated") << "broken";
        QTest::newRow("garbage") << "garbage";
    }
    void idleTimeOfBadStatFails() {
        QFETCH(QString, treeName);
        LinuxCpuTimes times(tree(qPrintable(treeName)));
        SampleReader reader;
        QVERIFY(!times.idle(reader));
    }

    void processorsAreTheLinesAfterTheTotal_data() {
        QTest::addColumn<QByteArray>("stat");
        QTest::addColumn<int>("count");  // -1: no reading
        const QByteArray total = "cpu  10 0 5 80 1 0 0 0 0 0\n";
        QTest::newRow("two") << total + "cpu0 5 0 2 40 1 0 0 0 0 0\ncpu1 5 0 3 40 0 0 0 0 0 0\nintr 1\n" << 2;
        QTest::newRow("one offline") << total + "cpu0 1\ncpu2 1\ncpu3 1\nintr 1\n" << 3;
        QTest::newRow("last line of the text") << total + "cpu0 1\n" << 1;
        QTest::newRow("cut short") << total + "cpu0 1\ncpu1 1" << -1;
        QTest::newRow("none") << total + "intr 1\n" << -1;
        QTest::newRow("later cpu-like line") << total + "cpu0 1\nintr 1\ncpu1 1\n" << 1;
    }
    void processorsAreTheLinesAfterTheTotal() {
        QFETCH(QByteArray, stat);
        QFETCH(int, count);
        QCOMPARE(LinuxCpuTimes::parseProcessorCount(stat).value_or(-1), count);
    }

    void batteryDischarging() {
        const auto power = LinuxPowerStatus(tree("laptop")).read();
        QVERIFY(power);
        QCOMPARE(power->acLineStatus, quint8(0));
        QCOMPARE(power->batteryLifePercent, quint8(60));  // the mouse battery at 5 % is not counted
        QCOMPARE(power->batteryFlag, quint8(0));          // between low and high
        QCOMPARE(power->batteryLifeTime, 3 * 3600);       // 30 Wh at 10 W
        QCOMPARE(power->batteryFullLifeTime, 5 * 3600);
    }

    void batteriesChargingAddUp() {
        const auto power = LinuxPowerStatus(tree("charging")).read();
        QVERIFY(power);
        QCOMPARE(power->acLineStatus, quint8(1));
        QCOMPARE(power->batteryFlag, quint8(8));
        // 40 of 50 Wh and 10 of 20 Wh (charge at 10 V): 50 of 70 Wh. The empty bay is ignored.
        QCOMPARE(power->batteryLifePercent, quint8(71));
        QCOMPARE(power->batteryLifeTime, -1);
        QCOMPARE(power->batteryFullLifeTime, -1);
    }

    void oneOfTwoBatteriesDraining() {
        const auto power = LinuxPowerStatus(tree("draining")).read();
        QVERIFY(power);
        QCOMPARE(power->acLineStatus, quint8(0));  // batteries and no supply on line
        QCOMPARE(power->batteryFlag, quint8(2));   // 2.2 of 8 Ah: low
        QCOMPARE(power->batteryLifePercent, quint8(28));
        QCOMPARE(power->batteryLifeTime, qint32(2.2 * 3600));  // 2.2 Ah at 1 A, sign ignored
        QCOMPARE(power->batteryFullLifeTime, 8 * 3600);
    }

    void noBatteryAndUnreadableBattery() {
        const auto desktop = LinuxPowerStatus(tree("desktop")).read();
        QVERIFY(desktop);
        QCOMPARE(desktop->batteryFlag, quint8(128));
        QCOMPARE(desktop->acLineStatus, quint8(255));
        QCOMPARE(desktop->batteryLifePercent, quint8(255));

        const auto broken = LinuxPowerStatus(tree("broken")).read();
        QVERIFY(broken);
        QCOMPARE(broken->batteryFlag, quint8(255));  // a battery whose charge is unknown
        QCOMPARE(broken->batteryLifePercent, quint8(255));
        QCOMPARE(broken->batteryLifeTime, -1);

        QVERIFY(!LinuxPowerStatus(tree("arm")).read());  // no power-supply folder at all
    }

    // The supplies are listed now and then only: one that goes away is dropped at once, one that
    // comes is found within a few samples.
    void suppliesThatComeAndGo() {
        QTemporaryDir root;
        const QString supplies = root.path() + QStringLiteral("/sys/class/power_supply");
        const QString battery =
            QStringLiteral(QUORVANE_TEST_DATA "/stats/laptop/sys/class/power_supply/BAT0");
        const auto copyBattery = [&](const QString& folder) {
            QVERIFY(QDir().mkpath(supplies + '/' + folder));
            for (const QString& name : QDir(battery).entryList(QDir::Files)) {
                QVERIFY(QFile::copy(battery + '/' + name, supplies + '/' + folder + '/' + name));
            }
        };
        copyBattery(QStringLiteral("BAT0"));
        LinuxPowerStatus power{SystemFiles(root.path())};
        QCOMPARE(power.read()->batteryLifePercent, quint8(60));
        QVERIFY(QDir(supplies + QStringLiteral("/BAT0")).removeRecursively());
        QCOMPARE(power.read()->batteryFlag, quint8(128));  // no system battery

        copyBattery(QStringLiteral("BAT1"));
        int samples = 1;
        while (power.read()->batteryFlag == 128 && samples <= LinuxPowerStatus::kReadsPerListing) {
            ++samples;
        }
        QVERIFY2(samples <= LinuxPowerStatus::kReadsPerListing, "the new battery was never found");
    }

    void processCounts() {
        const auto laptop = LinuxProcessCounter(tree("laptop")).count();
        QVERIFY(laptop);
        QCOMPARE(laptop->processes, 3);
        QCOMPARE(laptop->threads, 250);
        const auto broken = LinuxProcessCounter(tree("broken")).count();
        QVERIFY(broken);
        QCOMPARE(broken->processes, 1);
        QCOMPARE(broken->threads, 0);  // garbage load line
        QVERIFY(!LinuxProcessCounter(tree("charging")).count());
    }

    void processorValues_data() {
        QTest::addColumn<QString>("treeName");
        QTest::addColumn<QString>("valueName");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("text");
        QTest::addColumn<uint>("number");
        using S = SystemValue::Status;
        QTest::newRow("x86 name") << "laptop"
                                  << "ProcessorNameString" << int(S::Text)
                                  << "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz" << 0u;
        QTest::newRow("cpufreq maximum") << "laptop"
                                         << "~MHz" << int(S::Number) << QString() << 4200u;
        QTest::newRow("x86 vendor") << "laptop"
                                    << "vendorIDENTIFIER" << int(S::Text) << "GenuineIntel" << 0u;
        QTest::newRow("cpu MHz without cpufreq") << "desktop"
                                                 << "~MHz" << int(S::Number) << QString() << 1995u;
        QTest::newRow("arm has no name") << "arm"
                                         << "ProcessorNameString" << int(S::ValueMissing) << QString() << 0u;
        QTest::newRow("arm vendor") << "arm"
                                    << "VendorIdentifier" << int(S::Text) << "ARM part 0xd08" << 0u;
        QTest::newRow("arm speed") << "arm"
                                   << "~MHz" << int(S::Number) << QString() << 1500u;
        QTest::newRow("garbage name") << "broken"
                                      << "ProcessorNameString" << int(S::ValueMissing) << QString() << 0u;
        QTest::newRow("garbage speed") << "broken"
                                       << "~MHz" << int(S::ValueMissing) << QString() << 0u;
        QTest::newRow("no cpuinfo") << "charging"
                                    << "ProcessorNameString" << int(S::KeyMissing) << QString() << 0u;
        QTest::newRow("unknown value") << "laptop"
                                       << "Identifier" << int(S::ValueMissing) << QString() << 0u;
    }
    void processorValues() {
        QFETCH(QString, treeName);
        QFETCH(QString, valueName);
        QFETCH(int, status);
        QFETCH(QString, text);
        QFETCH(uint, number);
        LinuxProcessorValues values(tree(qPrintable(treeName)));
        const SystemValue value =
            values.read(SystemValueRoot::LocalMachine,
                        QStringLiteral("HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0"), valueName);
        QCOMPARE(int(value.status), status);
        QCOMPARE(value.text, text);
        QCOMPARE(value.number, number);
    }

    void otherKeysAreMissing() {
        LinuxProcessorValues values(tree("laptop"));
        QCOMPARE(values
                     .read(SystemValueRoot::CurrentUser, LinuxProcessorValues::processorKey(),
                           QStringLiteral("~MHz"))
                     .status,
                 SystemValue::Status::KeyMissing);
        QCOMPARE(
            values.read(SystemValueRoot::LocalMachine, QStringLiteral("software\\x"), QStringLiteral("y"))
                .status,
            SystemValue::Status::KeyMissing);
    }
};

QTEST_GUILESS_MAIN(LinuxSystemSourcesTest)
#include "tst_linuxsystemsources.moc"
