#include <gtest/gtest.h>

#include "shell/center_window.h"

TEST(CenteredPlacement, CentresAndKeepsOnScreen) {
  struct Case {
    const char* what;
    Rect window;
    Rect desktop;
    int screenW, screenH;
    WindowPlacement expected;
  };
  const Case cases[] = {
      {"centred on 1024x768", {0, 0, 350, 554}, {0, 0, 1024, 768}, 1024, 768, {337, 107, 350, 554}},
      {"odd remainder truncates",
       {10, 20, 351, 555},
       {0, 0, 1024, 768},
       1024,
       768,
       {341, 116, 341, 535}},
      {"desktop offset", {0, 0, 350, 554}, {100, 50, 1124, 818}, 2000, 2000, {437, 157, 350, 554}},
      {"taller than screen: bottom edge wins, top negative",
       {0, 0, 350, 554},
       {0, 0, 800, 500},
       800,
       500,
       {225, -54, 350, 554}},
      {"wider than screen: right edge wins, left negative",
       {0, 0, 350, 554},
       {0, 0, 300, 600},
       300,
       600,
       {-50, 23, 350, 554}},
      {"desktop larger than screen is clamped to the screen",
       {0, 0, 350, 554},
       {0, 0, 2000, 2000},
       1024,
       768,
       {674, 214, 350, 554}},
  };
  for (const Case& c : cases) {
    const WindowPlacement p = CenteredPlacement(c.window, c.desktop, c.screenW, c.screenH);
    EXPECT_EQ(c.expected.x, p.x) << c.what;
    EXPECT_EQ(c.expected.y, p.y) << c.what;
    EXPECT_EQ(c.expected.width, p.width) << c.what;
    EXPECT_EQ(c.expected.height, p.height) << c.what;
  }
}

// A card of 430 x 668 centred on a 1366 x 768 screen, with a 60-pixel task bar at each edge.
TEST(InsideWorkArea, MovesTheCardOffEachTaskBar) {
  struct Case {
    const char* bar;
    Rect work;
    int x, y;
  };
  const WindowPlacement centred{468, 50, 430, 668};
  const Case cases[] = {
      {"bottom", {0, 0, 1366, 708}, 468, 40}, {"top", {0, 60, 1366, 768}, 468, 60},
      {"left", {60, 0, 1366, 768}, 468, 50},  {"right", {0, 0, 1306, 768}, 468, 50},
      {"none", {0, 0, 1366, 768}, 468, 50},
  };
  for (const Case& c : cases) {
    const WindowPlacement p = InsideWorkArea(centred, c.work);
    EXPECT_EQ(c.x, p.x) << c.bar;
    EXPECT_EQ(c.y, p.y) << c.bar;
    EXPECT_EQ(430, p.width) << c.bar;
  }
  // Taller than the work area: the caption stays reachable under a top bar.
  EXPECT_EQ(60, InsideWorkArea({0, 0, 430, 800}, {0, 60, 1366, 768}).y);
  EXPECT_EQ(60, InsideWorkArea({-20, 0, 430, 668}, {60, 0, 1366, 768}).x);
}
