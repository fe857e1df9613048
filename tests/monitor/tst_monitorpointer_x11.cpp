#include "monitor/Display.h"
#include "support/DesktopSession.h"
#include "support/FakeSystemSources.h"
#include "support/Screenshot.h"
#include "support/TestOptions.h"
#include "widgets/LevelBar.h"
#include "widgets/WindowHelpers.h"

#include <QApplication>
#include <QPointer>
#include <QtTest>

using MonitorWindow = monitor::Display;

// The monitor window on a real X display, the pointer moved by the X server (real crossing and
// motion events): translucency and the detail balloons as a user meets them.
class MonitorPointerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestOptions> options;
    qint16 previousRowCount = 0;
    FakeSystem system;
    std::unique_ptr<SystemInfoModule> stats;
    QPointer<MonitorWindow> display;

    static void pointTo(QPoint at) {
        QCursor::setPos(at);
        QTRY_COMPARE(QCursor::pos(), at);
    }
    // Through the X server's test extension, as a user's mouse moves it.
    static void movePointer(QPoint at) {
        DesktopSession::movePointer(at);
        QTRY_COMPARE(QCursor::pos(), at);
    }
    static QPoint middleOf(const QWidget* widget) { return widget->mapToGlobal(widget->rect().center()); }
    // The names of the screen's windows from the top of the stack down (xwininfo's order).
    static QStringList stackingOrder() {
        QStringList names;
        const QString tree = DesktopSession::run("xwininfo", {"-root", "-children"});
        for (const QString& line : tree.split('\n')) {
            if (line.trimmed().startsWith("0x")) {
                names << line.section('"', 1, 1);
            }
        }
        return names;
    }
    bool opaque() const { return display->windowOpacity() == 1.0; }
    bool translucent() const { return qRound(display->windowOpacity() * 255) == 191; }

private Q_SLOTS:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X display (DISPLAY) to move the pointer on");
        }
    }

    void init() {
        options = std::make_unique<TestOptions>();
        options->shared.showItem[size_t(StatisticItem::PhysMem)] = true;
        options->shared.showItem[size_t(StatisticItem::VirtMem)] = true;
        options->shared.showItem[size_t(StatisticItem::CDrive)] = true;
        options->shared.showDrive[size_t(driveIndex('D'))] = true;  // mounted by a case
        system.space->set(QStringLiteral("/"), 30, 70);
        system.space->set(QStringLiteral("/srv/data"), 50, 50);
        options->shared.transparentLevel = 75;
        options->items.mnuTransparent.checked = true;
        options->items.mnuMonitorBalloon.checked = true;
        options->store.write(QStringLiteral("MainLeft"), QStringLiteral("3000"));
        options->store.write(QStringLiteral("MainTop"), QStringLiteral("3000"));
        stats = std::make_unique<SystemInfoModule>(system.sources(), nullptr);
        pointTo(QPoint(600, 600));
        display = new MonitorWindow(options->live(), true, *stats, previousRowCount);
        QVERIFY(display->load());
        QVERIFY(QTest::qWaitForWindowExposed(display.data()));
        // Without a compositing manager the look cannot show; the window's opacity still follows.
        translucencyAvailable = true;
    }

    void cleanup() {
        delete display;
        translucencyAvailable = false;
    }

    void opaqueOnlyWhileThePointerIsOver() {
        pointTo(display->mapToGlobal(QPoint(20, 10)));
        QTRY_VERIFY(display->InsideBorder);
        QVERIFY(opaque());
        QVERIFY(!display->Timer4.isActive());  // over the window, events tell the rest

        pointTo(QPoint(600, 600));
        QTRY_VERIFY(!display->InsideBorder);
        QVERIFY(translucent());
        QVERIFY(!display->Timer4.isActive());  // at rest nothing is polled
    }

    void windowMovingUnderAStillPointer() {
        const QPoint still(600, 600);
        pointTo(still);
        display->move(still - QPoint(30, 10));
        QTRY_VERIFY(display->InsideBorder);
        QVERIFY(opaque());
        display->move(200, 200);
        QTRY_VERIFY(!display->InsideBorder);
        QVERIFY(translucent());
        QVERIFY(!display->Timer4.isActive());
    }

    // The tray's switch reaches the open window at once: opaque for good, then following again.
    void transparencySwitchedWhileOpen() {
        pointTo(display->mapToGlobal(QPoint(20, 10)));
        QTRY_VERIFY(display->InsideBorder);
        pointTo(QPoint(600, 600));
        QTRY_VERIFY(translucent());
        options->general.set(GeneralOption::Transparent, false);
        QVERIFY(opaque());
        pointTo(display->mapToGlobal(QPoint(20, 10)));  // crossings the window no longer follows
        QTRY_VERIFY(display->underMouse());
        pointTo(QPoint(600, 600));
        QTRY_VERIFY(!display->underMouse());
        QVERIFY(opaque());
        options->general.set(GeneralOption::Transparent, true);
        QVERIFY(translucent());
    }

    void balloonFollowsRealPointerMoves() {
        pointTo(display->StatBar.at(0)->mapToGlobal(QPoint(10, 5)));
        pointTo(display->StatBar.at(0)->mapToGlobal(QPoint(12, 6)));
        QTRY_VERIFY_WITH_TIMEOUT(display->balloon().isShown(), 3000);
        QCOMPARE(display->balloon().title(), QStringLiteral("Physical Memory"));
        pointTo(display->StatBar.at(1)->mapToGlobal(QPoint(10, 5)));
        QTRY_COMPARE_WITH_TIMEOUT(display->balloon().title(), QStringLiteral("Virtual Memory"), 3000);
    }

    // Up from the lowest bar along the bars' middles, where their values stand: each bar's balloon
    // comes in turn, as nothing of a balloon lies over the window.
    void movingUpFromTheLowestBarReachesEveryBar() {
        const QStringList titles{"Physical Memory", "Virtual Memory", "C:  Drive"};
        QCOMPARE(display->rowCount(), int(titles.size()));
        const int lowest = display->rowCount() - 1;
        movePointer(middleOf(display->StatBar.at(lowest)) - QPoint(0, 1));
        movePointer(middleOf(display->StatBar.at(lowest)));
        QTRY_VERIFY_WITH_TIMEOUT(display->balloon().isShown(), 3000);
        QCOMPARE(display->balloon().title(), titles.at(lowest));
        saveScreenshot("i22b-detail-balloon-beside");
        for (int row = lowest - 1; row >= 0; --row) {
            const QPoint from = middleOf(display->StatBar.at(row + 1));
            const QPoint to = middleOf(display->StatBar.at(row));
            for (int y = from.y() - 3; y > to.y(); y -= 3) {
                movePointer(QPoint(to.x(), y));
            }
            movePointer(to);
            QTRY_COMPARE_WITH_TIMEOUT(display->balloon().title(), titles.at(row), 3000);
            QVERIFY(display->balloon().isShown());
            QVERIFY(!display->balloon().frameGeometry().intersects(display->frameGeometry()));
        }
    }

    // The threshold check raises an on-top monitor once a second; its own balloon stays above it.
    void raisingTheMonitorKeepsItsBalloonOnTop() {
        options->items.mnuOnTop.checked = true;
        // Not where the last case left the pointer: a move onto the same spot may go unseen.
        movePointer(middleOf(display->StatBar.at(0)) - QPoint(5, 1));
        movePointer(middleOf(display->StatBar.at(0)) - QPoint(4, 0));
        QTRY_VERIFY_WITH_TIMEOUT(display->balloon().isShown(), 3000);
        const auto balloonAbove = [] {
            const QStringList order = stackingOrder();
            return order.contains(" Quorvane") && order.contains("Physical Memory") &&
                   order.indexOf("Physical Memory") < order.indexOf(" Quorvane");
        };
        QTRY_VERIFY(balloonAbove());
        SetTopmost(display, true);
        QGuiApplication::sync();  // the restacking reaches the X server before xwininfo asks
        QVERIFY2(balloonAbove(), "the balloon went under the monitor");
        QVERIFY(display->balloon().isShown());
        saveScreenshot("i22b-balloon-above-raised-monitor");
    }

    // Home puts the window on the work area's bottom edge; a drive mounted then adds a row, and the
    // window comes back up so that the new row stays inside the work area.
    void driveMountedAtTheBottomKeepsTheWindowInside() {
        const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
        DesktopSession::xdotool({"windowfocus", "--sync", QString::number(display->winId())});
        DesktopSession::xdotool({"key", "Home"});
        QTRY_COMPARE(display->frameGeometry().bottom(), workArea.bottom());
        const int rows = display->rowCount();
        system.mounts->set({QStringLiteral("/srv/data")});
        Q_EMIT display->sysInfo().drivesChanged();  // as the mount table's watcher tells it
        QCOMPARE(display->rowCount(), rows + 1);
        QTRY_COMPARE(display->frameGeometry().bottom(), workArea.bottom());
        const LevelBar* newBar = display->StatBar.last();
        QVERIFY(workArea.contains(QRect(newBar->mapToGlobal(QPoint(0, 0)), newBar->size())));
        saveScreenshot("i22b-drive-row-inside");
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // the test case then says why it skips
    }
    QApplication app(argc, argv);
    MonitorPointerTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_monitorpointer_x11.moc"
