#include "support/PrivateSessionBus.h"
#include "support/SanitizerUnwind.h"
#include "support/StatusNotifierItems.h"

#include <QDBusConnectionInterface>
#include <QtTest>

#include <unistd.h>

// The program in a Wayland session: sway on its headless back end, waybar's tray (a D-Bus one) and
// mako as the notification service, all started by the test. sway refuses to run as root, so a
// root test runs the desktop and the program as an unprivileged user of their own.
class SwayPanelTest : public QObject {
    Q_OBJECT

    static constexpr const char* kUser = "quorvane-panel";
    QTemporaryDir dir;
    PrivateSessionBus bus;
    QProcess sway;
    QProcess notifications;
    QProcessEnvironment desktop;
    bool asOtherUser = false;

    QString path(const QString& name) const { return dir.filePath(name); }
    QDBusConnection desktopBus() { return bus.connect(QStringLiteral("sway")); }

    // Starts a program of the desktop, as its user.
    void start(QProcess& process, const QString& program, const QStringList& arguments,
               const QProcessEnvironment& environment) {
        process.setProcessEnvironment(environment);
        if (asOtherUser) {
            process.start(QStringLiteral("runuser"),
                          QStringList{"-m", "-u", QString::fromLatin1(kUser), "--", program} + arguments);
        } else {
            process.start(program, arguments);
        }
    }

    QString runInDesktop(const QString& program, const QStringList& arguments) {
        QProcess process;
        start(process, program, arguments, desktop);
        process.waitForFinished(10000);
        return QString::fromUtf8(process.readAllStandardOutput());
    }

    QString swaymsg(const QStringList& arguments) {
        return runInDesktop(QStringLiteral("swaymsg"), arguments);
    }

    // A window sway shows (tiled or floating) by its title; empty when there is none.
    QRect window(const QString& title) {
        const QJsonDocument tree = QJsonDocument::fromJson(swaymsg({"-t", "get_tree"}).toUtf8());
        return find(tree.object(), title);
    }

    static QRect find(const QJsonObject& node, const QString& title) {
        if (node.value(QLatin1String("name")).toString() == title) {
            const QJsonObject rect = node.value(QLatin1String("rect")).toObject();
            return QRect(rect.value(QLatin1String("x")).toInt(), rect.value(QLatin1String("y")).toInt(),
                         rect.value(QLatin1String("width")).toInt(),
                         rect.value(QLatin1String("height")).toInt());
        }
        for (const char* children : {"nodes", "floating_nodes"}) {
            for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
                const QRect found = find(child.toObject(), title);
                if (!found.isEmpty()) {
                    return found;
                }
            }
        }
        return {};
    }

    void screenshot(const QString& name) {
        const QString folder = qEnvironmentVariable("QUORVANE_SCREENSHOTS");
        if (!folder.isEmpty()) {
            runInDesktop(QStringLiteral("grim"), {path(QStringLiteral("shot.png"))});
            QFile::remove(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
            QFile::copy(path(QStringLiteral("shot.png")),
                        folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        }
    }

    bool writeFile(const QString& name, const QByteArray& text) {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text) == text.size();
    }

    QString notificationsShown() { return runInDesktop(QStringLiteral("makoctl"), {QStringLiteral("list")}); }

    static void stop(QProcess& process) {
        if (process.state() != QProcess::NotRunning) {
            process.terminate();
            if (!process.waitForFinished(5000)) {
                process.kill();
                process.waitForFinished();
            }
        }
    }

    // The program as the desktop's user, with --dry-run like every run in the tests.
    void startProgram(QProcess& program) {
        QProcessEnvironment environment = desktop;
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        program.setProcessChannelMode(QProcess::SeparateChannels);
        start(program, QStringLiteral(QUORVANE_BINARY), {QStringLiteral("--dry-run")}, environment);
        QVERIFY(program.waitForStarted(10000));
    }

    QString settings() {
        QFile file(path(QStringLiteral("config/Quorvane/Quorvane.conf")));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }

private Q_SLOTS:
    void initTestCase() {
        for (const char* tool : {"sway", "swaymsg", "waybar", "mako", "makoctl"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (scripts/test installs it)").arg(tool)));
            }
        }
        asOtherUser = ::geteuid() == 0;
        if (asOtherUser) {
            QProcess lookup;
            lookup.start(QStringLiteral("id"), {QString::fromLatin1(kUser)});
            lookup.waitForFinished();
            if (lookup.exitCode() != 0) {
                QProcess add;
                add.start(QStringLiteral("useradd"),
                          {"--system", "--user-group", "--no-create-home", "--home-dir", "/nonexistent",
                           "--shell", "/usr/sbin/nologin", QString::fromLatin1(kUser)});
                add.waitForFinished();
                if (add.exitCode() != 0) {
                    QSKIP("sway refuses root, and no unprivileged user could be made for it");
                }
            }
        }
        QVERIFY(writeFile(QStringLiteral("config/sway/config"),
                          "output HEADLESS-1 resolution 1280x800\nbar {\n    swaybar_command waybar\n}\n"));
        QVERIFY(writeFile(QStringLiteral("config/waybar/config"),
                          R"({"layer": "top", "position": "top", "height": 26, "modules-right": ["tray"],)"
                          R"( "tray": {"icon-size": 20, "spacing": 4}})"));
        QVERIFY(writeFile(QStringLiteral("config/Quorvane/Quorvane.conf"),
                          "[Settings]\nDefined=Yes\nShowCPU=1\nShowPhysMem=1\nShowCDrive=1\nShowSplash=0\n"
                          "VersionCheck=False\nShowQuickDisplay=True\nLevelCPU=1\nMonitorLevels=True\n"
                          "UseHotkey=True\nShowExitPrompt=False\n"));
        QDir().mkpath(path(QStringLiteral("run")));
        if (asOtherUser) {
            QProcess::execute(QStringLiteral("chown"), {"-R", QString::fromLatin1(kUser), dir.path()});
            QFile::setPermissions(dir.path(), QFile::permissions(dir.path()) | QFileDevice::ExeOther);
            QProcess check;
            check.start(QStringLiteral("runuser"), {"-u", QString::fromLatin1(kUser), "--", "test", "-x",
                                                    QStringLiteral(QUORVANE_BINARY)});
            check.waitForFinished();
            if (check.exitCode() != 0) {
                QSKIP(qPrintable(QStringLiteral("the program (%1) cannot be run by the unprivileged user %2")
                                     .arg(QStringLiteral(QUORVANE_BINARY), QString::fromLatin1(kUser))));
            }
        }
        QFile::setPermissions(path(QStringLiteral("run")),
                              QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);

        QString why;
        QVERIFY2(bus.start(&why), qPrintable(why));
        desktop = QProcessEnvironment::systemEnvironment();
        unwindFullyUnderSanitizer(desktop);
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "SWAYSOCK"}) {
            desktop.remove(QString::fromLatin1(name));
        }
        desktop.insert(QStringLiteral("HOME"), dir.path());
        desktop.insert(QStringLiteral("XDG_CONFIG_HOME"), path(QStringLiteral("config")));
        desktop.insert(QStringLiteral("XDG_CACHE_HOME"), path(QStringLiteral("cache")));
        desktop.insert(QStringLiteral("XDG_RUNTIME_DIR"), path(QStringLiteral("run")));
        desktop.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        QProcessEnvironment compositor = desktop;
        compositor.insert(QStringLiteral("WLR_BACKENDS"), QStringLiteral("headless"));
        compositor.insert(QStringLiteral("WLR_LIBINPUT_NO_DEVICES"), QStringLiteral("1"));
        compositor.insert(QStringLiteral("WLR_RENDERER"), QStringLiteral("pixman"));
        sway.setProcessChannelMode(QProcess::MergedChannels);
        start(sway, QStringLiteral("sway"), {}, compositor);
        QVERIFY(sway.waitForStarted(5000));
        QDir run(path(QStringLiteral("run")));
        const bool up = QTest::qWaitFor(
            [&] {
                return sway.state() != QProcess::Running ||
                       (!run.entryList({"wayland-?"}, QDir::System).isEmpty() &&
                        !run.entryList({"sway-ipc.*.sock"}, QDir::System).isEmpty());
            },
            15000);
        if (!up || sway.state() != QProcess::Running) {
            QSKIP(qPrintable("sway's headless back end cannot run here: " + sway.readAll().right(500)));
        }
        desktop.insert(QStringLiteral("WAYLAND_DISPLAY"),
                       run.entryList({"wayland-?"}, QDir::System).constFirst());
        desktop.insert(QStringLiteral("SWAYSOCK"),
                       run.filePath(run.entryList({"sway-ipc.*.sock"}, QDir::System).constFirst()));
        notifications.setProcessChannelMode(QProcess::MergedChannels);
        start(notifications, QStringLiteral("mako"), {}, desktop);
        QVERIFY(notifications.waitForStarted(5000));
        QDBusConnection connection = desktopBus();
        const bool ready = StatusNotifierItems::waitForTrayAndNotifications(connection, 20000);
        QVERIFY2(ready, qPrintable("waybar's tray or mako did not come up: " + sway.readAll().right(600) +
                                   notifications.readAll().right(300)));
    }

    void cleanupTestCase() {
        stop(notifications);
        stop(sway);
    }

    void theIconCarriesTheValuesTheClicksTheAlertAndTheMenu() {
        QProcess program;
        startProgram(program);
        QDBusConnection connection = desktopBus();
        QTRY_VERIFY_WITH_TIMEOUT(StatusNotifierItems::registered(connection).size() == 1, 15000);
        const QString item = StatusNotifierItems::registered(connection).constFirst();

        // The values are the tooltip; the hotkey refusal is a notification, not the tooltip.
        QTRY_VERIFY_WITH_TIMEOUT(
            StatusNotifierItems::toolTip(connection, item).contains(QLatin1String("CPU activity")), 5000);
        QVERIFY(StatusNotifierItems::toolTip(connection, item).startsWith(QLatin1String(" Quorvane\n")));
        QTRY_VERIFY_WITH_TIMEOUT(notificationsShown().contains(QLatin1String("Hotkey Ctrl+Shift+C")), 10000);
        QVERIFY(!StatusNotifierItems::toolTip(connection, item).contains(QLatin1String("hotkey")));
        QVERIFY(settings().contains(QLatin1String("HotkeyRefusalShown=True")));

        // A click on the icon opens the pop-up window, floating at its own size; a second click closes
        // it. Headless sway has no pointer device, so the test makes the call waybar makes for a click.
        QVERIFY(StatusNotifierItems::click(connection, item, QStringLiteral("Activate"), 1259, 12));
        QTRY_VERIFY_WITH_TIMEOUT(!window(QStringLiteral("Quorvane pop-up")).isEmpty(), 5000);
        QVERIFY2(window(QStringLiteral("Quorvane pop-up")).width() < 400,
                 "the pop-up was tiled over the screen");
        QTest::qWait(700);  // drawn a moment after sway lists it
        screenshot(QStringLiteral("i23-sway-popup"));
        QVERIFY(StatusNotifierItems::click(connection, item, QStringLiteral("Activate"), 1259, 12));
        QTRY_VERIFY_WITH_TIMEOUT(window(QStringLiteral("Quorvane pop-up")).isEmpty(), 5000);
        // The middle button (SecondaryActivate) opens the monitor window.
        QVERIFY(StatusNotifierItems::click(connection, item, QStringLiteral("SecondaryActivate"), 1259, 12));
        QTRY_VERIFY_WITH_TIMEOUT(!window(QStringLiteral(" Quorvane")).isEmpty(), 5000);

        // The alert reaches mako.
        {
            QProcess load;
            load.start(QStringLiteral("sh"), {QStringLiteral("-c"), QStringLiteral("while :; do :; done")});
            QTRY_VERIFY_WITH_TIMEOUT(
                notificationsShown().contains(QLatin1String("Computer Threshold Violations")), 20000);
            screenshot(QStringLiteral("i23-sway-alert"));
            load.kill();
            load.waitForFinished();
        }

        // The menu (waybar draws it from the exported one): its "Exit" ends the program.
        QVERIFY(StatusNotifierItems::clickMenuEntry(connection, item, QStringLiteral("Exit")));
        QVERIFY(program.waitForFinished(10000));
        QCOMPARE(program.exitCode(), 0);
        const QByteArray errors = program.readAllStandardError();
        QVERIFY(errors.contains("Global hotkeys are not available"));
    }

    void theHotkeyRefusalIsToldOncePerProfile() {
        runInDesktop(QStringLiteral("makoctl"), {QStringLiteral("dismiss"), QStringLiteral("--all")});
        QProcess program;
        startProgram(program);
        QDBusConnection connection = desktopBus();
        QTRY_VERIFY_WITH_TIMEOUT(StatusNotifierItems::registered(connection).size() == 1, 15000);
        QByteArray errors;
        QTRY_VERIFY_WITH_TIMEOUT(
            (errors += program.readAllStandardError()).contains("Global hotkeys are not available"),
            10000);          // standard error hears it at every start
        QTest::qWait(3000);  // the notice would come 1.5 s after the refusal
        QVERIFY(!notificationsShown().contains(QLatin1String("Hotkey Ctrl+Shift+C")));
        program.terminate();
        QVERIFY(program.waitForFinished(10000));
    }
};

QTEST_GUILESS_MAIN(SwayPanelTest)
#include "tst_swaypanel.moc"
