#include "platform/linux/IniSettingsStore.h"
#include "support/TestEnvironment.h"

#include <QtTest>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

class IniSettingsStoreTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TestEnvironment> environment;

    QString path() const { return IniSettingsStore::defaultFilePath(); }
    void writeFile(const QByteArray& content) {
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QFile file(path());
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(content);
    }
    QByteArray fileContent() const {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    QStringList keptFiles() const {
        return QDir(QFileInfo(path()).absolutePath()).entryList({"Quorvane.conf.damaged-*"}, QDir::Files);
    }

private Q_SLOTS:
    void init() { environment = std::make_unique<TestEnvironment>(); }

    void fileLivesUnderXdgConfigHome() {
        QCOMPARE(path(), environment->configHome() + "/Quorvane/Quorvane.conf");
    }

    void absentKeyReadsAsNothing() {
        IniSettingsStore store;
        QVERIFY(!store.read("ShowSplash").has_value());
    }

    void writeReachesTheFileAtOnce() {
        IniSettingsStore store;
        QVERIFY(store.write("ShowSplash", "0"));
        QVERIFY(fileContent().contains("[Settings]"));
        QVERIFY(fileContent().contains("ShowSplash=0"));
        IniSettingsStore reread;
        QCOMPARE(reread.read("ShowSplash"), std::optional<QString>("0"));
    }

    void keysMatchWithoutCase() {
        writeFile("[Settings]\nShowDdrive=1\nOther=x\n");
        IniSettingsStore store;
        QCOMPARE(store.read("showdDRIVE"), std::optional<QString>("1"));
        QVERIFY(store.write("ShowDDrive", "0"));
        const QByteArray content = fileContent();
        QCOMPARE(content.count("rive="), 1);
        QVERIFY(content.contains("ShowDDrive=0"));
        QVERIFY(content.contains("Other=x"));
        QCOMPARE(store.read("SHOWDDRIVE"), std::optional<QString>("0"));
    }

    void fileIsPrivate() {
        IniSettingsStore store;
        store.write("Defined", "Yes");
        struct stat info {};
        QCOMPARE(::stat(QFile::encodeName(path()).constData(), &info), 0);
        QCOMPARE(info.st_mode & 0777, 0600u);
    }

    void textsWithCommasAndDatesStayText() {
        IniSettingsStore store;
        store.write("TimeServer", "a, b");
        store.write("PreviousAutoSync", "12/8/2026 4:30:45 PM");
        IniSettingsStore reread;
        QCOMPARE(reread.read("TimeServer"), std::optional<QString>("a, b"));
        QCOMPARE(reread.read("PreviousAutoSync"), std::optional<QString>("12/8/2026 4:30:45 PM"));
    }

    void handEditedListReadsAsText() {
        writeFile("[Settings]\nTimeServer=a,b\n");
        IniSettingsStore store;
        QCOMPARE(store.read("TimeServer"), std::optional<QString>("a,b"));
    }

    // One line that cannot be read costs that line only; the original stays beside the file.
    void unreadableLinesCostOnlyThemselves_data() {
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("showSplash");  // empty: absent
        QTest::newRow("unterminated section") << QByteArray("[Settings\nShowSplash=0\n") << "0";
        QTest::newRow("line without a key")
            << QByteArray("[Settings]\nShowSplash=0\nthis is not a setting\n") << "0";
        QTest::newRow("binary") << QByteArray("\x00\x01\xff\xfe[Settings]\n", 14) << "";
        QTest::newRow("invalid UTF-8")
            << QByteArray("[Settings]\nTimeServer=\xc3\x28\nShowSplash=0\n") << "0";
    }
    void unreadableLinesCostOnlyThemselves() {
        QFETCH(QByteArray, content);
        QFETCH(QString, showSplash);
        writeFile(content);
        IniSettingsStore store;
        QVERIFY(store.recoveryNote().contains("could not be read"));
        QVERIFY(!store.recoveryNote().contains('\n'));
        QCOMPARE(store.read("ShowSplash").value_or(QString()), showSplash);
        QVERIFY(!store.read("TimeServer").has_value());
        const QStringList kept = keptFiles();
        QCOMPARE(kept.size(), 1);
        QVERIFY(store.recoveryNote().contains(kept.first()));
        QFile keptFile(QFileInfo(path()).absolutePath() + "/" + kept.first());
        QVERIFY(keptFile.open(QIODevice::ReadOnly));
        QCOMPARE(keptFile.readAll(), content);  // nothing lost
        QVERIFY(store.write("ShowOnTop", "1"));
        IniSettingsStore reread;
        QVERIFY(reread.recoveryNote().isEmpty());  // mended once
        QCOMPARE(reread.read("ShowSplash").value_or(QString()), showSplash);
        QCOMPARE(reread.read("ShowOnTop"), std::optional<QString>("1"));
    }

    // A one-shot command reads what it can and changes nothing on disk, damaged or absent.
    void readOnlyStoreNeverTouchesTheFile() {
        IniSettingsStore absent(path(), IniSettingsStore::Access::ReadOnly);
        QVERIFY(!absent.write("ShowSplash", "0"));
        QVERIFY(!QFile::exists(path()));
        const QByteArray damaged("[Settings]\nShowSplash=0\ngarbage\n");
        writeFile(damaged);
        IniSettingsStore store(path(), IniSettingsStore::Access::ReadOnly);
        QCOMPARE(store.read("ShowSplash"), std::optional<QString>("0"));
        QVERIFY(!store.write("DriveMountD", "/home"));
        QCOMPARE(fileContent(), damaged);
        QVERIFY(keptFiles().isEmpty());
    }

    // The first failed write says why; later ones do not repeat it.
    void failedWriteIsToldOnceWithTheReason() {
        QTemporaryDir dir;
        QFile inTheWay(dir.filePath("Quorvane"));  // a file where the folder should be
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();
        IniSettingsStore store(dir.filePath("Quorvane/Quorvane.conf"));
        QStringList told;
        store.setWriteFailureHandler([&told](const QString& reason) { told << reason; });
        QVERIFY(!store.write("ShowSplash", "0"));
        QVERIFY(!store.write("ShowOnTop", "1"));
        QCOMPARE(told.size(), 1);
        QVERIFY2(
            told.first().contains(
                QStringLiteral("cannot be written (%1)").arg(QString::fromLocal8Bit(std::strerror(ENOTDIR)))),
            qPrintable(told.first()));
    }

    void byteOrderMarkIsNoDamage() {
        writeFile("\xEF\xBB\xBF[Settings]\nShowSplash=0\n");
        IniSettingsStore store;
        QVERIFY(store.recoveryNote().isEmpty());
        QCOMPARE(store.read("ShowSplash"), std::optional<QString>("0"));
    }

    void soundFileIsLeftAlone() {
        writeFile("; a comment\n[Settings]\nShowSplash = 0\n\n[Other]\nx=1\n");
        IniSettingsStore store;
        QVERIFY(store.recoveryNote().isEmpty());
        QVERIFY(keptFiles().isEmpty());
        QCOMPARE(store.read("ShowSplash"), std::optional<QString>("0"));
    }

    // A process killed while it writes must leave a file that parses and holds a complete value.
    void interruptedWritesLeaveASoundFile() {
        {
            IniSettingsStore store;
            store.write("TimeServer", "initial");
        }
        for (int round = 0; round < 5; ++round) {
            const pid_t child = ::fork();
            QVERIFY(child >= 0);
            if (child == 0) {
                IniSettingsStore store;
                const QString longValue(4000, QLatin1Char('x'));
                for (int i = 0;; ++i) {
                    store.write("TimeServer", QStringLiteral("value-%1-").arg(i) + longValue);
                }
            }
            QTest::qWait(30 + round * 17);
            ::kill(child, SIGKILL);
            int status = 0;
            ::waitpid(child, &status, 0);

            IniSettingsStore reread;
            QVERIFY2(reread.recoveryNote().isEmpty(), qPrintable(reread.recoveryNote()));
            const QString value = reread.read("TimeServer").value_or(QString());
            QVERIFY(value == "initial" || (value.startsWith("value-") && value.endsWith(QString(100, 'x'))));
            QVERIFY(value == "initial" || value.size() > 4000);
        }
    }
};

QTEST_GUILESS_MAIN(IniSettingsStoreTest)
#include "tst_inisettingsstore.moc"
