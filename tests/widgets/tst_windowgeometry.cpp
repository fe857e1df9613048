#include "widgets/WindowGeometry.h"

#include <QWidget>
#include <QtTest>

class WindowGeometryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pointerTests() {
        QWidget form;
        form.setWindowFlag(Qt::FramelessWindowHint);
        form.setGeometry(100, 200, 50, 40);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const QPoint origin = form.mapToGlobal(QPoint(0, 0));

        using WindowGeometry::IsCursorOutsideClient;
        using WindowGeometry::IsCursorOutsideWindow;
        QVERIFY(!IsCursorOutsideClient(form, origin + QPoint(10, 10)));
        QVERIFY(!IsCursorOutsideClient(form, origin + QPoint(50, 40)));  // on the far edges: still inside
        QVERIFY(IsCursorOutsideClient(form, origin + QPoint(-1, 10)));
        QVERIFY(IsCursorOutsideClient(form, origin + QPoint(10, -1)));
        QVERIFY(IsCursorOutsideClient(form, origin + QPoint(51, 10)));
        QVERIFY(IsCursorOutsideClient(form, origin + QPoint(10, 41)));

        const QRect frame = form.frameGeometry();
        QVERIFY(!IsCursorOutsideWindow(form, frame.topLeft()));
        QVERIFY(!IsCursorOutsideWindow(form, frame.topLeft() + QPoint(frame.width(), frame.height())));
        QVERIFY(IsCursorOutsideWindow(form, frame.topLeft() - QPoint(1, 0)));
        QVERIFY(IsCursorOutsideWindow(form, frame.topLeft() + QPoint(0, frame.height() + 1)));

        QCOMPARE(WindowGeometry::GetBorderWidth(form), 0);  // frameless
        QCOMPARE(WindowGeometry::GetTitleBarHeight(form), 0);
    }

    void taskListFlag() {
        QWidget form;
        form.show();
        WindowGeometry::SetHiddenFromTaskList(form, true);
        QVERIFY(form.windowFlags().testFlag(Qt::Tool));
        QVERIFY(form.isVisible());
        WindowGeometry::SetHiddenFromTaskList(form, false);
        QVERIFY(!form.windowFlags().testFlag(Qt::Tool));
    }
};

QTEST_MAIN(WindowGeometryTest)
#include "tst_windowgeometry.moc"
