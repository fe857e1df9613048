#include "widgets/Balloon.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

class TestBalloon : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void layoutPointsAtTheTarget_data() {
        QTest::addColumn<QRect>("target");
        QTest::addColumn<bool>("tailBelow");
        QTest::addColumn<QPoint>("tip");
        const QRect bar(200, 300, 120, 17);
        QTest::newRow("room above: tail down onto the top edge") << bar << true << QPoint(260, 300);
        QTest::newRow("no room above: tail up onto the bottom edge")
            << QRect(200, 20, 120, 17) << false << QPoint(260, 37);
        QTest::newRow("point near the bottom-right corner")
            << QRect(1270, 790, 0, 0) << true << QPoint(1270, 790);
        QTest::newRow("point near the top-left corner") << QRect(3, 2, 0, 0) << false << QPoint(3, 2);
    }
    void layoutPointsAtTheTarget() {
        QFETCH(QRect, target);
        QFETCH(bool, tailBelow);
        QFETCH(QPoint, tip);
        const QRect screen(0, 0, 1280, 800);
        const QSize body(220, 60);
        const BalloonLayout layout = BalloonGeometry::layout(body, target, screen);
        QCOMPARE(layout.tailEdge == BalloonLayout::TailEdge::Bottom, tailBelow);
        QCOMPARE(layout.tipOnScreen(), tip);
        QVERIFY(screen.contains(layout.window));
        QCOMPARE(layout.window.size(), QSize(220, 60 + BalloonGeometry::kTailHeight));
        QCOMPARE(layout.body.size(), body);
        // The body never covers the target, and the tail's base sits on the body edge facing it.
        QVERIFY(!layout.body.translated(layout.window.topLeft()).intersects(target));
        const int edge = tailBelow ? layout.body.bottom() + 1 : layout.body.top();
        QCOMPARE(layout.tail[1].y(), edge);
        QCOMPARE(layout.tail[2].y(), edge);
        QVERIFY(layout.tail[1].x() >= BalloonGeometry::kCornerRadius);
        QVERIFY(layout.tail[2].x() <= body.width() - BalloonGeometry::kCornerRadius);
    }

    void bodyOpensLeftNearTheRightEdge() {
        const BalloonLayout left =
            BalloonGeometry::layout(QSize(200, 50), QRect(100, 400, 0, 0), QRect(0, 0, 1280, 800));
        const BalloonLayout right =
            BalloonGeometry::layout(QSize(200, 50), QRect(1250, 400, 0, 0), QRect(0, 0, 1280, 800));
        QCOMPARE(left.window.left(), 100 - BalloonGeometry::kTailInset);
        QCOMPARE(right.window.right() + 1, 1250 + BalloonGeometry::kTailInset);
    }

    // Beside a window the balloon covers none of it, so the pointer reaches every other row there.
    void besideAWindowCoversNoneOfIt_data() {
        QTest::addColumn<QRect>("window");
        QTest::addColumn<bool>("opensRight");
        QTest::newRow("room on the right") << QRect(300, 400, 270, 100) << true;
        QTest::newRow("at the right screen edge") << QRect(1010, 400, 270, 100) << false;
        QTest::newRow("at the bottom-right corner") << QRect(1010, 700, 270, 100) << false;
    }
    void besideAWindowCoversNoneOfIt() {
        QFETCH(QRect, window);
        QFETCH(bool, opensRight);
        const QRect screen(0, 0, 1280, 800);
        const QRect row(window.x() + 140, window.bottom() - 25, 120, 17);
        const BalloonLayout layout = BalloonGeometry::besideLayout(QSize(220, 60), window, row, screen);
        QVERIFY(screen.contains(layout.window));
        QVERIFY(!layout.window.intersects(window));
        const int edge = opensRight ? window.right() + 1 : window.left();
        QCOMPARE(layout.tipOnScreen(), QPoint(edge, row.center().y()));
        QCOMPARE(layout.tailEdge,
                 opensRight ? BalloonLayout::TailEdge::Left : BalloonLayout::TailEdge::Right);
        // The tail's base lies on the body's edge facing the window, clear of the rounded corners.
        const int baseX = opensRight ? layout.body.left() : layout.body.right() + 1;
        QCOMPARE(layout.tail[1].x(), baseX);
        QCOMPARE(layout.tail[2].x(), baseX);
        QVERIFY(layout.tail[1].y() >= BalloonGeometry::kCornerRadius);
        QVERIFY(layout.tail[2].y() <= layout.body.height() - BalloonGeometry::kCornerRadius);
    }

    void neverTakesTheFocus() {
        Balloon balloon;
        QVERIFY(balloon.windowFlags().testFlag(Qt::WindowDoesNotAcceptFocus));
        QCOMPARE(balloon.windowType(), Qt::ToolTip);
        QVERIFY(balloon.testAttribute(Qt::WA_ShowWithoutActivating));
        QCOMPARE(balloon.closeButton()->toolTip(), QStringLiteral("Close"));
        QCOMPARE(balloon.closeButton()->focusPolicy(), Qt::NoFocus);
    }

    void reportsWhoClosedIt() {
        Balloon balloon;
        QSignalSpy spy(&balloon, &Balloon::closed);
        balloon.setTitle(QStringLiteral("Title"));
        balloon.setText(QStringLiteral("Text"));
        balloon.showAt(QPoint(600, 500));
        QVERIFY(balloon.isShown());
        QCOMPARE(balloon.pos() + balloon.currentLayout().tail[0], QPoint(600, 500));
        QTest::mouseClick(balloon.closeButton(), Qt::LeftButton);
        QVERIFY(!balloon.isShown());
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.takeFirst().at(0).value<Balloon::ClosedBy>(), Balloon::ClosedBy::User);

        balloon.showAt(QPoint(600, 500));
        balloon.dismiss();
        balloon.dismiss();  // already closed: no second notice
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.takeFirst().at(0).value<Balloon::ClosedBy>(), Balloon::ClosedBy::Program);
    }

    void stays() {
        Balloon balloon;
        balloon.setText(QStringLiteral("Text"));
        balloon.showAt(QPoint(600, 500));
        QTest::qWait(200);
        QVERIFY(balloon.isShown());
    }

    void textReplacedInPlace() {
        QWidget window;
        window.setGeometry(100, 400, 200, 100);  // room on its right for the longer text
        auto* bar = new QWidget(&window);
        bar->setGeometry(50, 40, 120, 17);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        Balloon balloon;
        QSignalSpy spy(&balloon, &Balloon::closed);
        balloon.setTitle(QStringLiteral("Physical Memory"));
        balloon.setText(QStringLiteral("1,024 of\r\n4,096 MB"));
        balloon.showBeside(bar);
        const QPoint barTop(window.frameGeometry().right() + 1, bar->mapToGlobal(bar->rect().center()).y());
        QCOMPARE(balloon.currentLayout().tipOnScreen(), barTop);
        QCOMPARE(balloon.pos() + balloon.currentLayout().tail[0], barTop);

        const QSize before = balloon.size();
        balloon.setText(QStringLiteral("1,024 of\r\n4,096 MB\r\nand a much longer third line of text"));
        QVERIFY(balloon.isShown());
        QVERIFY(balloon.width() > before.width());
        QCOMPARE(balloon.currentLayout().tipOnScreen(), barTop);
        QCOMPARE(balloon.text(),
                 QStringLiteral("1,024 of\r\n4,096 MB\r\nand a much longer third line of text"));
        QCOMPARE(balloon.findChildren<QLabel*>().at(1)->text(),
                 QStringLiteral("1,024 of\n4,096 MB\nand a much longer third line of text"));
        QCOMPARE(spy.count(), 0);
    }
};

QTEST_MAIN(TestBalloon)
#include "tst_balloon.moc"
