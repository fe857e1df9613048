#include "support/ProgramHome.h"
#include "support/SanitizerUnwind.h"

#include <QtTest>

#include <csignal>

// The program in a Wayland session (weston's headless back end): it starts, shows its monitor
// window, says once that the hotkey cannot exist there, and ends cleanly; no X11-only call may
// bring it down on the way.
class WaylandProcessTest : public QObject {
    Q_OBJECT

    ProgramHome home;
    QProcess compositor;
    QProcessEnvironment environment;

    static QString sceneGraph(const QProcessEnvironment& environment) {
        QProcess debug;
        debug.setProcessEnvironment(environment);
        debug.start(QStringLiteral("weston-debug"), {QStringLiteral("scene-graph")});
        debug.waitForFinished(1500);  // it streams until stopped; one picture is enough
        if (debug.state() != QProcess::NotRunning) {
            debug.kill();
            debug.waitForFinished();
        }
        return QString::fromUtf8(debug.readAllStandardOutput());
    }

private Q_SLOTS:
    void initTestCase() {
        for (const char* tool : {"weston", "weston-debug"}) {
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) {
                QSKIP(qPrintable(QStringLiteral("%1 is not installed (Debian package weston)").arg(tool)));
            }
        }
        QVERIFY(home.writeSettings(
            "Defined=Yes\nShowCPU=1\nShowPhysMem=1\nShowSplash=0\nVersionCheck=False\n"
            "ShowStatsAtStartup=1\nUseHotkey=True\nShowQuickDisplay=True\nShowExitPrompt=False\n"));

        environment = home.environment();
        environment.remove(QStringLiteral("DISPLAY"));
        environment.insert(QStringLiteral("WAYLAND_DISPLAY"), QStringLiteral("quorvane-test"));
        compositor.setProcessEnvironment(environment);
        compositor.setProcessChannelMode(QProcess::MergedChannels);
        compositor.start(QStringLiteral("weston"), {"--backend=headless-backend.so", "--socket=quorvane-test",
                                                    "--idle-time=0", "--debug"});
        if (!compositor.waitForStarted(5000)) {
            QSKIP("weston did not start");
        }
        const QString socket = home.runtimeDir() + QStringLiteral("/quorvane-test");
        const bool listening = QTest::qWaitFor(
            [&] { return QFile::exists(socket) || compositor.state() != QProcess::Running; }, 10000);
        if (!listening || compositor.state() != QProcess::Running) {
            QSKIP(
                qPrintable("weston's headless back end cannot run here: " + compositor.readAll().right(400)));
        }
    }

    void cleanupTestCase() {
        if (compositor.state() != QProcess::NotRunning) {
            compositor.terminate();
            compositor.waitForFinished(5000);
        }
    }

    void startsShowsTheMonitorAndEndsCleanly() {
        QProcessEnvironment programEnvironment = environment;
        programEnvironment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("wayland"));
        // Under AddressSanitizer: whole allocation stacks through the Wayland and EGL libraries,
        // which have no frame pointers, so that the leak suppressions can tell their memory from ours.
        unwindFullyUnderSanitizer(programEnvironment);
        QProcess program;
        home.start(program, {}, programEnvironment);
        QVERIFY(program.waitForStarted(10000));

        QTRY_VERIFY_WITH_TIMEOUT(
            sceneGraph(environment).contains(QLatin1String("top-level window ' Quorvane'")), 20000);
        QByteArray errors;
        QTRY_VERIFY_WITH_TIMEOUT(
            (errors += program.readAllStandardError()).contains("Global hotkeys are not available"), 5000);
        QCOMPARE(program.state(), QProcess::Running);  // a few monitor refreshes later, still there

        ::kill(static_cast<pid_t>(program.processId()), SIGTERM);  // log-out
        QVERIFY(program.waitForFinished(10000));
        errors += program.readAllStandardError();
        // A sanitizer's report (a leak at exit) aborts the program: it shows here.
        QVERIFY2(program.exitStatus() == QProcess::NormalExit && program.exitCode() == 0,
                 errors.right(4000).constData());
        QCOMPARE(errors.count("Global hotkeys are not available"), 1);
    }
};

QTEST_GUILESS_MAIN(WaylandProcessTest)
#include "tst_wayland_process.moc"
