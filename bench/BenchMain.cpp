// The one entry of the benchmark program; every other file of bench/ only
// registers its benchmarks.
#include <benchmark/benchmark.h>

BENCHMARK_MAIN();
