// Pick mode's geometry over layouts of monitors: the window covers the rectangle around them all,
// the snapshot copies it, and a client point shows the screen pixel it lies over.
#include <gtest/gtest.h>

#include <vector>

#include "picker/PickGeometry.h"

namespace {

struct Layout {
  const char* name;
  std::vector<RECT> monitors;  // the primary first, at (0, 0)
  RECT virtualScreen;          // the rectangle around them all
};

}  // namespace

TEST(PickGeometry, CoversEveryMonitorAndMapsEachClientPointToItsScreenPixel) {
  const RECT primary{0, 0, 1920, 1080};
  const Layout layouts[] = {
      {"one monitor", {primary}, primary},
      {"a larger one right of the primary",
       {primary, {1920, -180, 4480, 1260}},
       {0, -180, 4480, 1260}},
      {"a smaller one left of the primary",
       {primary, {-1366, 312, 0, 1080}},
       {-1366, 0, 1920, 1080}},
      {"one above the primary", {primary, {320, -1200, 2240, 0}}, {0, -1200, 2240, 1080}},
  };
  for (const Layout& layout : layouts) {
    SCOPED_TRACE(layout.name);
    const RECT& all = layout.virtualScreen;
    const PickGeometry geometry = PickGeometryFor(layout.monitors);
    EXPECT_TRUE(::EqualRect(&geometry.window, &all));
    EXPECT_EQ(geometry.SnapshotOrigin().x, all.left);
    EXPECT_EQ(geometry.SnapshotOrigin().y, all.top);
    EXPECT_EQ(geometry.SnapshotSize().cx, all.right - all.left);
    EXPECT_EQ(geometry.SnapshotSize().cy, all.bottom - all.top);
    const RECT parked{geometry.parked.x, geometry.parked.y, geometry.parked.x + 1,
                      geometry.parked.y + 1};
    for (const RECT& monitor : layout.monitors) {
      RECT overlap;
      EXPECT_FALSE(::IntersectRect(&overlap, &parked, &monitor)) << "parked on a monitor";
      // Each monitor's corners, as client points of the pick window.
      for (const POINT corner :
           {POINT{monitor.left, monitor.top}, POINT{monitor.right - 1, monitor.bottom - 1}}) {
        const POINT client{corner.x - geometry.window.left, corner.y - geometry.window.top};
        EXPECT_GE(client.x, 0);
        EXPECT_GE(client.y, 0);
        const CPoint screen = geometry.ScreenPixelOf(client);
        EXPECT_EQ(screen.x, corner.x);
        EXPECT_EQ(screen.y, corner.y);
      }
    }
    EXPECT_EQ(geometry.monitors.size(), layout.monitors.size()) << "each monitor is copied";
  }
  // With one monitor, exactly as on a single display: the origin and its size, parked at -110.
  const PickGeometry single = PickGeometryFor({primary});
  EXPECT_EQ(single.parked.x, -110);
  EXPECT_EQ(single.parked.y, -110);
}
