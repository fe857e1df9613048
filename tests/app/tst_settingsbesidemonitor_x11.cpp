#include "app/Application.h"
#include "options/Options.h"
#include "options/OptionsTimeSyncPage.h"
#include "support/DesktopSession.h"
#include "support/TestEnvironment.h"
#include "timesync/TimeSyncExec.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QUdpSocket>
#include <QtTest>

// The program in this process on the test's X display, driven with real pointer clicks and key
// presses (XTEST): the options dialog reached from the synchronisation window while the monitor
// window stays open.
class SettingsBesideMonitorTest : public QObject {
    Q_OBJECT

    template <typename Window>
    static Window* shown() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (auto* window = qobject_cast<Window*>(widget); window && window->isVisible()) {
                return window;
            }
        }
        return nullptr;
    }
    static void click(const QWidget* widget, QPoint at, const char* button = "1") {
        DesktopSession::movePointer(widget->mapToGlobal(at));
        DesktopSession::xdotool({"click", button});
    }
    static void keys(const QWidget* window, const char* combination) {
        DesktopSession::xdotool({"windowfocus", "--sync", QString::number(window->winId())});
        DesktopSession::xdotool({"key", combination});
    }

private Q_SLOTS:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb")) {
            QSKIP("needs an X display with a tray host (scripts/test starts one)");
        }
        QString why;
        if (!DesktopSession().available(&why)) {
            QSKIP(qPrintable(why));
        }
    }

    // Saving the options beside the open monitor leaves "Show System Monitor" disabled, and the
    // hotkey still hides the monitor.
    void hotkeyHidesTheMonitorAfterSettingsFromTheSyncWindow() {
        TestEnvironment environment;
        qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
        QUdpSocket silentServer;  // takes the request and never answers
        QVERIFY(silentServer.bind(QHostAddress::LocalHost, 0));
        QDir().mkpath(environment.configHome() + "/Quorvane");
        QFile file(environment.configHome() + "/Quorvane/Quorvane.conf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(
            "[Settings]\nDefined=Yes\nShowCPU=1\nShowSplash=0\nVersionCheck=False\nShowStatsAtStartup=1\n"
            "UseHotkey=True\nShowExitPrompt=False\nShowQuickDisplay=False\nTimeServer=127.0.0.1:" +
            QByteArray::number(silentServer.localPort()) + "\n");
        file.close();

        CommandLine commandLine = CommandLine::parse({QStringLiteral("--dry-run")});
        QVERIFY(commandLine.dryRun);
        Application program(commandLine);
        QCOMPARE(program.start(), Application::Start::Running);
        const TrayMenuState& items = program.menu().menuState();
        QVERIFY(QTest::qWaitFor([] { return shown<monitor::Display>() != nullptr; }));
        QPointer<monitor::Display> monitor = shown<monitor::Display>();
        QVERIFY(QTest::qWaitForWindowExposed(monitor.data()));
        QVERIFY(!items.mnuDisplay.enabled);

        // "Synchronize Clock Now" from the tray menu.
        // Embedded, the icon leaves the screen's top-left corner for its place in the tray.
        QVERIFY(QTest::qWaitFor([&] { return program.trayIcon()->geometry().top() > 0; }, 15000));
        QMenu& trayMenu = program.trayIcon()->MenuTray();
        DesktopSession::movePointer(program.trayIcon()->geometry().center());
        // As in the tray test: a right-click now and then goes unseen by a freshly embedded icon.
        for (int attempt = 0; attempt < 3 && !trayMenu.isVisible(); ++attempt) {
            DesktopSession::xdotool({"click", "3"});
            (void)QTest::qWaitFor([&] { return trayMenu.isVisible(); }, 3000);
        }
        QVERIFY(trayMenu.isVisible());
        click(&trayMenu, trayMenu.actionGeometry(program.trayIcon()->action("mnuSync")).center());
        QVERIFY(QTest::qWaitFor([] { return shown<TimeSyncExec>() != nullptr; }));
        TimeSyncExec* sync = shown<TimeSyncExec>();
        auto* settingsButton = sync->findChild<QPushButton*>("settingsButton");
        QVERIFY(settingsButton);
        QVERIFY(QTest::qWaitFor([&] { return settingsButton->isVisible(); }, 20000));  // after the time-out

        keys(sync, "alt+s");
        QVERIFY(QTest::qWaitFor([] { return shown<Options>() != nullptr; }));
        Options* options = shown<Options>();
        QVERIFY(QTest::qWaitForWindowExposed(options));
        QCOMPARE(options->currentPage(), int(Options::TimeSyncPage));
        QVERIFY(monitor);
        QCheckBox* syncAtStart = options->timeSync->Check3;
        const bool before = syncAtStart->isChecked();
        click(syncAtStart, QPoint(8, syncAtStart->height() / 2));
        QVERIFY(QTest::qWaitFor([&] { return syncAtStart->isChecked() != before; }));
        keys(options, "alt+a");
        QVERIFY(QTest::qWaitFor([&] { return !options->applyButton->isEnabled(); }));

        QVERIFY(monitor);
        QVERIFY2(!items.mnuDisplay.enabled, "Show System Monitor is offered while the monitor is open");
        DesktopSession::xdotool({"key", "ctrl+shift+c"});
        QVERIFY2(QTest::qWaitFor([&] { return monitor.isNull(); }, 5000),
                 "the hotkey did not hide the monitor");
        QVERIFY(items.mnuDisplay.enabled);

        program.menu().unload();
    }
};

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("DISPLAY")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");  // the test case then says why it skips
    }
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false);
    SettingsBesideMonitorTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_settingsbesidemonitor_x11.moc"
