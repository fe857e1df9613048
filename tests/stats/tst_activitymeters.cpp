#include "platform/linux/LinuxCpuTimes.h"
#include "platform/linux/LinuxDiskActivity.h"
#include "stats/ActivityMeters.h"
#include "stats/ActivitySample.h"
#include "stats/ActivityText.h"
#include "stats/StatsCommand.h"
#include "stats/SystemInfoModule.h"
#include "support/FakeTree.h"
#include "support/TestEnvironment.h"

#include <QtTest>

// The activity items over fake /proc and /sys trees: per-core shares, the busiest disk, network
// rates and the CPU temperature, with counters that wrap, reset or vanish and files that are missing.
class ActivityMetersTest : public QObject {
    Q_OBJECT

    FakeTree root_;
    qint64 now_ = 0;  // 100-ns counts of the fake clock

    void write(const QString& path, const QByteArray& content) { QVERIFY(root_.write(path, content)); }
    SystemSources sources() {
        SystemSources sources = SystemSources::linux(root_.path());
        sources.cpuTimes =
            std::make_shared<LinuxCpuTimes>(SystemFiles(root_.path()), [this] { return now_; });
        return sources;
    }
    void seconds(double elapsed) { now_ += qint64(elapsed * 10'000'000); }

    // /proc/stat with `cores` processor lines; core k has been busy `busy(k)` of `total` ticks.
    static QByteArray stat(int cores, quint64 total, const std::function<quint64(int)>& busy,
                           int skipCore = -1) {
        QByteArray text = "cpu  1 2 3 4 5 6 7 8 0 0\n";
        for (int core = 0; core < cores; ++core) {
            if (core != skipCore) {
                const quint64 idle = total - busy(core);
                // user nice system idle iowait irq softirq steal guest guest_nice
                text += "cpu" + QByteArray::number(core) + ' ' + QByteArray::number(busy(core)) + " 0 0 " +
                        QByteArray::number(idle) + " 0 0 0 0 77 0\n";
            }
        }
        return text + "intr 1 2 3\nctxt 42\n";
    }

private Q_SLOTS:
    void init() {
        QVERIFY(root_.isValid());
        QDir(root_.path()).removeRecursively();
        QDir().mkpath(root_.path());
        now_ = 0;
    }

    void everyOneOf256CoresGetsItsShare() {
        ActivityMeters meters(sources());
        write("/proc/stat", stat(256, 1000, [](int core) { return quint64(core); }));
        const auto first = meters.cores();
        QVERIFY(first);
        QCOMPARE(first->size(), 256);
        QVERIFY(!first->at(0).percent);  // nothing to measure yet

        // In 100 ticks core k was busy k % 101 of them (guest time is part of user time already).
        write("/proc/stat", stat(256, 1100, [](int core) { return quint64(core + core % 101); }));
        const auto second = meters.cores();
        QCOMPARE(second->size(), 256);
        for (int core = 0; core < 256; ++core) {
            QCOMPARE(second->at(core).cpu, core);
            QCOMPARE(second->at(core).percent, std::optional<qint16>(core % 101));
        }
        QCOMPARE(CoreLoadMeter::busiest(*second)->cpu, 100);

        // Core 5 goes offline and core 7's counters restart from zero.
        write("/proc/stat",
              stat(
                  256, 1200,
                  [](int core) { return core == 7 ? quint64(3) : quint64(core + core % 101 + 50); }, 5));
        const auto third = meters.cores();
        QCOMPARE(third->size(), 255);
        QCOMPARE(third->at(5).cpu, 6);
        QCOMPARE(third->at(6).cpu, 7);
        QVERIFY(!third->at(6).percent);  // reset: no share rather than a negative one
        QCOMPARE(third->at(0).percent, std::optional<qint16>(50));
        for (const CoreLoad& core : *third) {
            QVERIFY(!core.percent || (*core.percent >= 0 && *core.percent <= 100));
        }
    }

    void busiestWholeDiskFromIoTicks() {
        ActivityMeters meters(sources());
        const auto diskstats = [](quint64 sda, quint64 sda1, quint64 nvme) {
            const auto line = [](const char* head, quint64 ticks) {
                return QByteArray(head) + " 1 0 8 0 0 0 0 0 0 " + QByteArray::number(ticks) +
                       " 0 0 0 0 0 0 0\n";
            };
            return line("   8       0 sda", sda) + line("   8       1 sda1", sda1) +
                   line(" 259       0 nvme0n1", nvme) + line("   7       0 loop0", 999999);
        };
        write("/proc/diskstats", diskstats(1000, 1000, 500));
        QVERIFY(!meters.diskBusy());
        QVERIFY(meters.disksAvailable());

        seconds(1);
        write("/proc/diskstats", diskstats(1500, 1950, 700));  // the partition is not a disk
        QCOMPARE(meters.diskBusy()->disk, QStringLiteral("sda"));
        seconds(1);
        write("/proc/diskstats", diskstats(1600, 1960, 2700));  // more than the interval: 100, no more
        QCOMPARE(meters.diskBusy()->percent, qint16(100));

        // sda's 32-bit counter wraps; then the NVMe disk is unplugged.
        seconds(2);
        write("/proc/diskstats", diskstats(20, 1960, 3700));
        const auto wrapped = meters.diskBusy();
        QCOMPARE(wrapped->disk, QStringLiteral("nvme0n1"));
        QCOMPARE(wrapped->percent, qint16(50));
        seconds(1);
        write("/proc/diskstats", diskstats(520, 1960, 0).replace("nvme0n1", "loop9"));
        QCOMPARE(meters.diskBusy()->percent, qint16(50));
        QCOMPARE(LinuxDiskActivity::diskOfPartition("nvme0n1p2"), QStringLiteral("nvme0n1"));
        QCOMPARE(LinuxDiskActivity::diskOfPartition("dm-12"), QString());
    }

    // The windows that sample in one wake-up make the kernel build /proc/stat and /proc/diskstats
    // once: a second owner gets the reading the first has just taken.
    void ownersOfOneWakeUpShareOneReading() {
        const SystemSources shared = sources();
        ActivityMeters window(shared);
        ActivityMeters check(shared);
        const auto files = [this](quint64 totalTicks, quint64 busyTicks, quint64 diskTicks) {
            write("/proc/stat", stat(1, totalTicks, [&](int) { return busyTicks; }));
            write("/proc/diskstats",
                  "   8 0 sda 1 0 0 0 0 0 0 0 0 " + QByteArray::number(diskTicks) + " 0\n");
        };
        files(1000, 0, 0);
        for (ActivityMeters* meters : {&window, &check}) {
            meters->cores();
            meters->diskBusy();
        }
        seconds(1);
        files(2000, 250, 300);
        QCOMPARE(window.cores()->value(0).percent, std::optional<qint16>(25));
        QCOMPARE(window.diskBusy()->percent, qint16(30));
        files(3000, 900, 900);  // changed after the window's reading, within the same wake-up
        QCOMPARE(check.cores()->value(0).percent, std::optional<qint16>(25));
        QCOMPARE(check.diskBusy()->percent, qint16(30));
    }

    void networkRatesOverEveryInterfaceButLoopback() {
        ActivityMeters meters(sources());
        const auto netdev = [](quint64 ethIn, quint64 ethOut, std::optional<quint64> wlanIn) {
            QByteArray text =
                "Inter-|   Receive                |  Transmit\n face |bytes packets|bytes packets\n"
                "    lo: 900000000 1 0 0 0 0 0 0 900000000 1 0 0 0 0 0 0\n";
            text += "  eth0: " + QByteArray::number(ethIn) + " 1 0 0 0 0 0 0 " + QByteArray::number(ethOut) +
                    " 1 0 0 0 0 0 0\n";
            if (wlanIn) {
                text += " wlan0: " + QByteArray::number(*wlanIn) + " 1 0 0 0 0 0 0 0 1 0 0 0 0 0 0\n";
            }
            return text;
        };
        write("/sys/class/net/eth0/speed", "1000\n");
        write("/sys/class/net/wlan0/speed", "-1\n");
        write("/proc/net/dev", netdev(5000, 5000, 100));
        QVERIFY(!meters.network());
        seconds(2);
        write("/proc/net/dev", netdev(7000, 6000, 1100));
        const auto rates = meters.network();
        QVERIFY(rates);
        QCOMPARE(rates->receiveBytesPerSecond, 1500.0);
        QCOMPARE(rates->sendBytesPerSecond, 500.0);
        QCOMPARE(rates->linkBytesPerSecond, std::optional<double>(125'000'000.0));
        QCOMPARE(ActivityText::networkLine(rates, true),
                 QStringLiteral("Network ........... R 1.50 kB/s  S 500 B/s"));

        // eth0's counters restart (the driver was reloaded) and wlan0 goes away: nothing negative.
        seconds(1);
        write("/proc/net/dev", netdev(10, 20, std::nullopt));
        const auto reset = meters.network();
        QCOMPARE(reset->receiveBytesPerSecond, 0.0);
        QCOMPARE(reset->sendBytesPerSecond, 0.0);
        QCOMPARE(reset->percent, qint16(0));
    }

    void cpuPackageOrHottestCpuSensor() {
        write("/sys/class/hwmon/hwmon0/name", "nvme\n");
        write("/sys/class/hwmon/hwmon0/temp1_input", "80000\n");
        write("/sys/class/hwmon/hwmon1/name", "coretemp\n");
        write("/sys/class/hwmon/hwmon1/temp2_label", "Core 0\n");
        write("/sys/class/hwmon/hwmon1/temp2_input", "70000\n");
        write("/sys/class/hwmon/hwmon1/temp1_label", "Package id 0\n");
        write("/sys/class/hwmon/hwmon1/temp1_input", "55500\n");
        const auto package = ActivityMeters(sources()).temperature();
        QVERIFY(package);
        QCOMPARE(package->label, QStringLiteral("Package id 0"));
        QCOMPARE(ActivityText::celsius(*package), QStringLiteral("55.5 \u00b0C"));

        // Without a package sensor: the hottest sensor of a CPU chip, named "tempN" without a label.
        QVERIFY(QFile::remove(root_.path() + "/sys/class/hwmon/hwmon1/temp1_input"));
        write("/sys/class/hwmon/hwmon2/name", "k8temp\n");
        write("/sys/class/hwmon/hwmon2/temp3_input", "71000\n");
        const auto hottest = ActivityMeters(sources()).temperature();
        QCOMPARE(hottest->chip, QStringLiteral("k8temp"));
        QCOMPARE(hottest->label, QStringLiteral("temp3"));
    }

    void missingFilesGiveNone() {
        ActivityMeters meters(sources());
        ActivitySample::start(meters);
        seconds(1);
        const ActivitySample sample = ActivitySample::finish(meters);
        QCOMPARE(ActivityText::coresLine(sample.cores), QStringLiteral("Busiest core ...... (none)"));
        QCOMPARE(ActivityText::temperatureLine(sample.temperature),
                 QStringLiteral("CPU temperature ... (none)"));
        QCOMPARE(ActivityText::diskBusyLine(sample.diskBusy, sample.disksAvailable),
                 QStringLiteral("Disk busy ......... (none)"));
        QCOMPARE(ActivityText::networkLine(sample.network, sample.networkAvailable),
                 QStringLiteral("Network ........... (none)"));
    }

    void statsJsonParses() {
        write("/proc/stat", stat(3, 1000, [](int) { return quint64(0); }));
        write("/proc/meminfo", "MemTotal: 1000 kB\nMemAvailable: 250 kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n");
        SystemInfoModule module(sources(), nullptr);
        QString text;
        QTextStream out(&text);
        QCOMPARE(StatsCommand::run(out, module, std::chrono::milliseconds(0), StatsCommand::Format::Json), 0);
        QJsonParseError error{};
        const QJsonObject json = QJsonDocument::fromJson(text.toUtf8(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        QCOMPARE(json["cpu"]["cores"].toArray().size(), 3);
        QCOMPARE(json["memory"].toInt(), 75);
        QVERIFY(json["battery"].isNull());
        QVERIFY(json["temperature"].isNull());
        QVERIFY(json["diskBusy"].isNull());
        QVERIFY(json["network"]["receiveBytesPerSecond"].isNull());
        QCOMPARE(json["drives"][0]["letter"].toString(), QStringLiteral("C"));
        for (const char* key : {"cpu", "memory", "virtualMemory", "battery", "drives", "diskBusy", "network",
                                "temperature", "processes", "threads"}) {
            QVERIFY2(json.contains(QLatin1String(key)), key);
        }
    }

    void programPrintsJson() {
        TestEnvironment environment;
        QProcess program;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        env.insert("XDG_CONFIG_HOME", environment.configHome());
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(QUORVANE_BINARY), {"--dry-run", "--stats", "--json"});
        QVERIFY(program.waitForFinished(20000));
        QCOMPARE(program.exitCode(), 0);
        QJsonParseError error{};
        const QJsonObject json = QJsonDocument::fromJson(program.readAllStandardOutput(), &error).object();
        QCOMPARE(error.error, QJsonParseError::NoError);
        const int total = json["cpu"]["total"].toInt(-1);
        QVERIFY(total >= 0 && total <= 100);
        QFile stat(QStringLiteral("/proc/stat"));
        QVERIFY(stat.open(QIODevice::ReadOnly));
        const auto cores = QString::fromLatin1(stat.readAll()).count(QRegularExpression("(?m)^cpu\\d"));
        QCOMPARE(json["cpu"]["cores"].toArray().size(), cores);
        QVERIFY(json["network"]["sendBytesPerSecond"].toDouble(-1) >= 0);
        QVERIFY(json["threads"].toInt() >= json["processes"].toInt());
    }
};

QTEST_GUILESS_MAIN(ActivityMetersTest)
#include "tst_activitymeters.moc"
