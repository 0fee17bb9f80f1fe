#include <gtest/gtest.h>

#include "settings/system_family.h"

TEST(IsNtFamilyVersion, OnlyWin32sAnd95_98_MeAreTheOlderFamily) {
  struct Case {
    SystemVersion version;
    bool expected;
    const char* name;
  };
  const Case cases[] = {
      {{true, PLATFORM_WIN32S, 3, 10}, false, "Win32s"},
      {{true, PLATFORM_WIN32S, 4, 0}, false, "Win32s reporting 4.0"},
      {{true, PLATFORM_WIN32_WINDOWS, 4, 0}, false, "Windows 95"},
      {{true, PLATFORM_WIN32_WINDOWS, 4, 10}, false, "Windows 98"},
      {{true, PLATFORM_WIN32_WINDOWS, 4, 90}, false, "Windows Me"},
      {{true, PLATFORM_WIN32_WINDOWS, 4, 1}, true, "platform 1, 4.1"},
      {{true, PLATFORM_WIN32_WINDOWS, 4, 9}, true, "platform 1, 4.9"},
      {{true, PLATFORM_WIN32_WINDOWS, 4, 91}, true, "platform 1, 4.91"},
      {{true, PLATFORM_WIN32_WINDOWS, 5, 0}, true, "platform 1, 5.0"},
      {{true, PLATFORM_WIN32_WINDOWS, 3, 10}, true, "platform 1, 3.10"},
      {{true, PLATFORM_WIN32_NT, 4, 0}, true, "NT 4.0"},
      {{true, PLATFORM_WIN32_NT, 4, 10}, true, "NT reporting 4.10"},
      {{true, PLATFORM_WIN32_NT, 10, 0}, true, "Windows 10"},
      {{true, 3, 0, 0}, true, "Windows CE"},
      {{true, 0xFFFFFFFFu, 4, 10}, true, "unknown platform"},
      {{false, PLATFORM_WIN32_NT, 10, 0}, false, "version could not be read"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, IsNtFamilyVersion(c.version)) << c.name;
  }
}
