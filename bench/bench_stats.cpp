// Cost of sampling the statistics on the real machine: one full sample of every item (what a
// window's refresh tick does) and each item alone. The drive list is enumerated once, as the
// windows do; only a mount-table change re-reads it.
#include "stats/ActivityItem.h"
#include "stats/ActivityMeters.h"
#include "stats/CpuMeter.h"
#include "stats/StatisticItem.h"
#include "stats/SystemInfoModule.h"

#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

struct Sampler {
    SystemInfoModule module{nullptr};
    std::unique_ptr<CpuMeter> meter = module.createCpuMeter(true);
    ActivityMeters activity{module.sources()};
    Sampler() {
        meter->Initialize();
        module.EnumFixedDrives();
    }
    void sampleClassicItems() {
        module.RefreshSystemStatus();
        for (int item = 0; item < kFixedItemCount; ++item) {
            benchmark::DoNotOptimize(module.itemValue(item, meter.get()));
        }
        for (const FixedDrive& drive : module.fixedDrives()) {
            benchmark::DoNotOptimize(module.driveValue(drive.letter));
        }
        module.EnumFixedDrives();  // as a consumer would: a no-op unless the table changed
    }
};

void FullSample(benchmark::State& state) {
    Sampler sampler;
    for (auto _ : state) {
        sampler.sampleClassicItems();
    }
    state.counters["extra drives"] = static_cast<double>(sampler.module.fixedDriveCount());
}
BENCHMARK(FullSample);

// Every item on: the classic ones and the activity items (per-core, temperature, disks, network).
void FullSampleAllItems(benchmark::State& state) {
    Sampler sampler;
    for (auto _ : state) {
        sampler.sampleClassicItems();
        benchmark::DoNotOptimize(sampler.activity.cores());
        benchmark::DoNotOptimize(sampler.activity.temperature());
        benchmark::DoNotOptimize(sampler.activity.diskBusy());
        benchmark::DoNotOptimize(sampler.activity.network());
    }
}
BENCHMARK(FullSampleAllItems);

void ActivityItemAlone(benchmark::State& state) {
    Sampler sampler;
    const int item = static_cast<int>(state.range(0));
    state.SetLabel(activitySuffix(static_cast<ActivityItem>(item)).toStdString());
    for (auto _ : state) {
        switch (static_cast<ActivityItem>(item)) {
            case ActivityItem::Cores:
                benchmark::DoNotOptimize(sampler.activity.cores());
                break;
            case ActivityItem::Temperature:
                benchmark::DoNotOptimize(sampler.activity.temperature());
                break;
            case ActivityItem::DiskBusy:
                benchmark::DoNotOptimize(sampler.activity.diskBusy());
                break;
            case ActivityItem::Network:
                benchmark::DoNotOptimize(sampler.activity.network());
                break;
        }
    }
}
BENCHMARK(ActivityItemAlone)->DenseRange(0, kActivityItemCount - 1);

void RefreshSystemStatus(benchmark::State& state) {
    Sampler sampler;
    for (auto _ : state) {
        sampler.module.RefreshSystemStatus();
    }
}
BENCHMARK(RefreshSystemStatus);

void Item(benchmark::State& state) {
    Sampler sampler;
    const int item = static_cast<int>(state.range(0));
    state.SetLabel(statisticSuffix(item).toStdString());
    sampler.module.RefreshSystemStatus();
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.module.itemValue(item, sampler.meter.get()));
    }
}
BENCHMARK(Item)->DenseRange(0, kFixedItemCount - 1);

void ExtraDrive(benchmark::State& state) {
    Sampler sampler;
    const QChar letter = sampler.module.fixedDrives().first().letter;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.module.driveValue(letter));
    }
}

void EnumFixedDrivesCached(benchmark::State& state) {
    Sampler sampler;
    for (auto _ : state) {
        sampler.module.EnumFixedDrives();
    }
}
BENCHMARK(EnumFixedDrivesCached);

void EnumFixedDrivesAfterChange(benchmark::State& state) {
    Sampler sampler;
    for (auto _ : state) {
        sampler.module.invalidateFixedDrives();
        sampler.module.EnumFixedDrives();
    }
}
BENCHMARK(EnumFixedDrivesAfterChange);

void CountProcesses(benchmark::State& state) {
    Sampler sampler;
    for (auto _ : state) {
        sampler.module.CountProcesses();
    }
}
BENCHMARK(CountProcesses);

void GetProcessorDescription(benchmark::State& state) {
    Sampler sampler;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sampler.module.GetProcessorDescription());
    }
}
BENCHMARK(GetProcessorDescription);

}  // namespace

int main(int argc, char** argv) {
    // A machine with a single filesystem has no extra drive to measure.
    if (Sampler().module.fixedDrives().isEmpty()) {
        std::fprintf(stderr, "ExtraDrive not run: no extra fixed drive on this machine\n");
    } else {
        benchmark::RegisterBenchmark("ExtraDrive", ExtraDrive);
    }
    return runBenchmarks(argc, argv);
}
