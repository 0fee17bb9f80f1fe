#include <gtest/gtest.h>

#include "settings/settings_rules.h"

TEST(ReadWithRepeats, OneCallAndUpToTenRepeatsWhileFailing) {
  struct Case {
    int failuresBeforeSuccess;
    int expectedCalls;
    bool expectedResult;
  };
  const Case cases[] = {{0, 1, true},   {1, 2, true},    {9, 10, true},
                        {10, 11, true}, {11, 11, false}, {1000, 11, false}};
  for (const Case& c : cases) {
    int calls = 0;
    const bool result = ReadWithRepeats([&] { return ++calls > c.failuresBeforeSuccess; });
    EXPECT_EQ(c.expectedCalls, calls) << "failing " << c.failuresBeforeSuccess << " times";
    EXPECT_EQ(c.expectedResult, result) << "failing " << c.failuresBeforeSuccess << " times";
  }
}

TEST(ShouldWriteAutostart, OnlyAWholePathIsWritten) {
  struct Case {
    std::size_t length;
    std::size_t capacity;
    bool expected;
  };
  // The system reports a path that did not fit as filling the buffer.
  const Case cases[] = {{0, 260, false},   {1, 260, true}, {259, 260, true}, {260, 260, false},
                        {261, 260, false}, {30, 31, true}, {31, 31, false},  {0, 0, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ShouldWriteAutostart(c.length, c.capacity))
        << "length " << c.length << ", capacity " << c.capacity;
  }
}
