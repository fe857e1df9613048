#pragma once

// Runs the benchmarks selected on the command line, like BENCHMARK_MAIN, but the exit code tells
// the truth: non-zero when a benchmark reports an error or none ran at all.
int runBenchmarks(int argc, char** argv);
