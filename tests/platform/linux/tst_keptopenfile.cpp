#include "platform/linux/KeptOpenFile.h"
#include "platform/linux/SharedSystemFile.h"

#include <QtTest>

// System files read on every sample stay open between reads: each read must still see what the
// file holds now, also after it was rewritten, replaced, removed and created again.
class KeptOpenFileTest : public QObject {
    Q_OBJECT

    QTemporaryDir root_;

    void rewrite(const QByteArray& content) {
        QFile file(root_.path() + QStringLiteral("/proc/stat"));
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(content), content.size());
    }
    void replace(const QByteArray& content) {
        QSaveFile file(root_.path() + QStringLiteral("/proc/stat"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
        QVERIFY(file.commit());
    }
    SystemFiles files() const { return SystemFiles(root_.path()); }

private Q_SLOTS:
    void init() {
        QVERIFY(QDir(root_.path()).mkpath(QStringLiteral("proc")));
        QFile::remove(root_.path() + QStringLiteral("/proc/stat"));
    }

    void everyReadSeesTheFileAsItIsNow() {
        KeptOpenFile file(files(), QStringLiteral("/proc/stat"));
        QByteArray content;
        QVERIFY(!file.read(content, 4096));  // not there yet

        rewrite("cpu  1 2 3 4\n");
        QVERIFY(file.read(content, 4096));
        QCOMPARE(content, QByteArray("cpu  1 2 3 4\n"));

        rewrite("cpu  5\n");  // shorter, in place
        QVERIFY(file.read(content, 4096));
        QCOMPARE(content, QByteArray("cpu  5\n"));

        replace("cpu  6 7\n");  // a new file under the same name
        QVERIFY(file.read(content, 4096));
        QCOMPARE(content, QByteArray("cpu  6 7\n"));

        QVERIFY(QFile::remove(root_.path() + QStringLiteral("/proc/stat")));
        QVERIFY(!file.read(content, 4096));
        QVERIFY(content.isEmpty());

        // Longer than a page, and capped.
        const QByteArray big = QByteArray(9000, 'x') + '\n';
        rewrite(big);
        QVERIFY(file.read(content, 1 << 20));
        QCOMPARE(content, big);
        QVERIFY(file.read(content, 5000));
        QCOMPARE(content, big.left(5000));
    }

    void kernelFileOfManyPagesComesWhole() {
        // The kernel hands such a file out a page at a time, each read short of what was asked.
        // cat echoing a line is past its start-up: its mappings hold still.
        QProcess cat;
        cat.start(QStringLiteral("cat"), QStringList());
        QVERIFY(cat.waitForStarted());
        cat.write("x\n");
        QVERIFY(cat.waitForReadyRead());
        const QString smaps = QStringLiteral("/proc/%1/smaps").arg(cat.processId());
        QFile reference(smaps);
        QVERIFY(reference.open(QIODevice::ReadOnly));
        const QByteArray expected = reference.readAll();
        if (expected.size() < 3 * 4096) {
            QSKIP("the memory map of cat fits in two pages here");
        }
        KeptOpenFile file(SystemFiles(), smaps);
        QByteArray content;
        QVERIFY(file.read(content, 1 << 20));
        // Every mapping and field line is there; a figure may have moved in between.
        QCOMPARE(content.count('\n'), expected.count('\n'));
        QVERIFY(content.startsWith(expected.left(expected.indexOf('\n'))));
        cat.closeWriteChannel();
        QVERIFY(cat.waitForFinished());
    }

    void readersOfOneSampleShareOneReading() {
        SharedSystemFile stat(files(), QStringLiteral("/proc/stat"), 4096);
        SampleReader total;
        SampleReader cores;
        QVERIFY(stat.read(total) == nullptr);

        rewrite("first\n");
        QCOMPARE(*stat.read(total), QByteArray("first\n"));
        rewrite("second\n");
        QCOMPARE(*stat.read(cores), QByteArray("first\n"));   // what the other reader just read
        QCOMPARE(*stat.read(cores), QByteArray("second\n"));  // asking again reads afresh
        rewrite("third\n");
        QCOMPARE(*stat.read(total), QByteArray("second\n"));
        QCOMPARE(*stat.read(total), QByteArray("third\n"));
    }
};

QTEST_GUILESS_MAIN(KeptOpenFileTest)
#include "tst_keptopenfile.moc"
