#include "card/picture_scaling.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// Enlarged along either axis: the end pixels kept, the ones between mixed in proportion to
// their centres' distance, each channel on its own. Sentinels after the target catch a
// write past its end.
TEST(ScalePicture, MixesTheNearestPixelsByDistance) {
  struct Case {
    const char* what;
    std::vector<std::uint32_t> from;
    int fromWidth, fromHeight, toWidth, toHeight;
    std::vector<std::uint32_t> want;
  };
  const Case cases[] = {
      {"same size", {0x102030, 0x405060}, 2, 1, 2, 1, {0x102030, 0x405060}},
      {"black to white, across",
       {0x000000, 0xFFFFFF},
       2,
       1,
       4,
       1,
       {0x000000, 0x3F3F3F, 0xBFBFBF, 0xFFFFFF}},
      {"red to blue, down",
       {0xFF0000, 0x0000FF},
       1,
       2,
       1,
       4,
       {0xFF0000, 0xBF003F, 0x3F00BF, 0x0000FF}},
      {"green corner, 2x2 to 3x3",
       {0x00FF00, 0, 0, 0},
       2,
       2,
       3,
       3,
       {0x00FF00, 0x007F00, 0, 0x007F00, 0x003F00, 0, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    std::vector<std::uint32_t> to(c.want.size() + 2, 0xBDBDBDBD);
    ScalePicture(c.from.data(), c.fromWidth, c.fromHeight, to.data(), c.toWidth, c.toHeight);
    for (std::size_t i = 0; i < c.want.size(); ++i) {
      EXPECT_EQ(c.want[i], to[i]) << c.what << ", pixel " << i;
    }
    EXPECT_EQ(0xBDBDBDBDu, to[c.want.size()]) << c.what;
  }
}
