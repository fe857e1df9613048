#include "support/DesktopSession.h"
#include "support/PrivateSessionBus.h"
#include "support/StatusNotifierItems.h"

#include <QDBusConnectionInterface>
#include <QtTest>

// The program on an Xfce panel under X11: xfce4-panel's status tray hosts icons of both kinds (an
// X11 system tray and a D-Bus watcher), and dunst is the notification service. The test starts
// them all on a display of its own.
class XfcePanelTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    QProcess display;
    PrivateSessionBus bus;
    QProcess panel;
    QProcess notifications;
    QString displayName;
    QProcessEnvironment desktop;

    static constexpr const char* kSettings =
        "Defined=Yes\nShowCPU=1\nShowPhysMem=1\nShowCDrive=1\nShowSplash=0\nVersionCheck=False\n"
        "ShowQuickDisplay=True\nLevelCPU=1\nMonitorLevels=True\nShowExitPrompt=False\n";

    QDBusConnection desktopBus() { return bus.connect(QStringLiteral("xfce")); }

    bool writePanelConfiguration() {
        const QString folder = dir.filePath(QStringLiteral("config/xfce4/xfconf/xfce-perchannel-xml"));
        QFile file(folder + QStringLiteral("/xfce4-panel.xml"));
        // One panel along the bottom edge: the status tray at its right end.
        const QByteArray xml = R"(<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=8;x=0;y=0"/>
      <property name="length" type="uint" value="100"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="size" type="uint" value="28"/>
      <property name="plugin-ids" type="array"><value type="int" value="1"/><value type="int" value="2"/></property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="separator"><property name="expand" type="bool" value="true"/></property>
    <property name="plugin-2" type="string" value="systray"/>
  </property>
</channel>
)";
        return QDir().mkpath(folder) && file.open(QIODevice::WriteOnly) && file.write(xml) == xml.size();
    }

    void startIn(DesktopSession& session) {
        session.setVariable(QStringLiteral("DISPLAY"), displayName);
        session.setVariable(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    }

    static void stop(QProcess& process) {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000)) {
                process.kill();
                process.waitForFinished();
            }
        }
    }

    // Keeps one core busy, well above the alert's 1 % level.
    struct Load {
        QProcess process;
        Load() {
            process.start(QStringLiteral("sh"),
                          {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
        }
        ~Load() {
            process.kill();
            process.waitForFinished();
        }
    };

private Q_SLOTS:
    void initTestCase() {
        for (const char* tool : {"Xvfb", "xfce4-panel", "dunst", "dunstctl", "xdotool", "xwininfo"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/test installs it)").arg(tool)));
            }
        }
        // A display of the test's own: the suite's shared one has another tray on it.
        display.start(QStringLiteral("Xvfb"),
                      {"-displayfd", "1", "-screen", "0", "1280x800x24", "-nolisten", "tcp"});
        QVERIFY(display.waitForStarted(5000));
        QVERIFY(QTest::qWaitFor([this] { return display.canReadLine(); }, 10000));
        displayName = QLatin1Char(':') + QString::fromLatin1(display.readLine()).trimmed();
        qputenv("DISPLAY", displayName.toLocal8Bit());  // xdotool and xwininfo follow it

        QVERIFY(writePanelConfiguration());
        desktop = QProcessEnvironment::systemEnvironment();
        desktop.insert(QStringLiteral("DISPLAY"), displayName);
        desktop.insert(QStringLiteral("HOME"), dir.path());
        desktop.insert(QStringLiteral("XDG_CONFIG_HOME"), dir.filePath(QStringLiteral("config")));
        desktop.insert(QStringLiteral("XDG_CACHE_HOME"), dir.filePath(QStringLiteral("cache")));
        QString why;
        QVERIFY2(bus.start(&why, desktop, true), qPrintable(why));  // xfconfd starts on demand
        desktop.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toLocal8Bit());  // dunstctl asks dunst there

        panel.setProcessEnvironment(desktop);
        panel.setProcessChannelMode(QProcess::MergedChannels);
        panel.start(QStringLiteral("xfce4-panel"), {QStringLiteral("--disable-wm-check")});
        notifications.setProcessEnvironment(desktop);
        notifications.setProcessChannelMode(QProcess::MergedChannels);
        notifications.start(QStringLiteral("dunst"), {});
        QDBusConnection connection = desktopBus();
        const bool ready = StatusNotifierItems::waitForTrayAndNotifications(connection, 20000);
        QVERIFY2(ready, qPrintable("the panel or dunst did not come up: " + panel.readAll().right(600) +
                                   notifications.readAll().right(300)));
    }

    void cleanupTestCase() {
        stop(notifications);
        stop(panel);
        stop(display);
    }

    // TrayKind auto: the program's own icon in the X11 tray, with the hover pop-up and the balloon.
    void theOwnIconHasTheHoverPopupTheBalloonAndTheMenu() {
        DesktopSession session;
        startIn(session);
        QString why;
        QVERIFY2(session.startInTray(kSettings, &why), qPrintable(why));
        const QRect icon = session.icon();
        QVERIFY2(icon.top() >= 800 - 40, "the icon is not in the panel along the bottom");
        QVERIFY(StatusNotifierItems::registered(desktopBus()).isEmpty());  // one icon, the X11 one

        DesktopSession::movePointer(icon.topLeft() + QPoint(2, 2));
        QTest::qWait(250);
        DesktopSession::movePointer(icon.center());
        QTRY_VERIFY_WITH_TIMEOUT(!session.window(QStringLiteral("Quorvane pop-up")).isEmpty(), 5000);
        const QRect popup = session.window(QStringLiteral("Quorvane pop-up"));
        QVERIFY(popup.bottom() <= icon.top());  // above the panel, not over the icon
        DesktopSession::screenshot(QStringLiteral("i23-xfce-own-icon-popup"));
        DesktopSession::movePointer(QPoint(100, 100));
        QTRY_VERIFY_WITH_TIMEOUT(session.window(QStringLiteral("Quorvane pop-up")).isEmpty(), 6000);

        {
            Load load;
            QTRY_VERIFY_WITH_TIMEOUT(
                !session.window(QStringLiteral("Computer Threshold Violations")).isEmpty(), 20000);
            const QRect balloon = session.window(QStringLiteral("Computer Threshold Violations"));
            const int tailX = icon.left() + 7;
            QVERIFY(balloon.left() <= tailX && balloon.right() >= tailX);
            DesktopSession::screenshot(QStringLiteral("i23-xfce-own-icon-balloon"));
        }

        QVERIFY(session.openTrayMenu());
        session.clickLastMenuItem();  // "Exit", without a question
        QVERIFY(session.program().waitForFinished(10000));
        QCOMPARE(session.program().exitCode(), 0);
    }

    // TrayKind statusnotifier: the panel draws the icon; the values are its tooltip, a click opens
    // the pop-up beside the pointer, and alerts go to dunst.
    void theDBusIconCarriesTheValuesAndTheClicks() {
        DesktopSession session;
        startIn(session);
        session.writeSettings(QByteArray(kSettings) + "TrayKind=statusnotifier\n");
        QVERIFY(session.startProgram());
        QDBusConnection connection = desktopBus();
        QTRY_VERIFY_WITH_TIMEOUT(StatusNotifierItems::registered(connection).size() == 1, 15000);
        const QString item = StatusNotifierItems::registered(connection).constFirst();
        QTRY_VERIFY_WITH_TIMEOUT(
            StatusNotifierItems::toolTip(connection, item).contains(QLatin1String("CPU activity")), 5000);
        const QString tip = StatusNotifierItems::toolTip(connection, item);
        QVERIFY2(tip.startsWith(QLatin1String(" Quorvane\n")), qPrintable(tip));
        QVERIFY2(tip.contains(QLatin1String("C: drive usage")), qPrintable(tip));

        // The tray's only icon sits at the right end of the panel.
        const QRect panelArea(0, 800 - 28, 1280, 28);
        const QPoint onIcon(panelArea.right() - 14, panelArea.center().y());
        DesktopSession::movePointer(onIcon);
        // The watcher knows the item before the panel has drawn its button: a click that lands
        // first reaches nothing, so the user's second try is repeated here.
        const auto popupShown = [&] { return !session.window(QStringLiteral("Quorvane pop-up")).isEmpty(); };
        for (int attempt = 0; attempt < 4 && !popupShown(); ++attempt) {
            DesktopSession::xdotool({QStringLiteral("click"), QStringLiteral("1")});
            (void)QTest::qWaitFor(popupShown, 5000);
        }
        QVERIFY2(popupShown(), "no click on the panel's icon opened the pop-up");
        const QRect popup = session.window(QStringLiteral("Quorvane pop-up"));
        QVERIFY2(popup.bottom() < onIcon.y() && qAbs(popup.center().x() - onIcon.x()) < popup.width(),
                 "the pop-up is not beside the click");
        DesktopSession::screenshot(QStringLiteral("i23-xfce-dbus-icon-popup"));
        DesktopSession::movePointer(QPoint(100, 100));  // away: closed within the pointer check
        QTRY_VERIFY_WITH_TIMEOUT(session.window(QStringLiteral("Quorvane pop-up")).isEmpty(), 6000);

        {
            Load load;
            QTRY_VERIFY_WITH_TIMEOUT(
                DesktopSession::run(QStringLiteral("dunstctl"),
                                    {QStringLiteral("count"), QStringLiteral("displayed")})
                        .trimmed()
                        .toInt() >= 1,
                20000);
            DesktopSession::screenshot(QStringLiteral("i23-xfce-dbus-icon-notification"));
        }
        QVERIFY(session.window(QStringLiteral("Computer Threshold Violations")).isEmpty());
        session.stopProgram();
    }
};

QTEST_GUILESS_MAIN(XfcePanelTest)
#include "tst_xfcepanel.moc"
