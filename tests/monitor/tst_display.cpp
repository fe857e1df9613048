#include "monitor/Display.h"
#include "monitor/MonitorGeometry.h"
#include "support/FakeSystemSources.h"
#include "support/TestOptions.h"
#include "widgets/LevelBar.h"
#include "widgets/LevelBarColours.h"
#include "widgets/WindowHelpers.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>

// Not "Display": X11 declares that name globally.
using MonitorWindow = monitor::Display;

namespace {
constexpr quint64 kGigabyte = 1073741824ULL;
constexpr quint64 kKibibytesPerGigabyte = 1024 * 1024;

// One program's worth of state around a monitor window: live options and sampler.
struct Rig {
    TestOptions options;
    MemorySettingsStore& store = options.store;
    AppSettings& settings = options.settings;
    TrayMenuState& items = options.items;
    SharedSettingsState& shared = options.shared;
    qint16 previousRowCount = 0;
    FakeSystem system;
    std::unique_ptr<SystemInfoModule> stats;

    // A machine with 8 GB of memory, half in use, and a root filesystem of 100 GB, 80 in use.
    Rig() {
        items.mnuMonitorBalloon.checked = true;
        items.setSomethingToShow(true);
        shared.transparentLevel = 75;
        MemoryStatus memory;
        memory.memoryLoad = 50;
        memory.totalPhys = 8 * kGigabyte;
        memory.availPhys = 4 * kGigabyte;
        memory.totalVirtual = 10 * kGigabyte;
        memory.availVirtual = 5 * kGigabyte;
        system.memory->status = memory;
        system.processes->counts = ProcessCounts{231, 1204};
        system.systemValues->text(QStringLiteral("ProcessorNameString"),
                                  QStringLiteral("Test CPU 6600 @ 2.40GHz"));
        system.mounts->mounts = QList<FixedMount>{};
        addMount(QStringLiteral("/"), 100, 20);
    }
    void addMount(const QString& mountPoint, quint64 totalGigabytes, quint64 availableGigabytes) {
        system.mounts->mounts->append(FixedMount{
            mountPoint, QStringLiteral("/dev/") + mountPoint.section('/', -1), QStringLiteral("ext4")});
        system.space->set(mountPoint, (totalGigabytes - availableGigabytes) * kKibibytesPerGigabyte,
                          availableGigabytes * kKibibytesPerGigabyte);
    }
    void removeMount(const QString& mountPoint) {
        system.mounts->mounts->removeIf(
            [&](const FixedMount& mount) { return mount.mountPoint == mountPoint; });
    }
    void setMemoryLoad(quint32 load) { system.memory->status->memoryLoad = load; }
    void setBattery(quint8 flag, quint8 percent, quint8 acLine, qint32 lifeTime = -1) {
        system.power->status = PowerStatus{acLine, flag, percent, 0, lifeTime, -1};
    }
    void show(std::initializer_list<StatisticItem> shownItems) {
        for (const StatisticItem item : shownItems) {
            shared.showItem[size_t(item)] = true;
        }
    }
    void showDrive(char letter) { shared.showDrive[size_t(driveIndex(QChar(letter)))] = true; }

    // Loads a window; null when it closed itself.
    MonitorWindow* open() {
        if (!stats) {
            stats = std::make_unique<SystemInfoModule>(system.sources(), nullptr);
        }
        QPointer<MonitorWindow> display = new MonitorWindow(options.live(), true, *stats, previousRowCount);
        if (!display->load()) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return display.data();
        }
        return display.data();
    }
};

QStringList captions(const MonitorWindow& display) {
    QStringList result;
    for (const QLabel* label : display.StatText) {
        result << label->text();
    }
    return result;
}

int pixels(int twips) {
    return twips / SysInfo::twipsPerPixelY();
}

// Where a detail balloon's tail ends: at the window's right edge, level with the bar's middle.
QPoint besideBar(const MonitorWindow& display, int row) {
    const LevelBar* bar = display.StatBar.at(row);
    return {display.frameGeometry().right() + 1, bar->mapToGlobal(bar->rect().center()).y()};
}

// Counts the paint events each bar of a list receives.
struct PaintCounter : QObject {
    const QList<LevelBar*>& bars;
    QList<int>& paints;
    PaintCounter(const QList<LevelBar*>& watched, QList<int>& counts) : bars(watched), paints(counts) {
        for (LevelBar* bar : bars) {
            bar->installEventFilter(this);
        }
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints[bars.indexOf(watched)];
        }
        return false;
    }
};

// Moves the pointer onto a row's bar as a user does and lets the balloon delay run out.
void hover(MonitorWindow& display, int row) {
    static int nudge = 0;            // a move to where the pointer already is would be no move
    display.Timer2.setInterval(50);  // the one-second delay itself is not under test
    QTest::mouseMove(display.StatBar.at(row), QPoint(10 + (++nudge % 2), 5));
    QVERIFY(display.Timer2.isActive() || display.hoveredRow == row);
    QTRY_VERIFY(!display.Timer2.isActive());
}
}  // namespace

class TestDisplay : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Balloon texts group digits as the regional formats say; these cases are written for en_US.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates)); }

    void init() { QCursor::setPos(0, 0); }

    void rowsFollowTheShowFlags() {
        Rig rig;
        rig.show({StatisticItem::PhysMem, StatisticItem::VirtMem, StatisticItem::CDrive});
        rig.addMount(QStringLiteral("/srv/data"), 500, 100);
        rig.addMount(QStringLiteral("/home"), 50, 10);
        rig.showDrive('E');
        QPointer<MonitorWindow> display = rig.open();
        QVERIFY(display);

        // CPU hidden: physical memory takes row 0.
        QCOMPARE(captions(*display), (QStringList{"Physical memory usage:", "Virtual memory usage:",
                                                  "C: drive disk usage:", "E: drive disk usage:"}));
        QCOMPARE(display->rowOfItem, (QList<qint16>{99, 0, 1, 99, 99, 99, 99, 2, 99, 3}));
        QCOMPARE(display->lastRow, qint16(2));
        QCOMPARE(display->shownDriveCount, qint16(1));
        QCOMPARE(display->windowDrives.size(), 2);
        QCOMPARE(display->StatText.at(3)->toolTip(), QStringLiteral("/home"));
        QCOMPARE(display->StatText.at(2)->toolTip(), QStringLiteral("/"));

        // Rows top to bottom, each caption beside its bar and all of it inside the window; the bars
        // stand in one column right of the captions, which is wide enough for the longest caption
        // any row can get, so a caption that changes moves no bar.
        const QFontMetrics metrics(display->font());
        const int longestCaption = metrics.horizontalAdvance(QStringLiteral("Battery status (unplugged):"));
        for (int row = 0; row < display->rowCount(); ++row) {
            const QRect caption = display->StatText.at(row)->geometry();
            const QRect bar = display->StatBar.at(row)->geometry();
            QVERIFY(caption.width() >= longestCaption);
            QVERIFY(caption.top() <= bar.bottom() && bar.top() <= caption.bottom());
            QVERIFY(bar.left() > caption.right());
            QCOMPARE(bar.left(), display->StatBar.at(0)->x());
            QVERIFY(display->rect().contains(caption) && display->rect().contains(bar));
            if (row > 0) {
                QVERIFY(bar.top() > display->StatBar.at(row - 1)->geometry().bottom());
            }
        }
        QCOMPARE(display->windowTitle(), QStringLiteral(" Quorvane"));
        QCOMPARE(display->palette().color(QPalette::Window), QColor(Qt::black));
        QCOMPARE(display->StatText.at(0)->palette().color(QPalette::WindowText), QColor(Qt::white));

        // The first refresh has run.
        QCOMPARE(display->StatBar.at(0)->value(), 50);
        QCOMPARE(display->StatBar.at(1)->value(), 50);
        QCOMPARE(display->StatBar.at(2)->value(), 80);
        QCOMPARE(display->StatBar.at(3)->value(), 80);
        QVERIFY(!rig.items.mnuDisplay.enabled);
        QVERIFY(display->Timer1.isActive());
        QCOMPARE(display->Timer1.interval(), 900);
        delete display;
        QVERIFY(rig.items.mnuDisplay.enabled);
    }

    // At rest the refresh costs little: a bar repaints only when its drawn value moved, and a
    // window that is not shown does not refresh at all (it catches up when shown again).
    void onlyChangedBarsRepaintAndHiddenWindowsRest() {
        Rig rig;
        rig.show({StatisticItem::PhysMem, StatisticItem::VirtMem, StatisticItem::CDrive});
        QPointer<MonitorWindow> display = rig.open();
        QVERIFY(display);
        QVERIFY(QTest::qWaitForWindowExposed(display));
        QList<int> paints(display->rowCount(), 0);
        PaintCounter counter(display->StatBar, paints);
        QCoreApplication::processEvents();  // whatever was pending is drawn before counting
        paints.fill(0);

        rig.setMemoryLoad(51);
        display->Timer1_Timer();
        QTRY_COMPARE(paints.at(0), 1);
        QCoreApplication::processEvents();
        QCOMPARE(paints, QList<int>({1, 0, 0}));

        display->hide();
        QVERIFY(!display->Timer1.isActive());
        rig.setMemoryLoad(52);
        display->show();
        QVERIFY(display->Timer1.isActive());
        QCOMPARE(display->StatBar.at(0)->value(), 52);
        delete display.data();
    }

    void batteryRowFollowsTheState() {
        Rig rig;
        rig.show({StatisticItem::CPU, StatisticItem::Battery});
        rig.setBattery(1, 80, 1);
        std::unique_ptr<MonitorWindow> display(rig.open());
        QVERIFY(display);
        QCOMPARE(captions(*display), (QStringList{"CPU activity:", "Battery status:"}));
        const LevelBar* bar = display->StatBar.at(1);
        QCOMPARE(bar->startColour(), LevelBarColours::fromBgr(0x0000FF));
        QCOMPARE(bar->endColour(), LevelBarColours::fromBgr(0x00C000));
        QCOMPARE(display->StatBar.at(0)->startColour(), LevelBarColours::fromBgr(0x00C000));
        QCOMPARE(bar->value(), 80);

        rig.setBattery(8, 60, 1);
        display->Timer1_Timer();
        QCOMPARE(display->StatText.at(1)->text(), QStringLiteral("Battery status (charging):"));
        QCOMPARE(bar->value(), 60);
        rig.setBattery(2, 55, 0);
        display->Timer1_Timer();
        QCOMPARE(display->StatText.at(1)->text(), QStringLiteral("Battery status (unplugged):"));
        // The battery went away: the bar and caption keep their last reading.
        rig.setBattery(128, 255, 1);
        display->Timer1_Timer();
        QCOMPARE(display->StatText.at(1)->text(), QStringLiteral("Battery status (unplugged):"));
        QCOMPARE(bar->value(), 55);
    }

    void onlyTheBatteryWithoutABatteryCloses() {
        Rig rig;
        rig.show({StatisticItem::Battery});
        rig.store.write(QStringLiteral("MainTop"), QStringLiteral("4500"));
        rig.store.writes = 0;
        QPointer<MonitorWindow> display = rig.open();
        QVERIFY(display.isNull());
        QVERIFY(rig.items.mnuDisplay.enabled);
        QCOMPARE(rig.store.writes, 0);  // the stored place is left alone
        QCOMPARE(rig.settings.text(QStringLiteral("MainTop"), QString()), QStringLiteral("4500"));
    }

    void placement_data() {
        QTest::addColumn<int>("previousRows");
        QTest::addColumn<bool>("pulledUp");
        QTest::newRow("same rows as last time: kept") << 2 << false;
        QTest::newRow("more rows than last time: pulled up") << 1 << true;
    }
    void placement() {
        QFETCH(int, previousRows);
        QFETCH(bool, pulledUp);
        Rig rig;
        rig.show({StatisticItem::CPU, StatisticItem::PhysMem});
        SysInfo sysInfo;
        const int workArea = sysInfo.WorkAreaHeight();
        const int height = pixels(MonitorGeometry::clientHeight(2)) * 15;
        const int storedTop = workArea - height + 600;  // 40 pixels below the work area
        rig.store.write(QStringLiteral("MainLeft"), QStringLiteral("1500"));
        rig.store.write(QStringLiteral("MainTop"), QString::number(storedTop));
        rig.previousRowCount = qint16(previousRows);
        std::unique_ptr<MonitorWindow> display(rig.open());
        QVERIFY(display);
        QVERIFY(QTest::qWaitForWindowExposed(display.get()));
        QCoreApplication::processEvents();
        // Pulled up onto the work area's bottom edge, frame included once it is known.
        const int frame = (display->frameGeometry().height() - display->height()) * 15;
        const int expectedTop = pulledUp ? workArea - height - frame : storedTop;
        QCOMPARE(display->pos(), QPoint(100, expectedTop / 15));
        QCOMPARE(rig.previousRowCount, qint16(2));
        QCOMPARE(rig.settings.text(QStringLiteral("MainTop"), QString()), QString::number(expectedTop));
        QCOMPARE(rig.settings.text(QStringLiteral("MainLeft"), QString()), QStringLiteral("1500"));
        QCOMPARE(rig.settings.text(QStringLiteral("FirstTimePosition"), QString()), QStringLiteral("Yes"));
    }

    void placeOffEveryScreenIsPulledOntoTheNearest() {
        Rig rig;
        rig.show({StatisticItem::CPU});
        rig.store.write(QStringLiteral("MainLeft"), QStringLiteral("60000"));  // a monitor since unplugged
        rig.store.write(QStringLiteral("MainTop"), QStringLiteral("-30000"));
        std::unique_ptr<MonitorWindow> display(rig.open());
        QVERIFY(display);
        const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
        // On the screen, at its right edge (the frame is known only once shown).
        QVERIFY(workArea.contains(display->pos()));
        QVERIFY(workArea.contains(display->geometry().bottomLeft()));
        QVERIFY(display->x() > workArea.center().x());
        QCOMPARE(rig.settings.text(QStringLiteral("MainLeft"), QString()),
                 QString::number(display->x() * 15));
        QCOMPARE(rig.settings.text(QStringLiteral("MainTop"), QString()), QString::number(display->y() * 15));
    }

    void driveMountedAfterStartUpGetsItsRow() {
        Rig rig;
        rig.show({StatisticItem::CPU});
        rig.showDrive('E');  // as start-up reads it, mounted or not
        QPointer<MonitorWindow> display = rig.open();
        QVERIFY(display);
        QCOMPARE(captions(*display), QStringList{"CPU activity:"});

        rig.addMount(QStringLiteral("/srv/data"), 100, 50);
        rig.addMount(QStringLiteral("/home"), 100, 25);
        Q_EMIT display->sysInfo().drivesChanged();
        QCOMPARE(captions(*display), (QStringList{"CPU activity:", "E: drive disk usage:"}));
        QCOMPARE(display->StatBar.at(1)->value(), 75);
        delete display;
    }

    void balloonsFollowTheBarUnderThePointer() {
        Rig rig;
        rig.show({StatisticItem::PhysMem, StatisticItem::VirtMem});
        std::unique_ptr<MonitorWindow> display(rig.open());
        QVERIFY(QTest::qWaitForWindowExposed(display.get()));
        Balloon& balloon = display->balloon();
        // Real moves with the real delay: over a bar, then on to the next one.
        QTest::mouseMove(display->StatBar.at(0), QPoint(10, 5));
        QTest::mouseMove(display->StatBar.at(0), QPoint(12, 6));
        QTRY_VERIFY(balloon.isShown());
        QCOMPARE(balloon.title(), QStringLiteral("Physical Memory"));
        QTest::mouseMove(display->StatBar.at(1), QPoint(10, 5));
        QTRY_COMPARE(balloon.title(), QStringLiteral("Virtual Memory"));
        QVERIFY(balloon.isShown());
        // Over a caption the balloon goes.
        QTest::mouseMove(display->StatText.at(1), QPoint(5, 5));
        QVERIFY(!balloon.isShown());
    }

    void defaultPlaceAndHome() {
        Rig rig;
        rig.show({StatisticItem::CPU});
        rig.store.write(QStringLiteral("MainLeft"), QStringLiteral("not a number"));
        std::unique_ptr<MonitorWindow> display(rig.open());
        QVERIFY(display);
        QVERIFY(QTest::qWaitForWindowExposed(display.get()));
        QCoreApplication::processEvents();
        const int workArea = display->sysInfo().WorkAreaHeight();
        const int tpp = SysInfo::twipsPerPixelY();
        const QPoint bottomLeft(0, (workArea - display->frameGeometry().height() * tpp) / tpp);
        QCOMPARE(display->pos(), bottomLeft);
        display->move(300, 40);
        QTest::keyClick(display.get(), Qt::Key_Home);
        QCOMPARE(display->pos(), bottomLeft);
    }

    void escapeClosesAndStoresThePlace() {
        Rig rig;
        rig.show({StatisticItem::CPU});
        QPointer<MonitorWindow> display = rig.open();
        QVERIFY(display);
        display->move(200, 100);
        QTest::keyClick(display.data(), Qt::Key_Escape);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(display.isNull());
        QCOMPARE(rig.settings.text(QStringLiteral("MainLeft"), QString()), QStringLiteral("3000"));
        QCOMPARE(rig.settings.text(QStringLiteral("MainTop"), QString()), QStringLiteral("1500"));
        QVERIFY(rig.items.mnuDisplay.enabled);
    }

    void balloonTexts() {
        Rig rig;
        rig.show({StatisticItem::CPU, StatisticItem::PhysMem, StatisticItem::Battery, StatisticItem::CDrive});
        rig.setBattery(2, 40, 0, 3909);
        rig.addMount(QStringLiteral("/srv/data"), 2000, 750);
        rig.showDrive('D');
        std::unique_ptr<MonitorWindow> display(rig.open());
        QVERIFY(display);
        Balloon& balloon = display->balloon();

        hover(*display, 0);
        QCOMPARE(balloon.title(), QStringLiteral("CPU Activity"));
        QVERIFY2(balloon.text().endsWith(QLatin1String("\r\n231 active processes\r\n1,204 active threads")),
                 qPrintable(balloon.text()));
        QVERIFY(balloon.text().startsWith(QLatin1String("Test CPU 6600")));
        hover(*display, 1);
        QCOMPARE(balloon.title(), QStringLiteral("Physical Memory"));
        QCOMPARE(balloon.text(), QStringLiteral("4,096 of\r\n8,192 MB"));
        hover(*display, 2);
        QCOMPARE(balloon.title(), QStringLiteral("Battery Status"));
        QCOMPARE(balloon.text(), QStringLiteral("1:05:09 remaining"));
        hover(*display, 3);
        QCOMPARE(balloon.title(), QStringLiteral("C:  Drive"));
        QCOMPARE(balloon.text(), QStringLiteral("/\r\n80 of\r\n100 GB"));
        hover(*display, 4);
        QCOMPARE(balloon.title(), QStringLiteral("D:  Drive"));
        QCOMPARE(balloon.text(), QStringLiteral("/srv/data\r\n1,250 of\r\n2,000 GB"));
        QVERIFY(balloon.isShown());
        QCOMPARE(balloon.currentLayout().tipOnScreen(), besideBar(*display, 4));

        // No time left known: no balloon, and the shown one goes.
        rig.setBattery(2, 40, 0, -1);
        hover(*display, 2);
        QVERIFY(!balloon.isShown());
        QCOMPARE(display->balloonId, qint16(-1));
    }

    void movingReplacesStayingUpdates() {
        Rig rig;
        rig.show({StatisticItem::PhysMem, StatisticItem::VirtMem});
        std::unique_ptr<MonitorWindow> display(rig.open());
        QVERIFY(display);
        Balloon& balloon = display->balloon();
        QSignalSpy closings(&balloon, &Balloon::closed);

        hover(*display, 0);
        QVERIFY(balloon.isShown());
        const qint16 first = display->balloonId;
        QVERIFY(first != -1);
        QCOMPARE(display->balloonRow, qint16(0));
        QVERIFY(display->Timer3.isActive());

        // Staying on the bar: the same balloon gets the new figure.
        rig.setMemoryLoad(25);
        display->Timer1_Timer();
        hover(*display, 0);
        QCOMPARE(display->balloonId, first);
        QCOMPARE(balloon.text(), QStringLiteral("2,048 of\r\n8,192 MB"));
        QCOMPARE(closings.count(), 0);

        // Moving to the next bar: the balloon is replaced and points at the new bar.
        hover(*display, 1);
        QVERIFY(display->balloonId != first && display->balloonId != -1);
        QCOMPARE(display->balloonRow, qint16(1));
        QCOMPARE(balloon.title(), QStringLiteral("Virtual Memory"));
        QCOMPARE(closings.count(), 1);
        QCOMPARE(balloon.currentLayout().tipOnScreen(), besideBar(*display, 1));

        // The pointer leaves the window: the watch cancels the balloon.
        QCursor::setPos(display->mapToGlobal(QPoint(-20, -20)));
        QTRY_VERIFY(!balloon.isShown());
        QCOMPARE(display->balloonRow, qint16(99));
        QVERIFY(!display->Timer3.isActive());
    }

    void balloonsOnlyWhenSwitchedOn() {
        Rig rig;
        rig.show({StatisticItem::PhysMem});
        rig.items.mnuMonitorBalloon.checked = false;
        std::unique_ptr<MonitorWindow> display(rig.open());
        hover(*display, 0);
        QVERIFY(!display->balloon().isShown());
    }

    void userClosingTheBalloonKeepsItAway() {
        Rig rig;
        rig.show({StatisticItem::PhysMem});
        std::unique_ptr<MonitorWindow> display(rig.open());
        hover(*display, 0);
        QTest::mouseClick(display->balloon().closeButton(), Qt::LeftButton);
        QCOMPARE(display->balloonId, qint16(-1));
        hover(*display, 0);  // still on the same bar: it stays closed
        QVERIFY(!display->balloon().isShown());
    }

    void driveRowsFollowTheMounts() {
        Rig rig;
        rig.show({StatisticItem::CPU});
        rig.showDrive('D');
        rig.showDrive('E');
        rig.addMount(QStringLiteral("/srv/data"), 100, 50);
        QPointer<MonitorWindow> display = rig.open();
        QVERIFY(display);
        QCOMPARE(display->rowCount(), 2);
        const int oneDriveHeight = display->height();

        rig.addMount(QStringLiteral("/home"), 100, 25);
        Q_EMIT display->sysInfo().drivesChanged();
        QCOMPARE(captions(*display),
                 (QStringList{"CPU activity:", "D: drive disk usage:", "E: drive disk usage:"}));
        QCOMPARE(display->StatText.at(2)->toolTip(), QStringLiteral("/home"));
        QCOMPARE(display->StatBar.at(2)->value(), 75);
        QCOMPARE(display->rowOfItem, (QList<qint16>{0, 99, 99, 99, 99, 99, 99, 99, 1, 2}));
        // One row taller, the new row inside.
        QCOMPARE(display->height(),
                 oneDriveHeight + display->StatBar.at(2)->y() - display->StatBar.at(1)->y());
        QVERIFY(display->rect().contains(display->StatBar.at(2)->geometry()));

        // D: goes away; E: keeps its letter and moves up.
        hover(*display, 2);
        rig.removeMount(QStringLiteral("/srv/data"));
        Q_EMIT display->sysInfo().drivesChanged();
        QCOMPARE(captions(*display), (QStringList{"CPU activity:", "E: drive disk usage:"}));
        QCOMPARE(display->StatText.at(1)->toolTip(), QStringLiteral("/home"));
        QCOMPARE(display->rowOfItem, (QList<qint16>{0, 99, 99, 99, 99, 99, 99, 99, 1}));
        QCOMPARE(display->height(), oneDriveHeight);
        QCOMPARE(display->windowDrives.size(), 1);
        QVERIFY(!display->balloon().isShown());  // its bar went away
    }

    void noRowLeftCloses() {
        Rig rig;
        rig.showDrive('D');
        rig.addMount(QStringLiteral("/srv/data"), 100, 50);
        QPointer<MonitorWindow> display = rig.open();
        QVERIFY(display);
        QCOMPARE(captions(*display), QStringList{"D: drive disk usage:"});
        rig.removeMount(QStringLiteral("/srv/data"));
        Q_EMIT display->sysInfo().drivesChanged();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(display.isNull());
        QVERIFY(rig.items.mnuDisplay.enabled);
    }
};

QTEST_MAIN(TestDisplay)
#include "tst_display.moc"
