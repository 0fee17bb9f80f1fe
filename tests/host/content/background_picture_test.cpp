#include <gtest/gtest.h>

#include <set>

#include "content/background_picture.h"
#include "core/random.h"

TEST(PictureIdForRandom, MapsGeneratorValuesOntoTheEightCardPictures) {
  struct Case {
    int value;
    std::int32_t id;
  };
  const Case cases[] = {{0, 131},  {1, 132},     {7, 138},     {8, 131},  {9, 132}, {15, 138},
                        {16, 131}, {32760, 131}, {32767, 138}, {-1, 138}, {-8, 131}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.id, PictureIdForRandom(c.value)) << "for value " << c.value;
  }
}

TEST(PictureIdForRandom, NeverPicksTheUnshownCataloguePictures) {
  std::set<std::int32_t> seen;
  for (int value = 0; value <= RANDOM_MAX; ++value) seen.insert(PictureIdForRandom(value));
  EXPECT_EQ((std::set<std::int32_t>{131, 132, 133, 134, 135, 136, 137, 138}), seen);
}

TEST(TakePictureRequest, WithoutARequestKeepsThePictureAndDrawsNothing) {
  RandomSeed(99);
  std::int32_t requested = 0;
  std::int32_t pictureId = 136;
  TakePictureRequest(&requested, &pictureId);
  TakePictureRequest(&requested, &pictureId);
  EXPECT_EQ(136, pictureId);
  EXPECT_EQ(0, requested);
  const int next = RandomNext();
  RandomSeed(99);
  EXPECT_EQ(RandomNext(), next) << "the generator was advanced without a request";
}

TEST(TakePictureRequest, ARequestDrawsOneValueAndClearsTheFlag) {
  for (unsigned seed : {0u, 1u, 7u, 12345u, 0xFFFFFFFFu}) {
    RandomSeed(seed);
    const std::int32_t expected = PictureIdForRandom(RandomNext());
    const int following = RandomNext();

    RandomSeed(seed);
    std::int32_t requested = 1;
    std::int32_t pictureId = 131;
    TakePictureRequest(&requested, &pictureId);
    EXPECT_EQ(expected, pictureId) << "seed " << seed;
    EXPECT_EQ(0, requested) << "seed " << seed;
    // Several requests before one paint are one draw: the second call finds no request.
    TakePictureRequest(&requested, &pictureId);
    EXPECT_EQ(expected, pictureId) << "seed " << seed;
    EXPECT_EQ(following, RandomNext()) << "seed " << seed << ": not exactly one value drawn";
  }
}

TEST(TakePictureRequest, AnyNonZeroFlagCountsAsARequest) {
  for (std::int32_t flag : {1, -1, 2, 0x7FFFFFFF}) {
    RandomSeed(5);
    std::int32_t requested = flag;
    std::int32_t pictureId = 0;
    TakePictureRequest(&requested, &pictureId);
    EXPECT_EQ(0, requested) << "flag " << flag;
    EXPECT_GE(pictureId, 131) << "flag " << flag;
    EXPECT_LE(pictureId, 138) << "flag " << flag;
  }
}
