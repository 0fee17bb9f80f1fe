#include <gtest/gtest.h>

#include <cstring>

#include "core/app_state.h"

namespace {
bool AllZero(const void* data, size_t size) {
  const auto* bytes = static_cast<const unsigned char*>(data);
  for (size_t i = 0; i < size; ++i) {
    if (bytes[i] != 0) return false;
  }
  return true;
}
}  // namespace

// The process-wide record as static initialisation leaves it, before start-up runs.
TEST(AppState, StartsWithItsThreeInitialValuesAndEverythingElseZero) {
  const AppState& s = appState;
  EXPECT_EQ(1001u, s.translationCode);
  EXPECT_EQ(1, s.autostartEnabled);
  EXPECT_EQ(131, s.pictureId);
  EXPECT_EQ(nullptr, s.instance);
  EXPECT_EQ(0u, s.referenceTimeLow);
  EXPECT_EQ(0u, s.referenceTimeHigh);
  EXPECT_TRUE(AllZero(s.windowTitle, sizeof s.windowTitle));
  EXPECT_TRUE(AllZero(s.windowClassName, sizeof s.windowClassName));
  EXPECT_TRUE(AllZero(s.verseText, sizeof s.verseText));
  EXPECT_TRUE(AllZero(s.verseReference, sizeof s.verseReference));
  EXPECT_EQ(nullptr, s.picture);
  EXPECT_EQ(0, s.newPictureRequested);
  EXPECT_EQ(0, s.translationChanged);
  EXPECT_TRUE(AllZero(&s.trayIcon, sizeof s.trayIcon));
  EXPECT_EQ(nullptr, s.nextButtonBitmap);
  EXPECT_EQ(nullptr, s.contextButtonBitmap);
  EXPECT_EQ(nullptr, s.goForthButtonBitmap);
}

TEST(AppState, ReferenceTimeSplitsIntoHalvesAndBackAsSigned) {
  const std::int64_t values[] = {0,  1,         0xFFFFFFFFLL, 0x100000000LL, 133000000000000000LL,
                                 -1, INT64_MIN, INT64_MAX};
  for (std::int64_t v : values) {
    AppState s = InitialAppState();
    SetReferenceTime(s, v);
    EXPECT_EQ(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v)), s.referenceTimeLow) << v;
    EXPECT_EQ(static_cast<std::uint32_t>(static_cast<std::uint64_t>(v) >> 32), s.referenceTimeHigh)
        << v;
    EXPECT_EQ(v, ReferenceTime(s)) << v;
  }
}
