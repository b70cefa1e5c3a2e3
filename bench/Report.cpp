// The report: every figure with its spread, each against its floor where it has one, as a table
// for people and one JSON line for tools.
#include <cstdio>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <string>

#include "Benchmarks.h"
#include "Figures.h"

namespace {

struct Metric {
  Figure figure;
  std::string unit;
};

using Metrics = std::map<std::string, Metric>;

struct Row {
  const char* name;
  const char* label;      // "{}" in it stands for the value of the metric named by countName
  const char* floorName;  // compared with this metric, when not null
  const char* target;
  const char* countName = nullptr;
  // The ratio's name in the JSON line, for a figure compared with a second floor on a row of its
  // own; "<name>_ratio" otherwise.
  const char* ratioName = nullptr;
};

const Row kRows[] = {
    {"startup_chromivo", "start-up to painted window", "startup_minimal", "ratio <= 1.25"},
    {"startup_minimal", "  floor: minimal dialog program", nullptr, ""},
    {"startup_minimal_manifest", "  floor: same, Chromivo's manifest", "startup_minimal", ""},
    {"startup_design", "  floor: its template, bare dialog", "startup_minimal", ""},
    {"startup_chromivo", "  start-up over that floor", "startup_design", "", nullptr,
     "startup_chromivo_over_design_ratio"},
    {"startup_chromivo_x86", "start-up, 32-bit program", "startup_minimal_x86", ""},
    {"startup_minimal_x86", "  floor: minimal dialog program", nullptr, ""},
    {"startup_minimal_manifest_x86", "  floor: same, Chromivo's manifest", "startup_minimal_x86",
     ""},
    {"startup_design_x86", "  floor: its template, bare dialog", "startup_minimal_x86", ""},
    {"startup_chromivo_x86", "  start-up over that floor", "startup_design_x86", "", nullptr,
     "startup_chromivo_x86_over_design_ratio"},
    {"pick_entry_1080", "pick entry 1920x1080", "copy_blit_1080", "ratio <= 1.5"},
    {"copy_blit_1080", "  floor: hot key, copy + blit", nullptr, ""},
    {"wait_before_copy_1080", "  the wait before the copy", nullptr, ""},
    {"pick_entry_1080_win7", "same, as Windows 7", "copy_blit_1080_win7", "ratio <= 1.5"},
    {"copy_blit_1080_win7", "  floor: hot key, copy + blit", nullptr, ""},
    {"wait_before_copy_1080_win7", "  the wait before the copy", nullptr, ""},
    {"pick_entry_2160", "pick entry 3840x2160", "copy_blit_2160", "ratio <= 1.2"},
    {"copy_blit_2160", "  floor: hot key, copy + blit", nullptr, ""},
    {"wait_before_copy_2160", "  the wait before the copy", nullptr, ""},
    {"pick_exit", "pick exit to repainted panel", nullptr, ""},
    {"snapshot_shows_window", "snapshots showing the window", nullptr, "0"},
    {"snapshot_shows_window_win7", "same, as Windows 7", nullptr, "0"},
    {"set_colour_with_edits", "SetCurrentColor, edits too", "set_colour_without_edits",
     "ratio <= 2, < 1000 us"},
    {"set_colour_without_edits", "SetCurrentColor, no edits", "colour_change_floor", "< 1000 us"},
    {"colour_change_floor", "  floor: its window calls alone", nullptr, ""},
    {"slider_step", "one slider step", nullptr, ""},
    {"idle_cpu", "CPU used in 10 s idle", "idle_cpu_minimal", "0 ms"},
    {"idle_cpu_minimal", "  floor: minimal dialog program", nullptr, ""},
    {"rss_idle", "resident, idle", "rss_minimal", ""},
    {"rss_minimal", "  floor: minimal dialog program", nullptr, ""},
    {"rss_minimal_manifest", "  floor: same, Chromivo's manifest", "rss_minimal",
     "idle <= this + 2 MiB"},
    {"rss_idle_x86", "resident, idle, 32-bit program", "rss_minimal_x86", ""},
    {"rss_minimal_x86", "  floor: minimal dialog program", nullptr, ""},
    {"rss_minimal_manifest_x86", "  floor: same, Chromivo's manifest", "rss_minimal_x86",
     "idle <= this + 2 MiB"},
    {"rss_picking", "resident, picking", nullptr, "idle + one snapshot"},
    {"rss_after_pick", "resident, after picking", nullptr, "idle + 1 MiB"},
    {"soak_rss_warm", "soak: resident after warm-up", nullptr, ""},
    {"soak_rss_after_picks", "soak: after {} pick cycles", nullptr, "warm-up + 1 MiB",
     "soak_pick_cycles"},
    {"soak_rss_after_changes", "soak: after {} colours", nullptr, "warm-up + 1 MiB",
     "soak_colour_changes"},
    {"soak_seconds", "soak: duration", nullptr, ""},
    {"exe_size", "Chromivo.exe", nullptr, ""},
    {"exe_size_stripped", "Chromivo.exe stripped", nullptr, "<= 200 KiB"},
    {"exe_size_x86", "Chromivo.exe, 32-bit", nullptr, ""},
};

Metrics ReadMetrics(const std::string& file, std::string* imports) {
  Metrics metrics;
  std::ifstream in(file);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream words(line);
    std::string kind, name;
    words >> kind >> name;
    if (kind == "metric") {
      Metric metric;
      words >> metric.figure.median >> metric.figure.min >> metric.figure.max >> metric.unit;
      metrics[name] = metric;
    } else if (kind == "info" && name == "imports") {
      words >> *imports;
    }
  }
  return metrics;
}

// The figure's median over its floor's, when both were measured and the floor is not zero.
std::optional<double> RatioToFloor(const Metrics& metrics, const Row& row) {
  if (row.floorName == nullptr || !metrics.count(row.name) || !metrics.count(row.floorName) ||
      metrics.at(row.floorName).figure.median <= 0) {
    return std::nullopt;
  }
  return metrics.at(row.name).figure.median / metrics.at(row.floorName).figure.median;
}

std::string LabelOf(const Metrics& metrics, const Row& row) {
  std::string label = row.label;
  if (row.countName == nullptr) {
    return label;
  }
  const auto count = metrics.find(row.countName);
  char text[32] = "?";
  if (count != metrics.end()) {
    std::snprintf(text, sizeof(text), "%.0f", count->second.figure.median);
  }
  return label.replace(label.find("{}"), 2, text);
}

void PrintTable(const Metrics& metrics, const std::string& imports) {
  std::printf("%-36s %10s %10s %10s %-5s %7s  %s\n", "figure", "median", "min", "max", "unit",
              "ratio", "target");
  for (const Row& row : kRows) {
    const auto found = metrics.find(row.name);
    if (found == metrics.end()) {
      continue;
    }
    const Metric& metric = found->second;
    std::string ratio = "";
    if (const std::optional<double> value = RatioToFloor(metrics, row)) {
      char text[16];
      std::snprintf(text, sizeof(text), "%.2f", *value);
      ratio = text;
    }
    std::printf("%-36s %10.3f %10.3f %10.3f %-5s %7s  %s\n", LabelOf(metrics, row).c_str(),
                metric.figure.median, metric.figure.min, metric.figure.max, metric.unit.c_str(),
                ratio.c_str(), row.target);
  }
  std::printf("%-36s %s\n", "imported DLLs", imports.c_str());
}

void PrintJson(const Metrics& metrics, const std::string& imports) {
  std::printf("{");
  const char* separator = "";
  for (const auto& [name, metric] : metrics) {
    std::printf("%s\"%s\":{\"median\":%.4f,\"min\":%.4f,\"max\":%.4f,\"unit\":\"%s\"}", separator,
                name.c_str(), metric.figure.median, metric.figure.min, metric.figure.max,
                metric.unit.c_str());
    separator = ",";
  }
  for (const Row& row : kRows) {
    if (const std::optional<double> value = RatioToFloor(metrics, row)) {
      const std::string name =
          row.ratioName != nullptr ? row.ratioName : std::string(row.name) + "_ratio";
      std::printf(",\"%s\":%.4f", name.c_str(), *value);
    }
  }
  std::printf(",\"imports\":\"%s\"}\n", imports.c_str());
}

}  // namespace

int PrintReport(const std::string& metricsFile) {
  std::string imports;
  const Metrics metrics = ReadMetrics(metricsFile, &imports);
  if (metrics.empty()) {
    std::fprintf(stderr, "no metrics in %s\n", metricsFile.c_str());
    return 1;
  }
  PrintTable(metrics, imports);
  PrintJson(metrics, imports);
  return 0;
}
