#include "picker/PickGeometry.h"

namespace {

// How far beyond the virtual screen's top-left corner the parked window waits.
constexpr int kParkedDistance = 110;

BOOL CALLBACK CollectMonitor(HMONITOR, HDC, LPRECT rect, LPARAM monitors) {
  reinterpret_cast<std::vector<RECT>*>(monitors)->push_back(*rect);
  return TRUE;
}

}  // namespace

PickGeometry PickGeometryFor(const std::vector<RECT>& monitors) {
  CRect all;
  for (const RECT& monitor : monitors) {
    ::UnionRect(all, all, &monitor);
  }
  return PickGeometry{all, CPoint(all.left - kParkedDistance, all.top - kParkedDistance), monitors};
}

std::vector<RECT> MonitorsNow() {
  std::vector<RECT> monitors;
  ::EnumDisplayMonitors(nullptr, nullptr, CollectMonitor, reinterpret_cast<LPARAM>(&monitors));
  if (monitors.empty()) {
    monitors.push_back(
        RECT{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)});
  }
  return monitors;
}
