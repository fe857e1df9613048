#include "stats/StatisticLabels.h"
#include "stats/StatsCommand.h"
#include "stats/SystemInfoModule.h"
#include "support/FakeSystemSources.h"
#include "support/TestEnvironment.h"

#include <QtTest>

class StatsCommandTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void popupLines_data() {
        QTest::addColumn<int>("value");  // -1: failed reading
        QTest::addColumn<QString>("line");
        QTest::newRow("100") << 100 << "CPU activity ...... 100%";
        QTest::newRow("7") << 7 << "CPU activity ........ 7%";
        QTest::newRow("42") << 42 << "CPU activity ....... 42%";
        QTest::newRow("failed") << -1 << "CPU activity ....... n/a";
    }
    void popupLines() {
        QFETCH(int, value);
        QFETCH(QString, line);
        const QString built = StatisticLabels::popupLine(
            StatisticLabels::popupLabel(0), value < 0 ? std::nullopt : std::optional<int>(value));
        QCOMPARE(built, line);
        QCOMPARE(built.size(), 24);
    }

    void labelsAreNineteenCharacters() {
        for (int item = 0; item < kFixedItemCount; ++item) {
            for (const auto condition :
                 {BatteryCondition::Normal, BatteryCondition::Charging, BatteryCondition::Unplugged}) {
                QCOMPARE(StatisticLabels::popupLabel(item, condition).size(), 19);
            }
        }
        QCOMPARE(StatisticLabels::popupDriveLabel('e'), QStringLiteral("E: drive usage ...."));
        QCOMPARE(StatisticLabels::monitorDriveCaption('e'), QStringLiteral("E: drive disk usage:"));
        QCOMPARE(StatisticLabels::monitorCaption(7), QStringLiteral("C: drive disk usage:"));
    }

    void printsEveryItemThenTheMachine() {
        FakeSystem fake;
        MemoryStatus memory;
        memory.memoryLoad = 40;
        memory.totalVirtual = 800;
        memory.availVirtual = 700;
        fake.memory->status = memory;
        PowerStatus power;
        power.acLineStatus = 0;
        power.batteryFlag = 0;
        power.batteryLifePercent = 45;
        fake.power->status = power;
        fake.mounts->set({"/", "/home"});
        fake.space->set("/", 21, 79);
        fake.space->set("/home", 1, 3);
        fake.systemValues->text("ProcessorNameString", "Test CPU");
        fake.systemValues->number("~MHz", 2400);
        fake.processes->counts = ProcessCounts{1234, 5678};
        fake.osVersion->answer = OsVersion{2, 10, 0, 9999, {}, {}};
        SystemInfoModule module(fake.sources(), nullptr);

        QString text;
        QTextStream out(&text);
        QCOMPARE(StatsCommand::run(out, module, std::chrono::milliseconds(0)), 0);
        QCOMPARE(text,
                 QStringLiteral("CPU activity ....... n/a\n"  // the fake's clock never moves: no reading
                                "Physical memory .... 40%\n"
                                "Virtual memory ..... 12%\n"
                                "System resources ... n/a\n"
                                "GDI resources ...... n/a\n"
                                "User resources ..... n/a\n"
                                "Battery(unplugged) . 45%\n"
                                "C: drive usage ..... 21%  /\n"
                                "D: drive usage ..... 25%  /home\n"
                                "Busiest core ...... (none)\n"
                                "CPU temperature ... (none)\n"
                                "Disk busy ......... (none)\n"
                                "Network ........... (none)\n"
                                "Test CPU (2.40 GHz)\n"
                                "1,234 active processes\n"
                                "5,678 active threads\n"));
    }

    void runsWithoutADisplay() {
        TestEnvironment environment;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.remove("QT_QPA_PLATFORM");
        env.insert("XDG_CONFIG_HOME", environment.configHome());
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QUORVANE_BINARY), {"--dry-run", "--stats"});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), 0);
        const QStringList lines =
            QString::fromUtf8(program.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
        QVERIFY2(lines.size() >= kFixedItemCount + 3, qPrintable(lines.join('\n')));
        for (int item = 0; item < kFixedItemCount; ++item) {
            QVERIFY2(lines[item].startsWith(StatisticLabels::popupLabel(item).left(8)),
                     qPrintable(lines[item]));
            QVERIFY(lines[item].size() >= 24);
        }
        QVERIFY(lines.last().endsWith(QLatin1String(" active threads")));
        QVERIFY(lines[7].startsWith(QLatin1String("C: drive usage ....")));
        QVERIFY(!lines[7].contains(QLatin1String("n/a")));  // the root filesystem is always there
    }
};

QTEST_GUILESS_MAIN(StatsCommandTest)
#include "tst_statscommand.moc"
