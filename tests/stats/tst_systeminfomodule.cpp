#include "platform/linux/IniSettingsStore.h"
#include "stats/StatisticLabels.h"
#include "stats/SystemInfoModule.h"
#include "stats/WindowsKind.h"
#include "support/FakeSystemSources.h"
#include "support/MemorySettingsStore.h"
#include "support/TestEnvironment.h"

#include <QtTest>

#include <sys/wait.h>
#include <unistd.h>

class SystemInfoModuleTest : public QObject {
    Q_OBJECT

    FakeSystem fake;
    MemorySettingsStore store;
    std::unique_ptr<SystemInfoModule> module;

    static MemoryStatus memory(quint64 totalVirtual, quint64 availVirtual, quint32 load = 40) {
        MemoryStatus status;
        status.memoryLoad = load;
        status.totalPhys = 16ULL << 30;
        status.availPhys = 8ULL << 30;
        status.totalVirtual = totalVirtual;
        status.availVirtual = availVirtual;
        return status;
    }
    static PowerStatus power(int ac, int flag, int percent) {
        PowerStatus status;
        status.acLineStatus = static_cast<quint8>(ac);
        status.batteryFlag = static_cast<quint8>(flag);
        status.batteryLifePercent = static_cast<quint8>(percent);
        return status;
    }

private Q_SLOTS:
    void init() {
        fake = FakeSystem();
        store = MemorySettingsStore();
        module = std::make_unique<SystemInfoModule>(fake.sources(), &store);
    }

    void memoryItems() {
        fake.memory->status = memory(800, 700, 37);  // 12.5 % of virtual memory in use
        module->RefreshSystemStatus();
        QCOMPARE(module->itemValue(1, nullptr), std::optional<qint16>(37));
        QCOMPARE(module->itemValue(2, nullptr), std::optional<qint16>(12));
        fake.memory->status = memory(800, 692);  // 13.5 %
        module->RefreshSystemStatus();
        QCOMPARE(module->virtualMemoryValue(), std::optional<qint16>(14));
        // Past 4 GB the figures stay exact.
        fake.memory->status = memory(48ULL << 30, 12ULL << 30);
        module->RefreshSystemStatus();
        QCOMPARE(module->virtualMemoryValue(), std::optional<qint16>(75));
    }

    void failedReadingsFailTheirItems() {
        fake.memory->status = memory(800, 400);
        module->RefreshSystemStatus();
        QVERIFY(module->virtualMemoryValue());
        fake.memory->status.reset();
        fake.power->status.reset();
        module->RefreshSystemStatus();
        QVERIFY(!module->memoryStatusValid());
        QVERIFY(!module->powerStatusValid());
        QCOMPARE(module->memoryStatus().totalVirtual, 800u);  // the record keeps its last content
        QVERIFY(!module->physicalMemoryValue());
        QVERIFY(!module->virtualMemoryValue());
        QVERIFY(!module->batteryValue());

        fake.memory->status = memory(0, 0);  // a zero total
        module->RefreshSystemStatus();
        QVERIFY(!module->virtualMemoryValue());
        fake.memory->status = memory(100, 200);  // more available than there is
        module->RefreshSystemStatus();
        QVERIFY(!module->virtualMemoryValue());
    }

    void cpuItemNeedsAMeterAndNeverShowsNegative() {
        QVERIFY(!module->itemValue(0, nullptr));
        const auto meter = module->createCpuMeter(true);
        fake.cpuTimes->idleTime = 0;
        fake.cpuTimes->now = 0;
        meter->Initialize();
        fake.cpuTimes->idleTime = 10001000;  // a tiny bit more idle than time passed: -1
        fake.cpuTimes->now = 10000000;
        QCOMPARE(module->itemValue(0, meter.get()), std::optional<qint16>(0));
        fake.cpuTimes->idleTime.reset();
        QVERIFY(!module->cpuValue(*meter));  // a failed reading is not a measurement of 0 %
    }

    void resourceItemsOnlyWithTheirLibrary() {
        for (int item = 3; item <= 5; ++item) {
            QVERIFY(!module->itemValue(item, nullptr));
        }
        SystemSources sources = fake.sources();
        sources.freeResources = std::make_shared<FakeFreeResources>();
        SystemInfoModule oldFamily(sources, nullptr);
        QCOMPARE(oldFamily.itemValue(3, nullptr), std::optional<qint16>(80));
        QCOMPARE(oldFamily.itemValue(5, nullptr), std::optional<qint16>(60));
    }

    void batteryRule_data() {
        QTest::addColumn<int>("ac");
        QTest::addColumn<int>("flag");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("present");
        QTest::addColumn<int>("condition");
        QTest::addColumn<int>("value");  // -1: no value
        const int normal = int(BatteryCondition::Normal);
        const int charging = int(BatteryCondition::Charging);
        const int unplugged = int(BatteryCondition::Unplugged);
        QTest::newRow("flag 0 with 45") << 1 << 0 << 45 << true << normal << 45;
        QTest::newRow("flag 128") << 1 << 128 << 45 << false << normal << -1;
        QTest::newRow("flag 0, empty") << 255 << 0 << 0 << false << normal << -1;
        QTest::newRow("charging") << 1 << 8 << 50 << true << charging << 50;
        QTest::newRow("charging, low") << 1 << 10 << 20 << true << charging << 20;
        QTest::newRow("charging but full") << 1 << 8 << 100 << true << normal << 100;
        QTest::newRow("high") << 1 << 1 << 90 << true << normal << 90;
        QTest::newRow("unplugged") << 0 << 8 << 50 << true << unplugged << 50;
        QTest::newRow("charge unknown") << 0 << 255 << 255 << true << unplugged << -1;
    }
    void batteryRule() {
        QFETCH(int, ac);
        QFETCH(int, flag);
        QFETCH(int, percent);
        QFETCH(bool, present);
        QFETCH(int, condition);
        QFETCH(int, value);
        fake.power->status = power(ac, flag, percent);
        module->RefreshSystemStatus();
        const BatteryState state = module->batteryState();
        QCOMPARE(state.present, present);
        if (present) {
            QCOMPARE(int(state.condition), condition);
        }
        QCOMPARE(module->itemValue(6, nullptr).value_or(-1), value);
    }

    void batteryCaptions() {
        QCOMPARE(StatisticLabels::batteryCaption(BatteryCondition::Unplugged),
                 QStringLiteral("Battery status (unplugged):"));
        QCOMPARE(StatisticLabels::monitorCaption(6, BatteryCondition::Charging),
                 QStringLiteral("Battery status (charging):"));
        QCOMPARE(StatisticLabels::popupLabel(6, BatteryCondition::Unplugged),
                 QStringLiteral("Battery(unplugged) "));
    }

    void driveUsageAgreesWithTheUsersView() {
        fake.space->set("/", 21, 79, 5);  // reserved blocks count neither as total nor as free
        QCOMPARE(module->itemValue(7, nullptr), std::optional<qint16>(21));
        QCOMPARE(module->driveValue('c'), std::optional<qint16>(21));
        const auto space = module->diskSpace("/");
        QVERIFY(space);
        QCOMPARE(space->total, 100u * 1024);
        QCOMPARE(space->freeToCaller, 79u * 1024);
        QCOMPARE(space->totalFree, 84u * 1024);
        fake.space->figures.insert("/", FileSystemFigures{0, 0, 0, 4096});  // a zero total
        QVERIFY(!module->driveValue('C'));
        fake.space->figures.remove("/");  // the filesystem went away
        QVERIFY(!module->driveValue('C'));
    }

    void lettersStayWithTheirMountPoints() {
        fake.mounts->set({"/", "/home", "/data"});
        module->EnumFixedDrives();
        QCOMPARE(module->fixedDriveLetters(), (QList<QChar>{'D', 'E'}));
        QCOMPARE(module->driveRoot('d'), QStringLiteral("/home"));
        QCOMPARE(store.read("DriveMountD"), std::optional<QString>("/home"));
        QCOMPARE(store.read("DriveMountE"), std::optional<QString>("/data"));

        // Next run: /home is not mounted, a new disk is; /data keeps E:, /home keeps D: reserved.
        fake.mounts->set({"/srv", "/data", "/"});
        SystemInfoModule nextRun(fake.sources(), &store);
        nextRun.EnumFixedDrives();
        QCOMPARE(nextRun.fixedDriveLetters(), (QList<QChar>{'E', 'F'}));
        QCOMPARE(nextRun.fixedDrive('E')->mountPoint, QStringLiteral("/data"));
        QCOMPARE(nextRun.fixedDrive('F')->mountPoint, QStringLiteral("/srv"));
        QVERIFY(!nextRun.fixedDrive('D'));
        QCOMPARE(nextRun.driveRoot('C'), QStringLiteral("/"));
    }

    // Another copy of the program (another user of this home) handed out D: after this copy read
    // the settings file: this copy must not give D: to a second filesystem.
    void twoCopiesNeverHandOutOneLetterTwice() {
        TestEnvironment environment;
        IniSettingsStore ours;
        SystemInfoModule ourModule(fake.sources(), &ours);
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            IniSettingsStore theirs;
            FakeSystem other;
            other.mounts->set({"/", "/mnt/theirs"});
            SystemInfoModule otherCopy(other.sources(), &theirs);
            otherCopy.EnumFixedDrives();
            ::_exit(otherCopy.fixedDriveLetters() == QList<QChar>{'D'} ? 0 : 1);
        }
        int status = -1;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY(WIFEXITED(status) && WEXITSTATUS(status) == 0);

        fake.mounts->set({"/", "/mnt/ours"});
        ourModule.EnumFixedDrives();
        QCOMPARE(ourModule.fixedDriveLetters(), QList<QChar>{'E'});
        IniSettingsStore stored;
        QCOMPARE(stored.read("DriveMountD"), std::optional<QString>("/mnt/theirs"));
        QCOMPARE(stored.read("DriveMountE"), std::optional<QString>("/mnt/ours"));
    }

    void hopelessStoredMappingsFreeTheirLetter() {
        store.write("DriveMountD", "/");  // "/" is C: and never an extra drive
        store.write("DriveMountE", "E:\\");
        store.write("DriveMountF", "/var");
        fake.mounts->set({"/", "/home"});
        module->EnumFixedDrives();
        QCOMPARE(module->fixedDriveLetters(), (QList<QChar>{'D'}));
        QCOMPARE(module->driveRoot('D'), QStringLiteral("/home"));
    }

    void noLetterPastZ() {
        QStringList points{"/"};
        for (int index = 0; index < 25; ++index) {
            points << QStringLiteral("/mnt/disk%1").arg(index);
        }
        fake.mounts->set(points);
        module->EnumFixedDrives();
        QCOMPARE(module->fixedDriveCount(), 23);
        QCOMPARE(module->fixedDrives().first().letter, QChar('D'));
        QCOMPARE(module->fixedDrives().last().letter, QChar('Z'));
        QCOMPARE(module->driveRoot('Z'), QStringLiteral("/mnt/disk22"));
    }

    void lettersOfUnmountedDrivesAreReusedOnceAllAreTaken() {
        QStringList first{"/"};
        for (int index = 0; index < 23; ++index) {
            first << QStringLiteral("/mnt/old%1").arg(index);
        }
        fake.mounts->set(first);
        module->EnumFixedDrives();
        QCOMPARE(module->fixedDriveCount(), 23);

        // Later only one old disk is still mounted, and a new one arrives: it gets a letter.
        fake.mounts->set({"/", "/mnt/old5", "/mnt/new"});
        SystemInfoModule nextRun(fake.sources(), &store);
        nextRun.EnumFixedDrives();
        QCOMPARE(nextRun.fixedDriveLetters(), (QList<QChar>{'D', 'I'}));
        QCOMPARE(nextRun.driveRoot('I'), QStringLiteral("/mnt/old5"));
        QCOMPARE(nextRun.driveRoot('D'), QStringLiteral("/mnt/new"));
        QCOMPARE(store.read("DriveMountD"), std::optional<QString>("/mnt/new"));
    }

    void drivesAreReadOnlyWhenTheMountTableChanged() {
        fake.mounts->set({"/", "/home"});
        fake.space->set("/home", 1, 3);
        module->EnumFixedDrives();
        for (int sample = 0; sample < 5; ++sample) {
            module->EnumFixedDrives();
            QCOMPARE(module->driveValue('D'), std::optional<qint16>(25));
        }
        QCOMPARE(fake.mounts->reads, 1);

        fake.mounts->set({"/", "/home", "/data"});
        module->invalidateFixedDrives();  // the mount-table notice
        module->EnumFixedDrives();
        QCOMPARE(fake.mounts->reads, 2);
        QCOMPARE(module->fixedDriveCount(), 2);

        fake.mounts->set({"/", "/data"});
        fake.mounts->kernelSaysChanged = true;  // the kernel's own flag on the mount table
        module->EnumFixedDrives();
        QCOMPARE(fake.mounts->reads, 3);
        QCOMPARE(module->fixedDriveLetters(), (QList<QChar>{'E'}));
        QVERIFY(!module->driveValue('D'));  // gone: no value rather than another disk's
    }

    // Consumers ticking in the same wake-up share one sample; a later tick reads afresh, and so
    // does every read without sharing.
    void samplesAreSharedWithinTheReuseWindow() {
        fake.memory->status = memory(800, 700, 37);
        fake.space->set("/", 1, 3);
        for (int reads = 0; reads < 3; ++reads) {
            module->RefreshSystemStatus();
            QCOMPARE(module->driveValue('C'), std::optional<qint16>(25));
        }
        QCOMPARE(fake.memory->reads, 3);
        QCOMPARE(fake.space->queries, 3);

        qint64 nowMs = 1000;
        module->setSampleReuse(100, [&nowMs] { return nowMs; });
        module->RefreshSystemStatus();
        QCOMPARE(module->driveValue('C'), std::optional<qint16>(25));
        fake.memory->status = memory(800, 700, 60);
        fake.space->set("/", 0, 3);
        nowMs += 99;
        module->RefreshSystemStatus();
        QCOMPARE(module->itemValue(1, nullptr), std::optional<qint16>(37));
        QCOMPARE(module->driveValue('C'), std::optional<qint16>(25));
        QCOMPARE(fake.memory->reads, 4);
        QCOMPARE(fake.space->queries, 4);

        nowMs += 1;
        module->RefreshSystemStatus();
        QCOMPARE(module->itemValue(1, nullptr), std::optional<qint16>(60));
        QCOMPARE(module->driveValue('C'), std::optional<qint16>(0));
        QCOMPARE(fake.memory->reads, 5);
        QCOMPARE(fake.space->queries, 5);
    }

    void unreadableMountTableKeepsTheList() {
        fake.mounts->set({"/", "/home"});
        module->EnumFixedDrives();
        fake.mounts->mounts.reset();
        module->invalidateFixedDrives();
        module->EnumFixedDrives();
        QCOMPARE(module->fixedDriveLetters(), (QList<QChar>{'D'}));
        module->EnumFixedDrives();  // tries again while it cannot read
        QCOMPARE(fake.mounts->reads, 3);
    }

    void systemValues() {
        fake.systemValues->text("ProcessorNameString", QString::fromLatin1("Name\0junk", 9));
        fake.systemValues->number("~MHz", 2400);
        fake.systemValues->values.insert("Odd", {SystemValue::Status::OtherType, {}, 0});
        fake.systemValues->values.insert("Lost", {SystemValue::Status::ReadFailed, {}, 0});
        fake.systemValues->values.insert("Secret", {SystemValue::Status::AccessDenied, {}, 0});
        const QString key = SystemInfoModule::processorKey();
        const auto read = [&](const char* name) {
            return module->ReadRegistryValue(SystemValueRoot::LocalMachine, key, QLatin1String(name));
        };
        QCOMPARE(read("ProcessorNameString"), QVariant(QStringLiteral("Name")));
        QCOMPARE(read("~MHz"), QVariant::fromValue<quint32>(2400));
        QVERIFY(!read("Odd").isValid());
        QVERIFY(!read("Lost").isValid());
        QCOMPARE(read("Missing"), QVariant(QStringLiteral("Error!")));
        QVERIFY(!module->registryAccessDenied());
        QCOMPARE(read("Secret"), QVariant(QStringLiteral("Error!")));
        QVERIFY(module->registryAccessDenied());
        QCOMPARE(module->ReadRegistryValue(SystemValueRoot::LocalMachine, "software\\other", "x"),
                 QVariant(QStringLiteral("Error!")));
        QVERIFY(!module->registryAccessDenied());
    }

    void windowsKindTable_data() {
        QTest::addColumn<int>("platform");
        QTest::addColumn<int>("major");
        QTest::addColumn<int>("minor");
        QTest::addColumn<int>("kind");
        QTest::newRow("Windows 95") << 1 << 4 << 0 << 3;
        QTest::newRow("Windows 98") << 1 << 4 << 10 << 4;
        QTest::newRow("Windows ME") << 1 << 4 << 90 << 5;
        QTest::newRow("NT 3.51") << 2 << 3 << 51 << 1;
        QTest::newRow("NT 4.0") << 2 << 4 << 0 << 2;
        QTest::newRow("2000") << 2 << 5 << 0 << 0;
        QTest::newRow("odd 9x") << 1 << 4 << 11 << 0;
    }
    void windowsKindTable() {
        QFETCH(int, platform);
        QFETCH(int, major);
        QFETCH(int, minor);
        QFETCH(int, kind);
        fake.osVersion->answer = OsVersion{platform, major, minor, 3000, {}, {}};
        const PlatformFacts facts = module->platformFacts();
        QCOMPARE(facts.windowsKind, kind);
        QCOMPARE(facts.statsFamily, (kind >= 3 ? 95 : 2000));
        QCOMPARE(facts.isNT, platform == 2);
        QVERIFY(facts.buildAtLeast2200);
    }

    void failingVersionQuery() {
        fake.osVersion->answer.reset();
        QCOMPARE(module->GetWindowsKind(), 0);
        QVERIFY(!module->IsNTPlatform());
        QVERIFY(!module->buildAtLeast2200());
        fake.osVersion->answer = OsVersion{2, 6, 1, 0x10000 + 2199, {}, {}};  // only the low 16 bits count
        QVERIFY(module->IsNTPlatform());
        QVERIFY(!module->buildAtLeast2200());
        QVERIFY(module->IsVistaOrLater());
    }

    void linuxAnswersAsTheNtFamily() {
        // The real machine: processes and threads countable, translucency offered, none of the
        // resource items of the old consumer family.
        SystemInfoModule linux(nullptr);
        const PlatformFacts facts = linux.platformFacts();
        QVERIFY(facts.isNT);
        QCOMPARE(facts.statsFamily, 2000);
        QVERIFY(facts.wow64OrVista);
        QVERIFY(facts.buildAtLeast2200);
        QVERIFY(!linux.IsWow64());
    }

    void processCountsSaturate() {
        fake.processes->counts = ProcessCounts{40000, 70000};
        module->CountProcesses();
        QCOMPARE(module->processCount(), 32767);
        QCOMPARE(module->threadCount(), 32767);
        fake.processes->counts.reset();
        module->CountProcesses();
        QCOMPARE(module->processCount(), 0);
        QCOMPARE(module->threadCount(), 0);
    }

    void memStateReadsAfreshAndZeroesOnFailure() {
        fake.memory->status = memory(800, 400);
        const auto state = module->createMemState();
        QCOMPARE(state->TotalPhysical(), double(16ULL << 30));
        QCOMPARE(state->TotalVirtual(), 800.0);
        QCOMPARE(fake.memory->reads, 2);
        fake.memory->status.reset();
        QCOMPARE(state->TotalVirtual(), 0.0);
        QCOMPARE(state->MemoryLoad(), 0);
    }

    void rootFilesystemAgreesWithDf() {
        SystemInfoModule real(nullptr);
        QProcess df;
        df.start("df", {"-B1", "--output=used,avail", "/"});
        QVERIFY(df.waitForFinished(10000));
        const QList<QByteArray> lines = df.readAllStandardOutput().trimmed().split('\n');
        QCOMPARE(lines.size(), 2);
        const QList<QByteArray> fields = lines[1].simplified().split(' ');
        const double used = fields.value(0).toDouble();
        const double available = fields.value(1).toDouble();
        QVERIFY(used + available > 0);
        const std::optional<qint16> ours = real.driveValue('C');
        QVERIFY(ours);
        // df rounds up, we round halves to even; a file written in between moves little.
        const double exact = used / (used + available) * 100.0;
        QVERIFY2(std::abs(*ours - exact) <= 1.0,
                 qPrintable(QStringLiteral("%1 vs %2").arg(*ours).arg(exact)));
        const auto space = real.diskSpace("/");
        QVERIFY(space);
        QVERIFY(std::abs(double(space->total) - (used + available)) < 0.01 * (used + available));
    }
};

QTEST_GUILESS_MAIN(SystemInfoModuleTest)
#include "tst_systeminfomodule.moc"
