#include "app/AlertBalloonView.h"
#include "stats/SysInfo.h"

#include <QFontMetrics>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class TestAlertBalloonView : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void showsAtTheTwipsPositionAndReplacesText() {
        AlertBalloonView view;
        view.setTitle(QStringLiteral("Computer Threshold Violations"));
        QSignalSpy userClosed(&view, &AlertBalloonView::userClosed);
        const int tppX = SysInfo::twipsPerPixelX();
        const int tppY = SysInfo::twipsPerPixelY();
        const int id = view.show(QStringLiteral("CPU activity ........... 91%"), 500 * tppX, 580 * tppY);
        QVERIFY(view.balloon().isShown());
        QCOMPARE(view.balloon().currentLayout().tipOnScreen(), QPoint(500, 580));
        const QFontMetrics metrics(view.balloon().textFont());  // the dotted columns line up
        QCOMPARE(metrics.horizontalAdvance(QLatin1Char('.')), metrics.horizontalAdvance(QLatin1Char('W')));

        view.setText(id + 1, QStringLiteral("stale"));
        QCOMPARE(view.balloon().text(), QStringLiteral("CPU activity ........... 91%"));
        view.setText(id, QStringLiteral("CPU activity ........... 95%"));
        QCOMPARE(view.balloon().text(), QStringLiteral("CPU activity ........... 95%"));

        view.close(id);
        QVERIFY(!view.balloon().isShown());
        QCOMPARE(userClosed.count(), 0);  // a close asked for by the program is not reported

        const int second = view.show(QStringLiteral("x"), 0, 0);
        QVERIFY(second != id);
        QTest::mouseClick(view.balloon().closeButton(), Qt::LeftButton);
        QCOMPARE(userClosed.count(), 1);
        view.close(second);  // already gone: nothing
        QCOMPARE(userClosed.count(), 1);
    }
};

QTEST_MAIN(TestAlertBalloonView)
#include "tst_alertballoonview.moc"
