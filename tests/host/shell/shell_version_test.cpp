#include <gtest/gtest.h>

#include <cstdint>

#include "shell/shell_version.h"

namespace {
// The notification-icon record's sizes in the 32-bit program.
constexpr std::uint32_t FULL = 504;
constexpr std::uint32_t OLDER = 488;
}  // namespace

TEST(ShellVersion, PacksMajorAndMinorIntoTheUpperHalf) {
  struct Case {
    std::uint32_t major, minor;
    std::uint64_t expected;
  };
  const Case cases[] = {
      {0, 0, 0},
      {4, 71, 0x0004004700000000ull},
      {5, 0, 0x0005000000000000ull},
      {5, 80, 0x0005005000000000ull},
      {6, 0, 0x0006000000000000ull},
      {6, 1, 0x0006000100000000ull},
      {0xFFFF, 0xFFFF, 0xFFFFFFFF00000000ull},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, PackShellVersion(c.major, c.minor))
        << "for " << c.major << "." << c.minor;
  }
}

TEST(ShellVersion, ReplyCountsOnlyWithASuccessCode) {
  struct Case {
    std::int32_t status;
    std::uint64_t expected;
  };
  const Case cases[] = {
      {0, 0x0006000000000000ull},  // S_OK
      {1, 0x0006000000000000ull},  // S_FALSE is a success code
      {0x7FFFFFFF, 0x0006000000000000ull},
      {-1, 0},
      {static_cast<std::int32_t>(0x80004005u), 0},  // E_FAIL
      {static_cast<std::int32_t>(0x80070057u), 0},  // E_INVALIDARG
      {static_cast<std::int32_t>(0x80000000u), 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, ShellVersionFromReply(c.status, 6, 0)) << "status " << c.status;
  }
}

TEST(ShellVersion, RecordSizeFollowsTheMajorVersion) {
  struct Case {
    const char* what;
    std::uint64_t version;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"unknown (no library, no entry point, failed call)", 0, OLDER},
      {"4.0", PackShellVersion(4, 0), OLDER},
      {"4.71", PackShellVersion(4, 71), OLDER},
      {"4.72", PackShellVersion(4, 72), OLDER},
      {"4.65535, the highest 4.x", PackShellVersion(4, 0xFFFF), OLDER},
      {"4.71 with build bits set below", PackShellVersion(4, 71) | 0xFFFFFFFFull, OLDER},
      {"5.0", PackShellVersion(5, 0), FULL},
      {"5.80", PackShellVersion(5, 80), FULL},
      {"6.0", PackShellVersion(6, 0), FULL},
      {"6.1", PackShellVersion(6, 1), FULL},
      {"10.0", PackShellVersion(10, 0), FULL},
      {"65535.65535", PackShellVersion(0xFFFF, 0xFFFF), FULL},
      {"only the build bits set", 0xFFFFFFFFull, OLDER},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, TrayIconRecordSize(c.version, FULL, OLDER)) << c.what;
  }
}

TEST(ShellVersion, RecordSizeHandsBackTheSizesItIsGiven) {
  // The 64-bit program has larger records; the decision must not assume the 32-bit ones.
  EXPECT_EQ(520u, TrayIconRecordSize(PackShellVersion(6, 0), 520, 504));
  EXPECT_EQ(504u, TrayIconRecordSize(PackShellVersion(4, 71), 520, 504));
}
