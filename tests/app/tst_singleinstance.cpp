#include "app/SingleInstance.h"

#include <QtTest>
#include <cerrno>
#include <cstring>

class SingleInstanceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    // Only a live copy's lock means "already running"; a folder that cannot hold the lock is an
    // error with its reason, not a reason to end quietly.
    void onlyALiveCopyCountsAsRunning() {
        QTemporaryDir dir;
        SingleInstance first(dir.filePath("Quorvane.lock"));
        QCOMPARE(int(first.acquire().outcome), int(SingleInstance::Outcome::Acquired));
        QCOMPARE(int(first.acquire().outcome), int(SingleInstance::Outcome::Acquired));
        SingleInstance second(dir.filePath("Quorvane.lock"));
        QCOMPARE(int(second.acquire().outcome), int(SingleInstance::Outcome::HeldByAnotherCopy));

        QFile inTheWay(dir.filePath("runtime"));  // a file where the folder should be
        QVERIFY(inTheWay.open(QIODevice::WriteOnly));
        inTheWay.close();
        SingleInstance broken(dir.filePath("runtime/Quorvane.lock"));
        const SingleInstance::Result result = broken.acquire();
        QCOMPARE(int(result.outcome), int(SingleInstance::Outcome::Failed));
        QVERIFY2(result.reason.contains(dir.filePath("runtime/Quorvane.lock")), qPrintable(result.reason));
        QVERIFY2(result.reason.contains(QString::fromLocal8Bit(std::strerror(ENOTDIR))),
                 qPrintable(result.reason));
    }
};

QTEST_GUILESS_MAIN(SingleInstanceTest)
#include "tst_singleinstance.moc"
