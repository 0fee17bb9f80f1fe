#include <gtest/gtest.h>

#include <vector>

#include "core/random.h"

TEST(RandomNext, KnownSequencesForSeedsOneAndZero) {
  struct Case {
    unsigned seed;
    std::vector<int> expected;
  };
  const Case cases[] = {{1, {41, 18467, 6334, 26500, 19169}}, {0, {38, 7719, 21238, 2437, 8855}}};
  for (const Case& c : cases) {
    RandomSeed(c.seed);
    for (size_t i = 0; i < c.expected.size(); ++i) {
      EXPECT_EQ(c.expected[i], RandomNext()) << "seed " << c.seed << " value " << i;
    }
  }
}

TEST(RandomNext, StaysInFifteenBitsAndUsesTheWholeRange) {
  for (unsigned seed : {0u, 1u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFFu, 123456789u}) {
    RandomSeed(seed);
    int lowest = RANDOM_MAX;
    int highest = 0;
    for (int i = 0; i < 200000; ++i) {
      const int value = RandomNext();
      ASSERT_GE(value, 0) << "seed " << seed << " step " << i;
      ASSERT_LE(value, RANDOM_MAX) << "seed " << seed << " step " << i;
      if (value < lowest) lowest = value;
      if (value > highest) highest = value;
    }
    EXPECT_EQ(0, lowest) << "seed " << seed;
    EXPECT_EQ(RANDOM_MAX, highest) << "seed " << seed;
  }
}

TEST(RandomSeed, ReseedingRestartsTheSequence) {
  RandomSeed(42);
  const int first = RandomNext();
  const int second = RandomNext();
  RandomSeed(42);
  EXPECT_EQ(first, RandomNext());
  EXPECT_EQ(second, RandomNext());
}
