#include "support/ProgramHome.h"

#include <QtTest>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>

// Runs the real program binary, as a user or a script would.
class ProgramProcessTest : public QObject {
    Q_OBJECT

    std::unique_ptr<ProgramHome> home;

    std::unique_ptr<QProcess> launch(const QStringList& arguments) {
        auto process = std::make_unique<QProcess>();
        QProcessEnvironment environment = home->environment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        home->start(*process, arguments, environment);
        return process;
    }
    QString lockPath() const { return home->settingsFile() + ".instance.lock"; }

private Q_SLOTS:
    void init() { home = std::make_unique<ProgramHome>(); }

    void versionAndHelp() {
        auto version = launch({"--version"});
        QVERIFY(version->waitForFinished(10000));
        QCOMPARE(version->exitCode(), 0);
        QVERIFY(version->readAllStandardOutput().startsWith("Quorvane "));
        auto help = launch({"--help"});
        QVERIFY(help->waitForFinished(10000));
        QCOMPARE(help->exitCode(), 0);
        QVERIFY(help->readAllStandardOutput().contains("--dry-run"));
    }

    // A script must see that the text did not reach its destination.
    void versionAndHelpFailWhenOutputCannotBeWritten() {
        for (const char* option : {"--version", "--help"}) {
            auto process = std::make_unique<QProcess>();
            process->setStandardOutputFile(QStringLiteral("/dev/full"));
            process->start(QStringLiteral(QUORVANE_BINARY), {option});
            QVERIFY(process->waitForFinished(10000));
            QCOMPARE(process->exitStatus(), QProcess::NormalExit);
            QCOMPARE(process->exitCode(), 1);
            QVERIFY(process->readAllStandardError().contains("cannot write to standard output"));
        }
    }

    // A command line the program cannot follow is a usage error, told by its own message.
    void usageErrorsFailClearly_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        QTest::newRow("unknown option")
            << QStringList{"--frobnicate"} << QByteArray("unknown option '--frobnicate'");
        QTest::newRow("port not a number") << QStringList{"--query", "127.0.0.1:notaport"}
                                           << QByteArray("\"notaport\" is not a port number from 1 to 65535");
        QTest::newRow("port too big") << QStringList{"--query", "127.0.0.1:70000"}
                                      << QByteArray("\"70000\" is not a port number from 1 to 65535");
        QTest::newRow("no server") << QStringList{"--query="} << QByteArray("--query needs a time server");
        QTest::newRow("two colons, no IPv6")
            << QStringList{"--query=localhost:1:2"} << QByteArray("[ADDRESS]:PORT");
    }
    void usageErrorsFailClearly() {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        auto process = launch(arguments);
        QVERIFY(process->waitForFinished(10000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 2);
        const QByteArray errors = process->readAllStandardError();
        QVERIFY2(errors.contains(message), errors.constData());
        QVERIFY(process->readAllStandardOutput().isEmpty());  // no exchange was tried
    }

    // Qt alone aborts with advice to reinstall; the program says what it needs.
    void withoutADisplayItSaysWhatItNeeds_data() {
        QTest::addColumn<QString>("display");
        QTest::newRow("no display named") << QString();
        QTest::newRow("display not there") << QStringLiteral(":59999");
    }
    void withoutADisplayItSaysWhatItNeeds() {
        QFETCH(QString, display);
        QProcessEnvironment environment = home->environment();
        for (const char* name : {"QT_QPA_PLATFORM", "WAYLAND_DISPLAY", "DISPLAY", "XDG_SESSION_TYPE"}) {
            environment.remove(name);
        }
        if (!display.isEmpty()) {
            environment.insert("DISPLAY", display);
        }
        QProcess process;
        home->start(process, {}, environment);
        QVERIFY(process.waitForFinished(10000));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 1);
        const QByteArray errors = process.readAllStandardError();
        QVERIFY2(errors.contains("needs a graphical session (X11 or Wayland)"), errors.constData());
        QVERIFY2(!errors.contains("einstalling"), errors.constData());
    }

    void secondCopyEndsSilently() {
        auto first = launch({});
        QVERIFY(first->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(lockPath()), 10000);

        auto second = launch({"/SYNC"});
        QVERIFY(second->waitForFinished(10000));
        QCOMPARE(second->exitCode(), 0);
        QVERIFY(second->readAllStandardError().isEmpty());
        QCOMPARE(first->state(), QProcess::Running);

        // A copy that died leaves its lock behind; the next start must not be blocked by it.
        first->kill();
        QVERIFY(first->waitForFinished(10000));
        QVERIFY(QFile::exists(lockPath()));
        auto third = launch({});
        QVERIFY(third->waitForStarted(10000));
        QVERIFY(!third->waitForFinished(1500));
        QCOMPARE(third->state(), QProcess::Running);
        third->kill();
        third->waitForFinished(10000);
    }

    // The lock belongs to the settings file: a copy with another runtime folder is still the second.
    void copiesOfOneSettingsFileShareTheLock() {
        QVERIFY(home->writeSettings("ShowCPU=1\nShowStatsAtStartup=1\nDefined=Yes\nShowSplash=0\n"));
        auto first = launch({});
        QVERIFY(first->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(home->settings().contains("FirstTimePosition=Yes"), 10000);
        QTemporaryDir otherRuntime;
        QProcessEnvironment environment = home->environment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_RUNTIME_DIR", otherRuntime.path());
        QProcess second;
        home->start(second, {}, environment);
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitCode(), 0);
        QCOMPARE(first->state(), QProcess::Running);
        first->kill();
        first->waitForFinished(10000);
    }

    // A place stored while the program ends that cannot be written is told at once on standard
    // error: no event loop is left to show a message box.
    void failedWriteAtExitIsTold() {
        QVERIFY(home->writeSettings("ShowCPU=1\nShowStatsAtStartup=1\nDefined=Yes\nShowSplash=0\n"));
        auto process = launch({});
        QVERIFY(process->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(home->settings().contains("FirstTimePosition=Yes"), 10000);
        const QString folder = home->settingsFolder();
        QVERIFY(QDir().rename(folder, folder + ".moved"));
        QFile inTheWay(folder);  // a file where the folder should be
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();

        process->terminate();
        QVERIFY(process->waitForFinished(10000));
        const QByteArray errors = process->readAllStandardError();
        QVERIFY2(errors.contains("cannot be written (" + QByteArray(std::strerror(ENOTDIR)) + ")"), errors);
    }

    // A one-shot look at the statistics reads no pipe or device for settings: it says why and goes on.
    void statsReadsOnlyARegularSettingsFile() {
        QDir().mkpath(home->settingsFolder());
        for (const bool pipe : {true, false}) {
            QFile::remove(home->settingsFile());
            if (pipe) {
                QCOMPARE(::mkfifo(QFile::encodeName(home->settingsFile()).constData(), 0600), 0);
            } else {
                QVERIFY(QFile::link("/dev/zero", home->settingsFile()));
            }
            auto process = launch({"--stats"});
            QVERIFY(process->waitForFinished(30000));
            QCOMPARE(process->exitCode(), 0);
            const QByteArray errors = process->readAllStandardError();
            QVERIFY2(errors.contains("is not a regular file"), errors);
        }
    }

    // A log-out or kill ends the program through its unload: the monitor window stores its place.
    void terminationUnloadsInOrder() {
        const QString file = home->settingsFile();
        QVERIFY(home->writeSettings("ShowCPU=1\nShowStatsAtStartup=1\nDefined=Yes\nShowSplash=0\n"));

        auto process = launch({});
        QVERIFY(process->waitForStarted(10000));
        const auto stored = [&file](const char* key) {
            return QSettings(file, QSettings::IniFormat).value(QStringLiteral("Settings/") + key).toString();
        };
        QTRY_COMPARE_WITH_TIMEOUT(stored("FirstTimePosition"), QStringLiteral("Yes"), 10000);
        QSettings edit(file, QSettings::IniFormat);
        edit.setValue("Settings/MainLeft", "777");
        edit.sync();

        process->terminate();
        QVERIFY(process->waitForFinished(10000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QCOMPARE(process->exitCode(), 0);
        QVERIFY(stored("MainLeft") != QStringLiteral("777"));
    }

    // A one-shot look at the statistics never creates, mends or moves the settings file.
    void statsLeavesTheSettingsFileAlone() {
        const QString folder = home->settingsFolder();
        auto fresh = launch({"--stats"});
        QVERIFY(fresh->waitForFinished(30000));
        QCOMPARE(fresh->exitCode(), 0);
        QVERIFY(!QFile::exists(folder + "/Quorvane.conf"));

        QDir().mkpath(folder);
        const QByteArray damaged("[Settings]\nShowSplash=0\ngarbage\nDriveMountD=/nowhere\n");
        QFile file(folder + "/Quorvane.conf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(damaged);
        file.close();
        auto process = launch({"--stats"});
        QVERIFY(process->waitForFinished(30000));
        QCOMPARE(process->exitCode(), 0);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), damaged);
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), QStringList{"Quorvane.conf"});
    }

    void damagedSettingsAreReportedOnce() {
        const QString folder = home->settingsFolder();
        QDir().mkpath(folder);
        QFile file(folder + "/Quorvane.conf");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Settings\ngarbage\n");
        file.close();

        auto process = launch({});
        QVERIFY(process->waitForStarted(10000));
        QTRY_VERIFY_WITH_TIMEOUT(!QDir(folder).entryList({"Quorvane.conf.damaged-*"}).isEmpty(), 10000);
        process->terminate();
        QVERIFY(process->waitForFinished(10000));
        const QByteArray errors = process->readAllStandardError();
        QList<QByteArray> ours;  // Qt may add notes of its own
        for (const QByteArray& line : errors.split('\n')) {
            if (line.startsWith("Quorvane:")) {
                ours << line;
            }
        }
        QCOMPARE(ours.size(), 1);
        QVERIFY(ours.first().contains("could not be read"));
    }
};

QTEST_GUILESS_MAIN(ProgramProcessTest)
#include "tst_program_process.moc"
