#include "support/DesktopSession.h"

#include <QtTest>

// The program as a user meets it: on an X display with a tray host, driven with the pointer.
class TrayX11Test : public QObject {
    Q_OBJECT

    DesktopSession session;
    QRect icon;

    static QPoint centre(const QRect& rect) { return rect.center(); }

private Q_SLOTS:
    void initTestCase() {
        QString why;
        if (!session.available(&why)) {
            QSKIP(qPrintable(why));
        }
        session.writeSettings(
            "Defined=Yes\nShowCPU=1\nShowPhysMem=1\nShowCDrive=1\nShowSplash=0\nVersionCheck=False\n"
            "ShowExitPrompt=True\n");
        QVERIFY(session.startProgram());
        QTRY_VERIFY_WITH_TIMEOUT(!(icon = session.trayIcon()).isEmpty(), 15000);
    }

    void cleanupTestCase() { session.stopProgram(); }

    void restingOnTheIconOpensThePopup() {
        DesktopSession::movePointer(icon.topLeft() + QPoint(2, 2));
        QTest::qWait(250);
        DesktopSession::movePointer(centre(icon));
        QTRY_VERIFY_WITH_TIMEOUT(!session.window("Quorvane pop-up").isEmpty(), 5000);
        const QRect popup = session.window("Quorvane pop-up");
        QVERIFY(popup.bottom() <= icon.bottom() + 1);

        DesktopSession::movePointer(QPoint(100, 100));  // away: the 3 s pointer check closes it
        QTRY_VERIFY_WITH_TIMEOUT(session.window("Quorvane pop-up").isEmpty(), 6000);
    }

    void rightClickOpensTheMenuAndAToggleIsStored() {
        QVERIFY(!session.settings().contains("TimeSyncOnStart"));
        DesktopSession::movePointer(centre(icon));
        DesktopSession::xdotool({"click", "3"});
        QTest::qWait(700);
        // From the bottom: Exit, About, Check for new version, then the start-up synchronisation.
        for (int i = 0; i < 4; ++i) {
            DesktopSession::xdotool({"key", "Up"});
        }
        DesktopSession::xdotool({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(session.settings().contains("TimeSyncOnStart=True"), 5000);
    }

    void exitAsksFirst() {
        DesktopSession::movePointer(centre(icon));
        DesktopSession::xdotool({"click", "3"});
        QTest::qWait(700);
        DesktopSession::xdotool({"key", "Up"});
        DesktopSession::xdotool({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(!session.window(" Exit").isEmpty(), 5000);
        DesktopSession::xdotool({"key", "Escape"});  // not Yes: the program runs on
        QTRY_VERIFY_WITH_TIMEOUT(session.window(" Exit").isEmpty(), 5000);
        QCOMPARE(session.program().state(), QProcess::Running);

        DesktopSession::xdotool({"click", "3"});
        QTest::qWait(700);
        DesktopSession::xdotool({"key", "Up"});
        DesktopSession::xdotool({"key", "Return"});
        QTRY_VERIFY_WITH_TIMEOUT(!session.window(" Exit").isEmpty(), 5000);
        DesktopSession::xdotool({"key", "Return"});  // Yes is the default button
        QVERIFY(session.program().waitForFinished(10000));
        QCOMPARE(session.program().exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(TrayX11Test)
#include "tst_tray_x11.moc"
