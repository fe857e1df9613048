#include "platform/linux/IniSettingsStore.h"
#include "support/TestEnvironment.h"

#include <QtTest>
#include <cerrno>
#include <cstring>

#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <csignal>

namespace {
constexpr uid_t kOtherUser = 65534;  // nobody

// Inside asOrdinaryUser, where QtTest's checks cannot report.
#define STEP(condition)                                                      \
    if (!(condition)) {                                                      \
        std::fprintf(stderr, "%d: step failed: %s\n", __LINE__, #condition); \
        return false;                                                        \
    }

// Runs `steps` as an ordinary user, in a child process when this one runs as root (root reads and
// writes a file whatever its mode says), with `home` handed to that user. True when they all held.
bool asOrdinaryUser(const QString& home, const std::function<bool()>& steps) {
    if (::geteuid() != 0) {
        return steps();
    }
    QDirIterator entries(home, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
    ::lchown(QFile::encodeName(home).constData(), kOtherUser, kOtherUser);
    while (entries.hasNext()) {
        ::lchown(QFile::encodeName(entries.next()).constData(), kOtherUser, kOtherUser);
    }
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(kOtherUser) != 0 || ::setuid(kOtherUser) != 0) {
            ::_exit(2);
        }
        ::_exit(steps() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
}  // namespace

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
    static QByteArray contentOf(const QString& file) {
        QFile in(file);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }
    // A store whose file may not be written says why, once, and writes nothing.
    static QStringList refusedWrites(IniSettingsStore& store) {
        QStringList told;
        store.setWriteFailureHandler([&told](const QString& reason) { told << reason; });
        store.write("ShowSplash", "0");
        store.write("ShowOnTop", "1");
        return told;
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

    // Readable by its owner only, also when the file was made otherwise before.
    void fileIsPrivate() {
        writeFile("[Settings]\nShowSplash=1\n");
        QVERIFY(QFile::setPermissions(path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ReadGroup | QFileDevice::ReadOther));
        IniSettingsStore store;
        QVERIFY(store.write("Defined", "Yes"));
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
        if (showSplash.isEmpty()) {
            QCOMPARE(fileContent(), content);  // no setting in it: nothing to mend
        }
        QVERIFY(store.write("ShowOnTop", "1"));
        IniSettingsStore reread;
        QVERIFY(reread.recoveryNote().isEmpty());  // mended once
        QCOMPARE(reread.read("ShowSplash").value_or(QString()), showSplash);
        QCOMPARE(reread.read("ShowOnTop"), std::optional<QString>("1"));
    }

    // One line is one setting: a quote that does not close or a backslash at the end holds no
    // other line, and stays as it stands through a write.
    void everyLineKeepsItsOwnKey() {
        writeFile(
            "[Settings]\nTimeServer=\"127.0.0.1:41999\nShowCPU=1\nStartIn=C:\\\nLevelCPU=90\n"
            "MonitorLevels=True\n");
        for (int start = 0; start < 2; ++start) {
            IniSettingsStore store;
            QVERIFY(store.recoveryNote().isEmpty());
            QCOMPARE(store.read("TimeServer"), std::optional<QString>("\"127.0.0.1:41999"));
            QCOMPARE(store.read("ShowCPU"), std::optional<QString>("1"));
            QCOMPARE(store.read("StartIn"), std::optional<QString>("C:\\"));
            QCOMPARE(store.read("LevelCPU"), std::optional<QString>("90"));
            QCOMPARE(store.read("MonitorLevels"), std::optional<QString>("True"));
            QVERIFY(store.write("ShowOnTop", "1"));
        }
        QVERIFY(keptFiles().isEmpty());
    }

    // Whatever the program writes reads back the same after a restart.
    void writtenValuesReadBackTheSame_data() {
        QTest::addColumn<QString>("value");
        QTest::newRow("empty") << QString();
        QTest::newRow("spaces at both ends") << QString("  a b  ");
        QTest::newRow("blanks at both ends") << QString(" \t a b \t ");
        QTest::newRow("quoted") << QString("\"a\"");
        QTest::newRow("open quote") << QString("\"a");
        QTest::newRow("backslashes") << QString("\\a\\\\ b\\");
        QTest::newRow("escape-like") << QString("\"\\x41\\u0042\\n\"");
        QTest::newRow("line breaks") << QString("a\nb\r\nc=d");
        QTest::newRow("controls") << QString("\x01\x1f\x7f").append(QChar(0));
        QTest::newRow("section and comment") << QString("[Settings]; # x");
        QTest::newRow("non-ASCII") << QString::fromUtf8("Grüße 😀 \u00a0");
        QTest::newRow("lone surrogates") << QString(QChar(0xDC00)) + QChar(0xD800) + "x";
    }
    void writtenValuesReadBackTheSame() {
        QFETCH(QString, value);
        {
            IniSettingsStore store;
            QVERIFY(store.write("TimeServer", value));
            QVERIFY(store.write("ShowCPU", "1"));
        }
        IniSettingsStore reread;
        QVERIFY(reread.recoveryNote().isEmpty());
        QCOMPARE(reread.read("TimeServer"), std::optional<QString>(value));
        QCOMPARE(reread.read("ShowCPU"), std::optional<QString>("1"));
    }

    // A section header that cannot be read still ends the section above it, now and after the file
    // was mended, and mending a mended file changes nothing.
    void unreadableHeaderKeepsItsKeysOut() {
        writeFile("[Settings]\nShowCPU=1\n[Other\xf1\nShowSplash=0\n");
        QByteArray mended;
        for (int start = 0; start < 2; ++start) {
            IniSettingsStore store;
            QCOMPARE(store.recoveryNote().isEmpty(), start == 1);
            QCOMPARE(store.read("ShowCPU"), std::optional<QString>("1"));
            QVERIFY(!store.read("ShowSplash").has_value());
            if (start == 0) {
                mended = fileContent();
            }
        }
        QCOMPARE(fileContent(), mended);
        QCOMPARE(keptFiles().size(), 1);
    }

    // The user's own link (a dotfile manager's) is kept and its target written; a link of another
    // user, or to a file of another user, is read but never written through.
    void linksAreWrittenThroughOnlyWhenAllIsTheUsers() {
        QTemporaryDir elsewhere;
        const QString target = elsewhere.filePath("quorvane.conf");
        QDir().mkpath(QFileInfo(path()).absolutePath());
        QFile::remove(path());
        QVERIFY(QFile::link(target, path()));
        {
            QFile file(target);
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("[Settings]\nShowCPU=1\n");
        }
        IniSettingsStore own;
        QVERIFY(own.write("ShowSplash", "0"));
        QVERIFY(QFileInfo(path()).isSymLink());
        QVERIFY(contentOf(target).contains("ShowSplash=0"));
        QVERIFY(contentOf(target).contains("ShowCPU=1"));

        // Another user's link to a copy of a system file; as an ordinary user, a link to one.
        const QString system = ::geteuid() == 0 ? target : QStringLiteral("/etc/passwd");
        QFile::remove(path());
        QVERIFY(QFile::link(system, path()));
        if (::geteuid() == 0) {
            QCOMPARE(::lchown(QFile::encodeName(path()).constData(), kOtherUser, kOtherUser), 0);
        }
        const QByteArray before = contentOf(system);
        IniSettingsStore foreign;
        if (::geteuid() == 0) {
            QCOMPARE(foreign.read("ShowCPU"), std::optional<QString>("1"));  // read all the same
        }
        const QStringList told = refusedWrites(foreign);
        QCOMPARE(told.size(), 1);
        QVERIFY2(told.first().contains(::geteuid() == 0 ? "is a link that belongs to another user"
                                                        : "belongs to another user"),
                 qPrintable(told.first()));
        QCOMPARE(contentOf(system), before);
        QVERIFY(QFileInfo(path()).isSymLink());

        if (::geteuid() == 0) {  // the user's link, another user's file
            QFile::remove(path());
            QVERIFY(QFile::link(target, path()));
            QCOMPARE(::chown(QFile::encodeName(target).constData(), kOtherUser, kOtherUser), 0);
            IniSettingsStore theirs;
            QVERIFY(refusedWrites(theirs).value(0).contains("belongs to another user"));
            QCOMPARE(contentOf(target), before);
        }
    }

    // Only a regular file of at most 1 MB is read: a pipe would hang, the zero device never end,
    // a huge file cost seconds and memory. Each is refused at once, said, and left as it is.
    void onlyASmallRegularFileIsRead_data() {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("named pipe") << "pipe"
                                    << "is not a regular file";
        QTest::newRow("zero device") << "zero"
                                     << "is not a regular file";
        QTest::newRow("2 MB file") << "huge"
                                   << "is larger than 1 MB";
    }
    void onlyASmallRegularFileIsRead() {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QByteArray file = QFile::encodeName(path());
        QDir().mkpath(QFileInfo(path()).absolutePath());
        if (kind == "pipe") {
            QCOMPARE(::mkfifo(file.constData(), 0600), 0);
        } else if (kind == "zero") {
            QVERIFY(QFile::link("/dev/zero", path()));
        } else {
            writeFile("[Settings]\nShowCPU=1\n");
            QVERIFY(QFile(path()).resize(2 * 1024 * 1024));
        }
        IniSettingsStore store;
        QVERIFY2(store.recoveryNote().contains(reason), qPrintable(store.recoveryNote()));
        QVERIFY(!store.read("ShowCPU").has_value());
        QVERIFY(refusedWrites(store).value(0).contains(reason));
        struct stat info {};
        QCOMPARE(::lstat(file.constData(), &info), 0);
        QVERIFY(kind != "pipe" || S_ISFIFO(info.st_mode));
        QVERIFY(kind != "zero" || S_ISLNK(info.st_mode));
        QVERIFY(kind != "huge" || info.st_size == 2 * 1024 * 1024);
        QVERIFY(keptFiles().isEmpty());
    }

    // The same damage is kept once; of many, the two newest.
    void damagedCopiesDoNotPileUp() {
        const QByteArray damaged("[Settings]\nShowCPU=1\ngarbage\n");
        for (int start = 0; start < 2; ++start) {
            writeFile(damaged);
            IniSettingsStore store;
            QCOMPARE(keptFiles().size(), 1);
        }
        QStringList kept;
        for (int start = 0; start < 3; ++start) {
            writeFile(damaged + "garbage " + QByteArray::number(start) + '\n');
            IniSettingsStore store;
            kept = keptFiles();
            QTest::qWait(2);  // the copies are named by the millisecond
        }
        QCOMPARE(kept.size(), 2);
        QDir folder(QFileInfo(path()).absolutePath());
        QVERIFY(contentOf(folder.filePath(kept[0])).endsWith("garbage 1\n"));
        QVERIFY(contentOf(folder.filePath(kept[1])).endsWith("garbage 2\n"));
    }

    // As an ordinary user: a file that cannot be read is said at start, kept and never replaced,
    // and writes give the real reason; a damaged read-only file gets no copy at each start.
    void unreadableAndReadOnlyFilesOfTheUser() {
        const QString file = path();
        QDir().mkpath(QFileInfo(file).absolutePath());
        const bool held = asOrdinaryUser(environment->path(), [&] {
            const QByteArray content("[Settings]\nDefined=Yes\n");
            STEP(!QFile::exists(file) || QFile::remove(file));
            {
                QFile out(file);
                STEP(out.open(QIODevice::WriteOnly) && out.write(content) == content.size());
            }
            STEP(::chmod(QFile::encodeName(file).constData(), 0) == 0);
            {
                IniSettingsStore store;
                STEP(store.recoveryNote().contains("cannot be read (" +
                                                   QString::fromLocal8Bit(std::strerror(EACCES)) + ")"));
                const QStringList told = refusedWrites(store);
                STEP(told.size() == 1 &&
                     told.first().contains(QString::fromLocal8Bit(std::strerror(EACCES))));
            }
            STEP(::chmod(QFile::encodeName(file).constData(), 0600) == 0);
            STEP(contentOf(file) == content);

            STEP(::chmod(QFile::encodeName(file).constData(), 0644) == 0);
            QFile out(file);
            STEP(out.open(QIODevice::Append) && out.write("garbage\n") == 8);
            out.close();
            STEP(::chmod(QFile::encodeName(file).constData(), 0400) == 0);
            for (int start = 0; start < 3; ++start) {
                IniSettingsStore store;
                STEP(store.read("Defined") == std::optional<QString>("Yes"));
                STEP(store.recoveryNote().contains("is read-only"));
                STEP(refusedWrites(store).value(0).contains("is read-only"));
            }
            STEP(keptFiles().isEmpty());  // the file itself stays as it was
            return true;
        });
        QVERIFY(held);
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
