#include "monitor/Display.h"
#include "platform/linux/LinuxCpuTimes.h"
#include "support/FakeTree.h"
#include "support/TestOptions.h"
#include "widgets/CoreBars.h"
#include "widgets/LevelBar.h"
#include "widgets/RateBar.h"

#include <QLabel>
#include <QPointer>
#include <QTest>

// The monitor window's activity rows over a fake /proc and /sys tree: per-core bars wrapping into
// rows, temperature, disk and network rows, their balloons under the pointer, and the history.
using MonitorWindow = monitor::Display;

struct PaintCounter : QObject {
    int count = 0;
    explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override {
        count += event->type() == QEvent::Paint;
        return false;
    }
};

class TestActivityRows : public QObject {
    Q_OBJECT

    FakeTree root_;
    qint64 now_ = 0;
    TestOptions options_;
    qint16 previousRowCount_ = 0;
    std::unique_ptr<SystemInfoModule> stats_;
    quint64 ticks_ = 1000;

    void write(const QString& path, const QByteArray& content) { QVERIFY(root_.write(path, content)); }
    // 40 cores: core k busy k % 4 quarters of the last interval; memory at `load` percent.
    void advance(int load) {
        ticks_ += 100;
        QByteArray stat = "cpu  1 1 1 1\n";
        for (int core = 0; core < 40; ++core) {
            const quint64 busy = ticks_ / 100 * 25 * quint64(core % 4);
            stat += "cpu" + QByteArray::number(core) + ' ' + QByteArray::number(busy) + " 0 0 " +
                    QByteArray::number(ticks_ - busy) + " 0 0 0 0 0 0\n";
        }
        write("/proc/stat", stat);
        write("/proc/meminfo", "MemTotal: 1000 kB\nMemAvailable: " + QByteArray::number(1000 - load * 10) +
                                   " kB\nSwapTotal: 0 kB\nSwapFree: 0 kB\n");
        write("/proc/diskstats", "   8 0 sda 1 0 0 0 0 0 0 0 0 " + QByteArray::number(ticks_ * 3) + " 0\n");
        write("/proc/net/dev", "h\nh\n eth0: " + QByteArray::number(ticks_ * 1000) + " 0 0 0 0 0 0 0 " +
                                   QByteArray::number(ticks_ * 10) + " 0 0 0 0 0 0 0\n");
        now_ += 10'000'000;  // one second
    }

    MonitorWindow* open() {
        SystemSources sources = SystemSources::linux(root_.path());
        sources.cpuTimes =
            std::make_shared<LinuxCpuTimes>(SystemFiles(root_.path()), [this] { return now_; });
        stats_ = std::make_unique<SystemInfoModule>(sources, nullptr);
        auto* display = new MonitorWindow(options_.live(), true, *stats_, previousRowCount_);
        display->Timer1.setInterval(30);  // the refresh rhythm itself is not under test
        return display->load() ? display : nullptr;
    }

private Q_SLOTS:
    void initTestCase() {
        QVERIFY(root_.isValid());
        write("/sys/class/hwmon/hwmon0/name", "coretemp\n");
        write("/sys/class/hwmon/hwmon0/temp1_label", "Package id 0\n");
        write("/sys/class/hwmon/hwmon0/temp1_input", "64000\n");
        write("/sys/class/net/eth0/speed", "1\n");  // 125,000 bytes a second
        advance(90);
        options_.items.mnuMonitorBalloon.checked = true;
        options_.shared.showItem[size_t(StatisticItem::PhysMem)] = true;
        options_.shared.activity.show.fill(true);
    }

    void rowsDrawEveryCoreAndItem() {
        QPointer<MonitorWindow> display = open();
        QVERIFY(display);
        QStringList captions;
        for (const QLabel* label : display->StatText) {
            captions << label->text();
        }
        QCOMPARE(captions, QStringList({"Physical memory usage:", "Cores 0-31:", "Cores 32-39:",
                                        "CPU temperature:", "Disk busy:", "Network:"}));
        auto* firstCores = qobject_cast<CoreBars*>(display->StatBar.at(1));
        auto* lastCores = qobject_cast<CoreBars*>(display->StatBar.at(2));
        QVERIFY(firstCores && lastCores);
        advance(90);
        QTRY_COMPARE(firstCores->loads().value(3), std::optional<qint16>(75));
        QCOMPARE(firstCores->loads().size(), 32);
        QCOMPARE(lastCores->loads().size(), 8);
        QCOMPARE(display->StatBar.at(3)->text(), QStringLiteral("64 \u00b0C"));
        QTRY_COMPARE(display->StatBar.at(4)->value(), 30);  // 300 ms busy in a second
        auto* network = qobject_cast<RateBar*>(display->StatBar.at(5));
        QVERIFY(network);
        QTRY_COMPARE(network->readingText(), QStringLiteral("\u2193100kB/s \u21911.00kB/s"));
        QCOMPARE(network->value(), 80);

        // Drawn: a busy core's column is coloured up to three quarters of the bar, an idle one not.
        const QImage image = firstCores->grab().toImage();
        const auto left = [&](int core) { return 1 + (firstCores->width() - 2) * core / 32; };
        const int low = firstCores->height() - 3;
        QVERIFY(image.pixelColor(left(3), low) != image.pixelColor(left(3), 1));
        QCOMPARE(image.pixelColor(left(4), low), image.pixelColor(left(4), 1));

        // The pointer on the temperature bar brings its balloon with the sensor's name.
        display->Timer2.setInterval(30);
        QTest::mouseMove(display->StatBar.at(3), QPoint(10, 5));
        QTRY_VERIFY(display->balloon().isShown());
        QCOMPARE(display->balloon().title(), QStringLiteral("CPU Temperature"));
        QVERIFY(display->balloon().text().startsWith(QStringLiteral("coretemp: Package id 0")));
        QTest::mouseMove(display->StatBar.at(1), QPoint(40, 5));
        QTRY_COMPARE(display->balloon().title(), QStringLiteral("CPU Cores"));
        QVERIFY(display->balloon().text().contains(QStringLiteral("3: 75%")));
        if (const QString shots = qEnvironmentVariable("QUORVANE_TEST_SHOTS"); !shots.isEmpty()) {
            display->grab().save(shots +
                                 QStringLiteral("/monitor-fake-tree.png"));  // for a person to look at
        }
        display->close();
    }

    void historyShowsEarlierReadingsBehindTheLevel() {
        for (const bool history : {false, true}) {
            options_.shared.activity.showHistory = history;
            QPointer<MonitorWindow> display = open();
            QVERIFY(display);
            LevelBar* memory = display->StatBar.at(0);
            for (int tick = 0; tick < 20; ++tick) {
                advance(90);
                QTest::qWait(40);
            }
            advance(10);
            QTRY_COMPARE(memory->value(), 10);
            // Past the level of 10 %, only the earlier readings of 90 % are drawn, below the top.
            const QImage image = memory->grab().toImage();
            const int x = memory->width() * 3 / 4;
            QCOMPARE(image.pixelColor(x, memory->height() / 2) != image.pixelColor(x, 1), history);
            QCOMPARE(memory->history() != nullptr, history);
            if (history) {
                QVERIFY(memory->history()->size() >= 20);
                QCOMPARE(memory->history()->at(memory->history()->size() - 1), 10);
                if (const QString shots = qEnvironmentVariable("QUORVANE_TEST_SHOTS"); !shots.isEmpty()) {
                    display->grab().save(shots + QStringLiteral("/monitor-history.png"));
                }
            }
            display->close();
        }
    }

    // A steady value leaves a full history looking the same: the bar is not drawn again until a
    // reading changes what it shows.
    void aSteadyHistoryIsNotDrawnAgain() {
        options_.shared.activity.showHistory = true;
        QPointer<MonitorWindow> display = open();
        QVERIFY(display);
        LevelBar* memory = display->StatBar.at(0);
        QTRY_COMPARE_WITH_TIMEOUT(memory->history()->size(), ReadingHistory::kLength, 10000);
        PaintCounter paints(memory);
        QTest::qWait(300);  // some ten refreshes
        QCOMPARE(paints.count, 0);
        advance(memory->value() + 30);
        QTRY_VERIFY(paints.count > 0);
        display->close();
    }
};

QTEST_MAIN(TestActivityRows)
#include "tst_activityrows.moc"
