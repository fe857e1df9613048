#include "widgets/WindowHelpers.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

class TestWindowHelpers : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup() { translucencyAvailable = false; }

    void reportedGeometryIsTheIconRectangle() {
        const TrayIconRect rect = trayIconRectFor(QRect(1200, 778, 22, 22), QRect(0, 0, 1280, 776));
        QCOMPARE(rect, (TrayIconRect{1200, 778, 1221, 799}));
        QVERIFY(rect.contains(QPoint(1200, 778)));
        QVERIFY(rect.contains(QPoint(1221, 799)));
        QVERIFY(!rect.contains(QPoint(1222, 790)));
    }

    void unknownGeometryFallsBackToAnUnreachableCorner() {
        const QRect workArea(0, 0, 1280, 776);
        const TrayIconRect rect = trayIconRectFor(QRect(), workArea);
        QCOMPARE(rect, (TrayIconRect{1282, 779, 1279, 776}));
        QVERIFY(rect.isEmpty());
        QVERIFY(rect.toQRect().isEmpty());
        for (const QPoint point :
             {QPoint(1279, 776), QPoint(1280, 777), QPoint(1282, 779), QPoint(1281, 778)}) {
            QVERIFY2(!rect.contains(point),
                     qPrintable(QStringLiteral("%1,%2").arg(point.x()).arg(point.y())));
        }
    }

    void locateUsesTheReportedGeometryOrTheWorkArea() {
        QCOMPARE(LocateTrayIcon(QRect(10, 20, 22, 22)), (TrayIconRect{10, 20, 31, 41}));
        QCOMPARE(trayIconRect, (TrayIconRect{10, 20, 31, 41}));
        const QRect workArea = QGuiApplication::primaryScreen()->availableGeometry();
        QCOMPARE(LocateTrayIcon(static_cast<const QSystemTrayIcon*>(nullptr)),
                 trayIconRectFor(QRect(), workArea));
        QVERIFY(!trayIconRect.contains(workArea.bottomRight()));
    }

    void alphaFromLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("alpha");
        QTest::newRow("75") << 75 << 191;
        QTest::newRow("half rounds to even") << 50 << 128;  // 127.5
        QTest::newRow("10 is 25.5, to even") << 10 << 26;
        QTest::newRow("30 is 76.5, to even") << 30 << 76;
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("100") << 100 << 255;
        QTest::newRow("above 100 is opaque") << 250 << 255;
        QTest::newRow("negative is clear") << -5 << 0;
    }
    void alphaFromLevel() {
        QFETCH(int, level);
        QFETCH(int, alpha);
        QCOMPARE(int(translucencyAlpha(level)), alpha);
    }

    void translucencyUnavailableChangesNothing() {
        QWidget window;
        window.show();
        translucencyAvailable = false;
        QVERIFY(!MakeTranslucent(&window, 100));
        QVERIFY(!MakeOpaque(&window));
        QCOMPARE(window.windowOpacity(), 1.0);
    }

    void translucencyOfAChildAppliesToItsWindow() {
        QWidget window;
        auto* panel = new QWidget(&window);
        auto* child = new QWidget(panel);
        window.show();
        translucencyAvailable = true;
        QCOMPARE(TopVisibleAncestor(child), &window);
        QVERIFY(MakeTranslucent(child, 191));
        QCOMPARE(qRound(window.windowOpacity() * 255), 191);
        QVERIFY(MakeOpaque(child));
        QCOMPARE(window.windowOpacity(), 1.0);
    }

    void ancestorClimbStopsAtAHiddenParent() {
        QWidget window;
        auto* child = new QWidget(&window);
        QCOMPARE(TopVisibleAncestor(child), child);
        QCOMPARE(TopVisibleAncestor(nullptr), nullptr);
    }

    void topmostChangesInPlace() {
        QWidget window;
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        SetTopmost(&window, true);
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        SetTopmost(&window, false);
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
    }
};

QTEST_MAIN(TestWindowHelpers)
#include "tst_windowhelpers.moc"
