// Timing and the figures the benchmark prints: each the median of several samples, with the
// minimum and maximum beside it so that noise is visible.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

// Milliseconds on the performance counter.
double NowMs();

struct Figure {
  double median = 0;
  double min = 0;
  double max = 0;
};

Figure Summarise(std::vector<double> samples);

// One measured figure as a line the report step reads back: "name median min max unit".
void PrintMetric(const std::string& name, const Figure& figure, const char* unit);
