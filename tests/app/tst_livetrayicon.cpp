#include "app/LiveTrayIcon.h"
#include "stats/SystemInfoModule.h"
#include "support/FakeSystemSources.h"

#include <QtTest>

// The live tray icon: CPU and memory drawn over the program's icon, a new picture only when a bar
// moves by a pixel, the plain icon back when switched off.
class LiveTrayIconTest : public QObject {
    Q_OBJECT

    FakeSystem system_;
    std::unique_ptr<SystemInfoModule> stats_;
    QList<QPixmap> given_;
    QPixmap plain_;

    void load(quint32 percent) {
        MemoryStatus memory;
        memory.memoryLoad = percent;
        system_.memory->status = memory;
    }
    // One second with the processor idle `idlePercent` of the time.
    void tick(int idlePercent) {
        *system_.cpuTimes->now += 10'000'000;
        *system_.cpuTimes->idleTime += idlePercent * 100'000;
    }

private Q_SLOTS:
    void init() {
        stats_ = std::make_unique<SystemInfoModule>(system_.sources(), nullptr);
        given_.clear();
        plain_ = QPixmap(TrayIconGraph::kSize, TrayIconGraph::kSize);
        plain_.fill(Qt::white);
    }

    void barsDrawnAndRedrawnOnlyByThePixel() {
        LiveTrayIcon icon(*stats_, true, plain_, [this](const QPixmap& pixmap) { given_ << pixmap; });
        icon.refreshTimer.setInterval(20);
        load(50);
        icon.setOn(true);
        QCOMPARE(given_.size(), 1);
        // The memory bar at the right edge: filled at its foot, frame above half of it; the CPU bar
        // at the left: empty until the meter has measured.
        const int foot = TrayIconGraph::kSize - 3;
        const QImage first = given_.last().toImage();
        const QColor memoryFoot = first.pixelColor(TrayIconGraph::kSize - 5, foot);
        QVERIFY(memoryFoot.blue() > 200 && memoryFoot.red() < 100);
        QVERIFY(first.pixelColor(TrayIconGraph::kSize - 5, 3) != memoryFoot);
        QCOMPARE(first.pixelColor(4, foot), first.pixelColor(4, 3));
        QCOMPARE(first.pixelColor(TrayIconGraph::kSize / 2, TrayIconGraph::kSize / 2), QColor(Qt::white));

        load(51);  // 28 * 51 / 100 is still 14 pixels: no new picture
        QVERIFY(!icon.refresh());
        QCOMPARE(given_.size(), 1);
        load(54);
        tick(25);  // the timer samples on its own: 75 % busy reaches the CPU bar
        QTRY_VERIFY(given_.size() >= 2);
        QTRY_VERIFY(given_.last().toImage().pixelColor(4, foot).green() > 150);
        const int drawn = icon.drawCount();
        QTest::qWait(100);  // several ticks with nothing new
        QCOMPARE(icon.drawCount(), drawn);

        icon.setOn(false);
        QVERIFY(!icon.refreshTimer.isActive());
        QCOMPARE(given_.last().toImage(), plain_.toImage());
    }
};

QTEST_MAIN(LiveTrayIconTest)
#include "tst_livetrayicon.moc"
