#include "BenchmarkMain.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

// The console report, also remembering whether any run failed.
class ErrorCountingReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& reports) override {
        for (const Run& run : reports) {
            if (run.error_occurred) {
                ++errors;
            }
        }
        ConsoleReporter::ReportRuns(reports);
    }
    int errors = 0;
};

}  // namespace

int runBenchmarks(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    ErrorCountingReporter reporter;
    const size_t ran = benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    if (ran == 0) {
        std::fprintf(stderr, "no benchmark ran\n");
        return 1;
    }
    if (reporter.errors > 0) {
        std::fprintf(stderr, "%d benchmark(s) reported an error\n", reporter.errors);
        return 1;
    }
    return 0;
}
