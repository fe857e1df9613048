// Cost of start-up's reads of the settings: about 130 keys looked up in files of 130 keys (a real
// one) up to a full 1 MB of keys. A lookup should cost the same whatever the size of the file.
#include "BenchmarkMain.h"
#include "platform/linux/IniSettingsStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kStartupReads = 130;

void ReadStartupKeys(benchmark::State& state) {
    QTemporaryDir home;
    const QString path = home.filePath(QStringLiteral("Quorvane.conf"));
    QByteArray text = "[Settings]\n";
    for (int i = 0; i < state.range(0); ++i) {
        text += "Key" + QByteArray::number(i) + "=" + QByteArray::number(i % 100) + '\n';
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
        state.SkipWithError("cannot write the settings file");
        return;
    }
    file.close();
    IniSettingsStore store(path, IniSettingsStore::Access::ReadOnly);
    QStringList keys;
    for (int i = 0; i < kStartupReads; ++i) {
        keys << QStringLiteral("KEY%1").arg(qint64(i) * state.range(0) / kStartupReads);
    }
    for (auto _ : state) {
        for (const QString& key : keys) {
            benchmark::DoNotOptimize(store.read(key));
        }
    }
    state.counters["file bytes"] = double(text.size());
}
BENCHMARK(ReadStartupKeys)->Arg(130)->Arg(60000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarks(argc, argv);
}
