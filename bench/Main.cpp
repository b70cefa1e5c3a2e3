// Chromivo's benchmark program. scripts/bench.sh runs it under Wine in several steps and adds
// figures measured from outside the processes; each step prints metric lines, and the last one
// turns them into a table and one JSON line.
//
//   chromivo_bench startup [SUFFIX DIR] start-up of Chromivo and of its floors, those beside the
//                                      benchmark or those in DIR (the 32-bit build's)
//   chromivo_bench inprocess           pick entry and exit, colour path costs, soak
//   chromivo_bench pick-entry SUFFIX   pick entry and the wait before its copy (another screen
//                                      size, another Windows version)
//   chromivo_bench snapshot [SUFFIX]   snapshots of Chromivo.exe that show its own window
//   chromivo_bench report FILE         the table and the JSON line from collected metric lines
#include <cstdio>
#include <cstdlib>
#include <string>

#include "Benchmarks.h"
#include "framework/Framework.h"

namespace {

// The picker loads its icon through the application object, as in the program.
CWinApp benchApplication;

int EnvironmentNumber(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value != nullptr && std::atoi(value) > 0 ? std::atoi(value) : fallback;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string step = argc > 1 ? argv[1] : "";
  if (step == "startup") {
    RunStartupBenchmarks(argc > 3 ? argv[2] : "", argc > 3 ? argv[3] : "");
  } else if (step == "inprocess") {
    RunPickEntryBenchmarks("_1080");
    RunWaitBeforeCopyBenchmark("_1080");
    RunPickExitBenchmark();
    RunColorBenchmarks();
    RunSoak(EnvironmentNumber("CHROMIVO_SOAK_PICKS", 1000),
            EnvironmentNumber("CHROMIVO_SOAK_CHANGES", 100000));
  } else if (step == "snapshot") {
    RunSnapshotBenchmark(EnvironmentNumber("CHROMIVO_SNAPSHOT_ENTRIES", 1000),
                         argc > 2 ? argv[2] : "");
  } else if (step == "pick-entry" && argc > 2) {
    RunPickEntryBenchmarks(argv[2]);
    RunWaitBeforeCopyBenchmark(argv[2]);
  } else if (step == "report" && argc > 2) {
    return PrintReport(argv[2]);
  } else {
    std::fprintf(stderr,
                 "usage: chromivo_bench startup [SUFFIX DIR] | inprocess | snapshot [SUFFIX] | "
                 "pick-entry SUFFIX | report FILE\n");
    return 2;
  }
  return 0;
}
