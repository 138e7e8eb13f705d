// The benchmarks of the program's windows start as the program does: with the
// C library's heap in huge pages where the system gives them only on request.
#include <benchmark/benchmark.h>

#include "platform/Memory.h"

int main(int argc, char** argv) {
  platform::heapInHugePages(argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
