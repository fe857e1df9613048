#include "monitor/Popup.h"
#include "monitor/PopupGeometry.h"

#include <QtTest>

class PopupTest : public QObject {
    Q_OBJECT

    bool pointerOnIcon = true;
    QString text = QStringLiteral("CPU activity ...... 100%\r\nCPU activity ........ 7%");

    Popup::Hooks hooks() {
        return {[this] { return text; }, [this] { return pointerOnIcon; },
                [] { return QSize(1280 * 15, 776 * 15); }, [] { return 15; }, [] { return QRect(); }};
    }

private Q_SLOTS:
    void adjustColor_data() {
        QTest::addColumn<int>("colour");
        QTest::addColumn<int>("adjust");
        QTest::addColumn<int>("expected");
        QTest::newRow("red lightened") << 0x0000FF << 60 << 0x3C3CFF;
        QTest::newRow("white darkened past black") << 0xFFFFFF << -300 << 0;
        QTest::newRow("back colour") << 0 << 60 << 0x3C3C3C;
    }
    void adjustColor() {
        QFETCH(int, colour);
        QFETCH(int, adjust);
        QFETCH(int, expected);
        QCOMPARE(PopupGeometry::AdjustColor(colour, adjust), expected);
    }

    void sitsAtTheBottomRightOfTheWorkArea() {
        const QRect place = PopupGeometry::placement(QSize(3570, 1020), 15360, 11070);
        QCOMPARE(place.topLeft(), QPoint(15360 - 3570, 11070 - 1020));
    }

    void neverCoversTheTrayIcon() {
        // A work area that takes in the panel (auto-hide, no strut, no window manager).
        const QRect icon(1250, 778, 22, 22);
        Popup::Hooks withIcon = hooks();
        withIcon.workAreaTwips = [] { return QSize(1280 * 15, 800 * 15); };
        withIcon.trayIcon = [icon] { return icon; };
        std::unique_ptr<Popup> popup(new Popup(withIcon));
        popup->popUp();
        QCOMPARE(popup->geometry().bottom() + 1, icon.top());
        QCOMPARE(popup->geometry().right() + 1, 1280);
        // An icon that cannot be located leaves the bottom-right corner.
        withIcon.trayIcon = [] { return QRect(); };
        popup.reset(new Popup(withIcon));
        popup->popUp();
        QCOMPARE(popup->geometry().bottom() + 1, 800);
        // A panel at the top: right below the icon, right edges lined up.
        withIcon.trayIcon = [] { return QRect(1100, 0, 24, 24); };
        popup.reset(new Popup(withIcon));
        popup->popUp();
        QCOMPARE(popup->geometry().top(), 24);
        QCOMPARE(popup->geometry().right() + 1, 1124);
    }

    void standsBesideTheClickOnATrayThatKeepsTheIconsPlace() {
        // The offscreen screen is 800 x 600: a click in a top bar opens the window below the click,
        // one in a bottom panel above it; both stay on the screen.
        Popup::Hooks clicked = hooks();
        QRect click(400 - 12, 13 - 12, 24, 24);
        clicked.clickAnchor = [&click] { return click; };
        std::unique_ptr<Popup> popup(new Popup(clicked));
        popup->popUp();
        QCOMPARE(popup->geometry().top(), click.bottom() + 1);
        QVERIFY(qAbs(popup->geometry().center().x() - 400) <= 1);
        click = QRect(790 - 12, 590 - 12, 24, 24);
        popup->popUp();
        QCOMPARE(popup->geometry().bottom() + 1, click.top());
        QCOMPARE(popup->geometry().right() + 1, 800);
    }

    void windowNeverTakesFocusAndFollowsItsText() {
        auto* popup = new Popup(hooks());
        popup->popUp();
        QVERIFY(popup->isVisible());
        QVERIFY(popup->testAttribute(Qt::WA_ShowWithoutActivating));
        QVERIFY(popup->windowFlags() & Qt::WindowDoesNotAcceptFocus);
        QVERIFY(popup->windowFlags() & Qt::WindowStaysOnTopHint);
        QCOMPARE(popup->geometry().right() + 1, 1280);
        QCOMPARE(popup->geometry().bottom() + 1, 776);
        const int twoLines = popup->height();
        text += QStringLiteral("\r\nPhysical memory .... 45%");
        popup->refresh();
        QVERIFY(popup->height() > twoLines);
        QCOMPARE(popup->geometry().bottom() + 1, 776);
        QVERIFY(popup->Timer3.isActive());
        QVERIFY(popup->Timer4.isActive());
        delete popup;
    }

    void pointerAwayAsksToClose() {
        auto* popup = new Popup(hooks());
        QSignalSpy closing(popup, &Popup::closeRequested);
        popup->Timer4.setInterval(10);
        popup->popUp();
        popup->Timer4.setInterval(10);
        QSignalSpy checks(&popup->Timer4, &QTimer::timeout);
        QVERIFY(QTest::qWaitFor([&checks] { return checks.count() >= 3; }));
        QCOMPARE(closing.count(), 0);  // the pointer is still on the icon
        pointerOnIcon = false;
        QTRY_COMPARE(closing.count(), 1);
        QVERIFY(!popup->Timer3.isActive());
        delete popup;
    }
};

QTEST_MAIN(PopupTest)
#include "tst_popup.moc"
