#include "app/SingleInstance.h"

#include <QtTest>
#include <cerrno>
#include <cstring>

#include <sys/stat.h>
#include <unistd.h>

class SingleInstanceTest : public QObject {
    Q_OBJECT

    static void fileInTheWay(const QString& path) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

private Q_SLOTS:
    // Only a live copy's lock means "already running"; a folder that cannot hold the lock is an
    // error with its reason, not a reason to end quietly.
    void onlyALiveCopyCountsAsRunning() {
        QTemporaryDir dir;
        SingleInstance first(dir.filePath("config/Quorvane.conf"), dir.path());
        QCOMPARE(int(first.acquire().outcome), int(SingleInstance::Outcome::Acquired));
        QCOMPARE(int(first.acquire().outcome), int(SingleInstance::Outcome::Acquired));
        QCOMPARE(first.lockPath(), dir.filePath("config/Quorvane.conf.instance.lock"));
        SingleInstance second(dir.filePath("config/Quorvane.conf"), dir.path());
        QCOMPARE(int(second.acquire().outcome), int(SingleInstance::Outcome::HeldByAnotherCopy));
        SingleInstance otherFile(dir.filePath("config/Other.conf"), dir.path());
        QCOMPARE(int(otherFile.acquire().outcome), int(SingleInstance::Outcome::Acquired));

        fileInTheWay(dir.filePath("runtime"));
        fileInTheWay(dir.filePath("temp"));
        SingleInstance broken(dir.filePath("runtime/Quorvane.conf"), dir.filePath("temp"));
        const SingleInstance::Result result = broken.acquire();
        QCOMPARE(int(result.outcome), int(SingleInstance::Outcome::Failed));
        QVERIFY2(result.reason.contains(dir.filePath("runtime")), qPrintable(result.reason));
        QVERIFY2(result.reason.contains(QString::fromLocal8Bit(std::strerror(ENOTDIR))),
                 qPrintable(result.reason));
    }

    // A settings folder that takes no lock sends it to the shared temporary folder, into a folder
    // of the user's own: one there of another user (or open to others) is passed over, not used
    // and not a reason to stop.
    void fallbackFolderIsTheUsersOwn() {
        QTemporaryDir dir;
        const QString settings = dir.filePath("blocked/Quorvane.conf");
        fileInTheWay(dir.filePath("blocked"));
        const QString planted = dir.filePath(QStringLiteral("quorvane-%1").arg(::geteuid()));
        QVERIFY(QDir().mkdir(planted));
        if (::geteuid() == 0) {
            QCOMPARE(::chown(QFile::encodeName(planted).constData(), 65534, 65534), 0);
        } else {
            QCOMPARE(::chmod(QFile::encodeName(planted).constData(), 0777), 0);
        }
        SingleInstance first(settings, dir.path());
        QCOMPARE(int(first.acquire().outcome), int(SingleInstance::Outcome::Acquired));
        const QString folder = QFileInfo(first.lockPath()).absolutePath();
        QVERIFY2(folder != planted && folder.startsWith(dir.path()), qPrintable(first.lockPath()));
        struct stat info {};
        QCOMPARE(::lstat(QFile::encodeName(folder).constData(), &info), 0);
        QCOMPARE(info.st_uid, ::geteuid());
        QCOMPARE(info.st_mode & 0777, 0700u);
        SingleInstance second(settings, dir.path());
        QCOMPARE(int(second.acquire().outcome), int(SingleInstance::Outcome::HeldByAnotherCopy));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
