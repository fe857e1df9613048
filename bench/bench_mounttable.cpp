// Cost of rebuilding the drive list after a mount-table notice on a container host: a mountinfo of
// 2,000 lines (a few real disks, the rest overlay, proc, tmpfs and bind mounts of the host's disk
// into containers), read, filtered down to the fixed drives and given their letters.
#include "platform/SystemSources.h"
#include "stats/SystemInfoModule.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QByteArray containerHostMountInfo(int lines) {
    QByteArray table =
        "21 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "22 21 0:20 / /proc rw,nosuid shared:2 - proc proc rw\n"
        "23 21 0:21 / /sys rw,nosuid shared:3 - sysfs sysfs rw\n"
        "24 21 8:2 / /home rw,relatime shared:4 - ext4 /dev/sda2 rw\n"
        "25 21 259:1 / /srv/data rw,relatime shared:5 - xfs /dev/nvme0n1p1 rw\n";
    int id = 100;
    for (int container = 0; table.count('\n') < lines; ++container) {
        const QByteArray root = "/var/lib/containers/" + QByteArray::number(container);
        const QByteArray rows[] = {
            " 21 0:" + QByteArray::number(60 + container) + " / " + root +
                "/merged rw,relatime - overlay overlay rw,lowerdir=/l,upperdir=/u,workdir=/w\n",
            " 21 0:5 / " + root + "/merged/proc rw,nosuid - proc proc rw\n",
            " 21 0:6 / " + root + "/merged/dev rw,nosuid - tmpfs tmpfs rw,size=65536k\n",
            " 21 8:1 /var/lib/containers/" + QByteArray::number(container) + "/hostname " + root +
                "/merged/etc/hostname rw,relatime - ext4 /dev/sda1 rw\n",
        };
        for (const QByteArray& row : rows) {
            table += QByteArray::number(id++) + row;
        }
    }
    return table;
}

void RebuildDriveList(benchmark::State& state) {
    QTemporaryDir root;
    QDir(root.path()).mkpath(QStringLiteral("proc/self"));
    QFile mountInfo(root.filePath(QStringLiteral("proc/self/mountinfo")));
    if (!mountInfo.open(QIODevice::WriteOnly) ||
        mountInfo.write(containerHostMountInfo(int(state.range(0)))) < 0) {
        state.SkipWithError("cannot write the mount table");
        return;
    }
    mountInfo.close();
    SystemInfoModule module(SystemSources::linux(root.path()), nullptr);
    for (auto _ : state) {
        module.invalidateFixedDrives();  // what a mount-table notice does
        module.EnumFixedDrives();
        benchmark::DoNotOptimize(module.fixedDrives());
    }
    state.counters["extra drives"] = static_cast<double>(module.fixedDriveCount());
}
BENCHMARK(RebuildDriveList)->Arg(2000)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
