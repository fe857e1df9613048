#include "platform/linux/MountTableWatcher.h"
#include "stats/SysInfo.h"
#include "stats/WorkArea.h"

#include <sched.h>
#include <sys/mount.h>
#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

// The test program runs itself again in this mode to mount inside its own mount namespace.
constexpr char kMountChildSwitch[] = "--mount-notice-child";
constexpr int kChildPassed = 0;
constexpr int kChildFailed = 1;
constexpr int kChildCannotMount = 77;

int childFailure(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    return kChildFailed;
}

int childCannotMount(const char* what) {
    std::fprintf(stderr, "%s: %s\n", what, std::strerror(errno));
    return kChildCannotMount;
}

// Enters a private mount namespace (inside a new user namespace when not privileged), then mounts and
// unmounts a tmpfs at `mountPoint` and checks that every SysInfo hears of each change exactly once.
int runMountChild(int argc, char** argv, const char* mountPoint) {
    if (::unshare(CLONE_NEWNS) != 0 && ::unshare(CLONE_NEWUSER | CLONE_NEWNS) != 0) {
        return childCannotMount("cannot create a mount namespace");
    }
    // Keep our mounts from spreading to the namespace we came from.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return childCannotMount("cannot make the mount namespace private");
    }

    QCoreApplication app(argc, argv);
    SysInfo first;
    SysInfo second;
    QSignalSpy firstNotices(&first, &SysInfo::drivesChanged);
    QSignalSpy secondNotices(&second, &SysInfo::drivesChanged);
    const auto watcher = MountTableWatcher::shared();
    if (!watcher->isWatching()) {
        return childFailure(qPrintable(watcher->errorString()));
    }
    const QByteArray mountPointText(mountPoint);
    const auto bothHeard = [&](int count) {
        return firstNotices.size() == count && secondNotices.size() == count;
    };

    QTest::qWait(300);
    if (!bothHeard(0)) {
        return childFailure("a notice arrived while nothing was mounted");
    }

    if (::mount("quorvane-test", mountPoint, "tmpfs", 0, "size=64k") != 0) {
        return childCannotMount("cannot mount a tmpfs");
    }
    if (!QTest::qWaitFor([&] { return bothHeard(1); }, 10000)) {
        return childFailure("no notice of the mount");
    }
    if (!watcher->mountTable().contains(" " + mountPointText + " ")) {
        return childFailure("the mount table was not read again after the mount");
    }
    QTest::qWait(300);
    if (!bothHeard(1)) {
        return childFailure("more than one notice for one mount");
    }

    if (::umount(mountPoint) != 0) {
        return childFailure("cannot unmount the tmpfs");
    }
    if (!QTest::qWaitFor([&] { return bothHeard(2); }, 10000)) {
        return childFailure("no notice of the unmount");
    }
    if (watcher->mountTable().contains(" " + mountPointText + " ")) {
        return childFailure("the mount table was not read again after the unmount");
    }

    // A burst, as while containers start: forty changes that end where they began give no notice.
    int changesLeft = 40;
    bool mounted = false;
    bool mountFailed = false;
    QTimer churn;
    QObject::connect(&churn, &QTimer::timeout, [&] {
        mountFailed |= (mounted ? ::umount(mountPoint)
                                : ::mount("quorvane-test", mountPoint, "tmpfs", 0, "size=64k")) != 0;
        mounted = !mounted;
        if (--changesLeft == 0) {
            churn.stop();
        }
    });
    churn.start(4);
    if (!QTest::qWaitFor([&] { return !churn.isActive(); }, 10000) || mountFailed) {
        return childFailure("the burst of mounts did not run");
    }
    QTest::qWait(MountTableWatcher::kLongestWaitMs);
    if (!bothHeard(2)) {
        return childFailure("a burst that changed nothing gave a notice");
    }
    // The same burst ending mounted: one notice.
    changesLeft = 41;
    churn.start(4);
    if (!QTest::qWaitFor([&] { return bothHeard(3); }, 10000) || mountFailed) {
        return childFailure("no notice after a burst of mounts");
    }
    QTest::qWait(MountTableWatcher::kLongestWaitMs);
    if (!bothHeard(3) || ::umount(mountPoint) != 0) {
        return childFailure("more than one notice for one burst");
    }
    return kChildPassed;
}

}  // namespace

class TestSysInfo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void twipsPerPixelFollowsTheResolution_data();
    void twipsPerPixelFollowsTheResolution();
    void workAreaEdgesInTwips_data();
    void workAreaEdgesInTwips();
    void everyInstanceSharesOneWatcher();
    void mountingInAPrivateNamespaceNotifiesEveryInstance();
};

void TestSysInfo::twipsPerPixelFollowsTheResolution_data() {
    QTest::addColumn<qreal>("dpi");
    QTest::addColumn<int>("twips");
    QTest::newRow("96") << 96.0 << 15;
    QTest::newRow("120") << 120.0 << 12;
    QTest::newRow("144") << 144.0 << 10;
    QTest::newRow("97, rounded") << 97.0 << 15;  // 14.85 twips: a truncated 14 would drift by a pixel in 15
    QTest::newRow("unknown") << 0.0 << 15;
    QTest::newRow("nonsense") << qreal(-1) << 15;
}

void TestSysInfo::twipsPerPixelFollowsTheResolution() {
    QFETCH(qreal, dpi);
    QTEST(twipsPerPixelFor(dpi), "twips");
}

void TestSysInfo::workAreaEdgesInTwips_data() {
    QTest::addColumn<QRect>("available");
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    // A 1024 x 768 screen at 96 dpi.
    QTest::newRow("panel at the bottom") << QRect(0, 0, 1024, 738) << 15360 << 11070;
    QTest::newRow("panel at the top") << QRect(0, 30, 1024, 738) << 15360 << 11520;
    QTest::newRow("panel at the right") << QRect(0, 0, 984, 768) << 14760 << 11520;
    QTest::newRow("no screen") << QRect() << 0 << 0;
}

void TestSysInfo::workAreaEdgesInTwips() {
    QFETCH(QRect, available);
    const WorkAreaTwips area = workAreaInTwips(available, 15, 15);
    QTEST(area.width, "width");
    QTEST(area.height, "height");
}

void TestSysInfo::everyInstanceSharesOneWatcher() {
    std::weak_ptr<MountTableWatcher> released;
    {
        SysInfo first;
        SysInfo second;
        const auto watcher = MountTableWatcher::shared();
        QVERIFY(watcher->isWatching());
        QVERIFY(watcher->mountTable().contains(" / "));
        released = watcher;
    }
    // The last instance gone, the table file is closed again.
    QVERIFY(released.expired());
}

void TestSysInfo::mountingInAPrivateNamespaceNotifiesEveryInstance() {
    QTemporaryDir mountPoint;
    QVERIFY(mountPoint.isValid());
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QString::fromLatin1(kMountChildSwitch), mountPoint.path()});
    QVERIFY(child.waitForFinished(60000));
    const QString childErrors = QString::fromLocal8Bit(child.readAllStandardError()).trimmed();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    if (child.exitCode() == kChildCannotMount) {
        QSKIP(qPrintable(QStringLiteral("this system does not let the test mount in a private namespace (%1)")
                             .arg(childErrors)));
    }
    QVERIFY2(child.exitCode() == kChildPassed, qPrintable(childErrors));
}

int main(int argc, char** argv) {
    if (argc == 3 && std::strcmp(argv[1], kMountChildSwitch) == 0) {
        return runMountChild(argc, argv, argv[2]);
    }
    QCoreApplication app(argc, argv);
    TestSysInfo test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_sysinfo.moc"
