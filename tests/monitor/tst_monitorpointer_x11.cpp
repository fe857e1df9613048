#include "monitor/Display.h"
#include "support/FakeSystemSources.h"
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
