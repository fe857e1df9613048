#include "app/StartupShortcut.h"
#include "support/TestEnvironment.h"

#include <QtTest>

#include <unistd.h>

class StartupShortcutTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> environment;
    QString systemFolder;

    QString userEntry() const { return environment->configHome() + "/autostart/Quorvane.desktop"; }
    QByteArray read(const QString& path) const {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    void writeSystemEntry() {
        QDir().mkpath(systemFolder + "/autostart");
        QFile file(systemFolder + "/autostart/Quorvane.desktop");
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("[Desktop Entry]\nType=Application\nName=Quorvane\nExec=/usr/bin/quorvane\n");
    }

private Q_SLOTS:
    void init() {
        environment = std::make_unique<TestEnvironment>();
        systemFolder = environment->path() + "/etc-xdg";
        qputenv("XDG_CONFIG_DIRS", systemFolder.toLocal8Bit());
    }

    void createWritesAnEntryInAMissingFolder() {
        StartupShortcut shortcut;
        QVERIFY(!shortcut.exists());
        QVERIFY(!QDir(environment->configHome() + "/autostart").exists());
        QCOMPARE(shortcut.CreateShortcut("/opt/quorvane/bin/quorvane"), QString());
        QVERIFY(shortcut.exists());
        const QByteArray content = read(userEntry());
        QVERIFY(content.startsWith("[Desktop Entry]\n"));
        for (const char* line : {"Type=Application\n", "Name=Quorvane\n", "Exec=/opt/quorvane/bin/quorvane\n",
                                 "X-GNOME-Autostart-enabled=true\n"}) {
            QVERIFY2(content.contains(line), line);
        }
    }

    void creatingTwiceLeavesOneEntry() {
        StartupShortcut shortcut;
        QCOMPARE(shortcut.CreateShortcut("/old/quorvane"), QString());
        QCOMPARE(shortcut.CreateShortcut("/new/quorvane"), QString());
        QVERIFY(read(userEntry()).contains("Exec=/new/quorvane\n"));
        QCOMPARE(QDir(environment->configHome() + "/autostart").entryList(QDir::Files).size(), 1);
    }

    void removeDeletesTheUserEntry() {
        StartupShortcut shortcut;
        shortcut.CreateShortcut("/usr/bin/quorvane");
        shortcut.RemoveStartupShortcut();
        QVERIFY(!QFile::exists(userEntry()));
        QVERIFY(!shortcut.exists());
        shortcut.RemoveStartupShortcut();  // removing what is gone is harmless
        QVERIFY(!QFile::exists(userEntry()));
    }

    void systemWideEntryIsSwitchedOffByAHiddenUserEntry() {
        writeSystemEntry();
        StartupShortcut shortcut;
        QVERIFY(!shortcut.exists());  // only the user's own entry counts as the choice
        shortcut.RemoveStartupShortcut();
        QVERIFY(read(userEntry()).contains("Hidden=true\n"));
        QVERIFY(!shortcut.exists());
        QCOMPARE(shortcut.CreateShortcut("/usr/bin/quorvane"), QString());
        QVERIFY(shortcut.exists());
        QVERIFY(!read(userEntry()).contains("Hidden"));
    }

    void unwritableFolderGivesTheMessage() {
        if (::geteuid() == 0) {
            // root writes through permissions: block the folder with a plain file instead
            QFile blocker(environment->configHome() + "/autostart");
            QVERIFY(blocker.open(QIODevice::WriteOnly));
        } else {
            QDir().mkpath(environment->configHome() + "/autostart");
            QFile::setPermissions(environment->configHome() + "/autostart", QFileDevice::ReadOwner);
        }
        StartupShortcut shortcut;
        QCOMPARE(shortcut.CreateShortcut("/usr/bin/quorvane"),
                 QStringLiteral("Unable to create shortcut for /usr/bin/quorvane."));
        QVERIFY(!shortcut.exists());
    }

    void execLineQuotesWhatNeedsIt_data() {
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "/usr/bin/quorvane"
                               << "/usr/bin/quorvane";
        QTest::newRow("blank") << "/home/a b/quorvane"
                               << "\"/home/a b/quorvane\"";
        QTest::newRow("dollar and quote") << "/x/$q\""
                                          << "\"/x/\\\\$q\\\\\"\"";
        QTest::newRow("percent") << "/x/100%"
                                 << "\"/x/100%%\"";
    }
    void execLineQuotesWhatNeedsIt() {
        QFETCH(QString, target);
        QFETCH(QString, expected);
        QCOMPARE(StartupShortcut::execLine(target, QString()), expected);
    }
};

QTEST_GUILESS_MAIN(StartupShortcutTest)
#include "tst_startupshortcut.moc"
