// The benchmark's parts, each printing its figures as metric lines.
#pragma once

#include <string>

// Start-up of Chromivo and of its floors, the programs in the folder given (a Windows path; empty
// for the ones beside the benchmark); metric names end with the given suffix.
void RunStartupBenchmarks(const std::string& suffix, const std::string& folder);
// Pick entry against a bare screen copy and blit; metric names end with the given suffix.
void RunPickEntryBenchmarks(const std::string& suffix);
void RunPickExitBenchmark();
void RunColorBenchmarks();
void RunSoak(int pickCycles, int colorChanges);
// How many of so many hot-key entries of Chromivo.exe froze a screen that still showed its window;
// the metric's name ends with the given suffix.
void RunSnapshotBenchmark(int entries, const std::string& suffix);
// What the wait before the screen copy costs: from the window parked to the screen known to show
// what lay under it.
void RunWaitBeforeCopyBenchmark(const std::string& suffix);
// Reads metric lines and prints the table and one JSON line.
int PrintReport(const std::string& metricsFile);
