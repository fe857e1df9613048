#include "platform/linux/LinuxMountTable.h"

#include <sys/sysmacros.h>
#include <QtTest>

namespace {

// Device nodes of the fixture's /dev: stat cannot tell a fixture file from a device.
class FakeDeviceNodes : public DeviceNumberLookup {
public:
    QHash<QString, dev_t> nodes;
    std::optional<dev_t> blockDevice(const QString& systemPath) override {
        const auto found = nodes.constFind(systemPath);
        return found == nodes.constEnd() ? std::nullopt : std::optional<dev_t>(*found);
    }
};

QStringList mountPoints(const QList<FixedMount>& mounts) {
    QStringList points;
    for (const FixedMount& mount : mounts) {
        points.append(mount.mountPoint);
    }
    return points;
}

}  // namespace

class LinuxMountTableTest : public QObject {
    Q_OBJECT

    static SystemFiles tree(const char* name) {
        return SystemFiles(QStringLiteral(QUORVANE_TEST_DATA "/stats/") + QLatin1String(name));
    }

private Q_SLOTS:
    void onlyLocalFixedDisksQualify() {
        auto nodes = std::make_shared<FakeDeviceNodes>();
        nodes->nodes.insert(QStringLiteral("/dev/nvme0n1p3"), makedev(259, 3));  // btrfs reports 0:45
        nodes->nodes.insert(QStringLiteral("/dev/mapper/cryptsrv"), makedev(254, 0));
        LinuxMountTable table(tree("laptop"), nodes);
        const auto mounts = table.fixedMounts();
        QVERIFY(mounts);
        // Left out: the USB stick, the CD, loop, nbd, zram and RAM disks, the SD card, the removable
        // card reader, the FireWire disk, NFS, tmpfs, a second binding of the data disk, bad lines.
        QCOMPARE(mountPoints(*mounts), (QStringList{"/", "/mnt/data disk", "/home", "/srv"}));
        QCOMPARE(mounts->at(1).device, QStringLiteral("/dev/sda1"));
        QCOMPARE(mounts->at(2).fsType, QStringLiteral("btrfs"));
    }

    void anonymousDeviceWithoutNodeIsSkipped() {
        // Without the node of /dev/nvme0n1p3 the btrfs mount has only its anonymous 0:45.
        LinuxMountTable table(tree("laptop"), std::make_shared<FakeDeviceNodes>());
        const auto mounts = table.fixedMounts();
        QVERIFY(mounts);
        QVERIFY(!mountPoints(*mounts).contains(QStringLiteral("/home")));
        QVERIFY(mountPoints(*mounts).contains(QStringLiteral("/srv")));  // 254:0 is in the mount table
    }

    void mountedOverShowsLatest() {
        auto nodes = std::make_shared<FakeDeviceNodes>();
        nodes->nodes.insert(QStringLiteral("/dev/sda5"), makedev(8, 5));
        LinuxMountTable table(tree("desktop"), nodes);
        const auto mounts = table.fixedMounts();
        QVERIFY(mounts);
        // tmpfs over /data hides the disk; another disk over /backup replaces the first.
        QCOMPARE(mountPoints(*mounts), (QStringList{"/", "/backup"}));
        QCOMPARE(mounts->at(1).device, QStringLiteral("/dev/sda5"));
    }

    // Subvolumes of the root filesystem and a second mount of one disk show figures already listed.
    void oneFilesystemIsListedOnce() {
        auto nodes = std::make_shared<FakeDeviceNodes>();
        nodes->nodes.insert(QStringLiteral("/dev/nvme0n1p2"), makedev(259, 2));
        nodes->nodes.insert(QStringLiteral("/dev/sdb1"), makedev(8, 17));
        nodes->nodes.insert(QStringLiteral("/dev/sdc1"), makedev(8, 33));
        nodes->nodes.insert(QStringLiteral("/dev/mmcblk1p1"), makedev(179, 2));
        nodes->nodes.insert(QStringLiteral("/dev/mmcblk2p1"), makedev(179, 3));
        LinuxMountTable table(tree("subvolumes"), nodes);
        const auto mounts = table.fixedMounts();
        QVERIFY(mounts);
        // Also: built-in eMMC storage is a fixed disk; an SD card on the same bus is not.
        QCOMPARE(mountPoints(*mounts), (QStringList{"/", "/data", "/archive", "/emmc"}));
    }

    void unreadableOrGarbageTable() {
        LinuxMountTable missing(tree("arm"), nullptr);
        QVERIFY(!missing.fixedMounts());
        LinuxMountTable garbage(tree("broken"), nullptr);
        const auto mounts = garbage.fixedMounts();
        QVERIFY(mounts);
        QVERIFY(mounts->isEmpty());
    }

    void escapesDecoded_data() {
        QTest::addColumn<QByteArray>("field");
        QTest::addColumn<QString>("decoded");
        QTest::newRow("blank") << QByteArray("/mnt/my\\040disk") << "/mnt/my disk";
        QTest::newRow("tab newline backslash") << QByteArray("/a\\011b\\012c\\134d") << "/a\tb\nc\\d";
        QTest::newRow("utf-8 bytes") << QByteArray("/mnt/\\303\\251t\\303\\251")
                                     << QString::fromUtf8("/mnt/été");
        QTest::newRow("not an escape") << QByteArray("/x\\9y\\04") << "/x\\9y\\04";
    }
    void escapesDecoded() {
        QFETCH(QByteArray, field);
        QFETCH(QString, decoded);
        QCOMPARE(LinuxMountTable::decodeEscapes(field), decoded);
    }

    void optionalFieldsVary() {
        const auto entries = LinuxMountTable::parse(
            "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 shared:2 - ext3 /dev/root rw,errors=continue\n"
            "37 35 98:1 / /plain rw - ext4 /dev/sdz1 rw\n");
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries[0].root, QStringLiteral("/mnt1"));
        QCOMPARE(entries[0].mountPoint, QStringLiteral("/mnt2"));
        QCOMPARE(entries[0].source, QStringLiteral("/dev/root"));
        QCOMPARE(entries[1].minor, 1u);
        QCOMPARE(entries[1].fsType, QStringLiteral("ext4"));
    }

    void realMountTableReads() {
        LinuxMountTable table(SystemFiles(), nullptr);
        const auto mounts = table.fixedMounts();
        QVERIFY(mounts.has_value());
        for (const FixedMount& mount : *mounts) {
            QVERIFY2(QFileInfo::exists(mount.mountPoint), qPrintable(mount.mountPoint));
            QVERIFY2(mount.device.startsWith(QLatin1String("/dev/")), qPrintable(mount.device));
        }
    }
};

QTEST_GUILESS_MAIN(LinuxMountTableTest)
#include "tst_linuxmounttable.moc"
