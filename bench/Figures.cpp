#include "Figures.h"

#include <algorithm>

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

Figure Summarise(std::vector<double> samples) {
  Figure figure;
  if (samples.empty()) {
    return figure;
  }
  std::sort(samples.begin(), samples.end());
  const size_t middle = samples.size() / 2;
  figure.median =
      samples.size() % 2 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
  figure.min = samples.front();
  figure.max = samples.back();
  return figure;
}

void PrintMetric(const std::string& name, const Figure& figure, const char* unit) {
  std::printf("metric %s %.4f %.4f %.4f %s\n", name.c_str(), figure.median, figure.min, figure.max,
              unit);
  std::fflush(stdout);
}
