#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "core/app_state.h"
#include "core/local_time_win.h"
#include "settings/autostart.h"
#include "settings/settings_store.h"
#include "settings/system_family.h"
#include "tests/win32/settings/settings_fixture.h"

namespace {

std::int64_t FiveOClockTicks(const LocalTime& moment) {
  const SYSTEMTIME fiveOClock = ToSystemTime(AtFiveOClock(moment));
  FILETIME ticks{};
  EXPECT_TRUE(SystemTimeToFileTime(&fiveOClock, &ticks));
  return static_cast<std::int64_t>((static_cast<std::uint64_t>(ticks.dwHighDateTime) << 32) |
                                   ticks.dwLowDateTime);
}

// Fields no load may touch unless it read a value: a change shows.
void FillFieldsWithSentinels() {
  appState.referenceTimeLow = 0xDEADBEEF;
  appState.referenceTimeHigh = 0xCAFEF00D;
  appState.autostartEnabled = 0x5A5A5A5A;
  appState.translationCode = 0xBDBDBDBD;
}

}  // namespace

using SettingsStore = SettingsRegistryTest;

TEST_F(SettingsStore, WineReportsTheNtFamily) { EXPECT_TRUE(IsNtFamilySystem()); }

TEST_F(SettingsStore, FirstStartWritesTheDefaultsAndTheAutostartEntry) {
  ASSERT_FALSE(SettingsKeyExists());
  const LocalTime before = CurrentLocalTime();
  LoadSettings();
  const LocalTime after = CurrentLocalTime();
  if (before.day != after.day) GTEST_SKIP() << "the date changed during the test";

  EXPECT_EQ(std::to_string(appState.referenceTimeLow), DwordSetting("timerlow"));
  EXPECT_EQ(std::to_string(appState.referenceTimeHigh), DwordSetting("timerhigh"));
  EXPECT_EQ("1", DwordSetting("autostart"));
  EXPECT_EQ("1001", DwordSetting("version"));
  EXPECT_EQ(4, SettingsValueCount());
  EXPECT_EQ(1001u, appState.translationCode);
  EXPECT_EQ(1, appState.autostartEnabled);

  // Today at 05:00, with the seconds and milliseconds of the moment of the start.
  const std::int64_t stored = ReferenceTime(appState);
  EXPECT_LE(FiveOClockTicks(before), stored);
  EXPECT_GE(FiveOClockTicks(after), stored);
  FILETIME storedTicks{appState.referenceTimeLow, appState.referenceTimeHigh};
  SYSTEMTIME storedTime{};
  ASSERT_TRUE(FileTimeToSystemTime(&storedTicks, &storedTime));
  EXPECT_EQ(5, storedTime.wHour);
  EXPECT_EQ(0, storedTime.wMinute);
  EXPECT_EQ(before.day, storedTime.wDay);

  EXPECT_EQ(AutostartCommand(), AutostartEntry(HKEY_CURRENT_USER));
  EXPECT_EQ("missing", AutostartEntry(HKEY_LOCAL_MACHINE));
}

TEST_F(SettingsStore, KeyWithoutValuesWritesNothingAndLeavesTheFields) {
  ASSERT_TRUE(CreateTestKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
  FillFieldsWithSentinels();
  LoadSettings();
  EXPECT_EQ(0, SettingsValueCount());
  EXPECT_EQ(0xDEADBEEFu, appState.referenceTimeLow);
  EXPECT_EQ(0xCAFEF00Du, appState.referenceTimeHigh);
  EXPECT_EQ(0x5A5A5A5A, appState.autostartEnabled);
  EXPECT_EQ(0xBDBDBDBDu, appState.translationCode);
  EXPECT_EQ("missing", AutostartEntry(HKEY_CURRENT_USER));

  // From the process's first values, as at a real start.
  appState = InitialAppState();
  LoadSettings();
  EXPECT_EQ(0, ReferenceTime(appState));
  EXPECT_EQ(1, appState.autostartEnabled);
  ReadTranslationCode();
  EXPECT_EQ(1001u, appState.translationCode);
  EXPECT_EQ(0, SettingsValueCount());
}

// Whatever 4 bytes are stored become the field, whatever their type; a longer value
// is never read, and a shorter one replaces only its own bytes.
TEST_F(SettingsStore, ReadsAnyValueOfFourBytesAndNoLongerOne) {
  struct Case {
    const char* name;
    const char* valueName;
    DWORD type;
    std::string bytes;
    std::uint32_t expected;
  };
  const Case cases[] = {
      {"timerlow as REG_DWORD", "timerlow", REG_DWORD, std::string("\x78\x56\x34\x12", 4),
       0x12345678},
      {"timerhigh as REG_DWORD", "timerhigh", REG_DWORD, std::string("\x00\x00\xD0\x01", 4),
       0x01D00000},
      {"autostart 0", "autostart", REG_DWORD, std::string(4, '\0'), 0},
      {"autostart as REG_BINARY of 4 bytes", "autostart", REG_BINARY,
       std::string("\x01\x00\x00\x00", 4), 1},
      {"version 1014", "version", REG_DWORD, std::string("\xF6\x03\x00\x00", 4), 1014},
      {"version as REG_SZ of 4 bytes", "version", REG_SZ, std::string("abc\0", 4), 0x00636261},
      {"version as REG_BINARY of 4 bytes", "version", REG_BINARY,
       std::string("\xE9\x03\x00\x00", 4), 1001},
      {"version as REG_BINARY of 5 bytes", "version", REG_BINARY,
       std::string("\xE9\x03\x00\x00\x00", 5), 0xBDBDBDBD},
      {"version as REG_SZ of 5 bytes", "version", REG_SZ, std::string("abcd\0", 5), 0xBDBDBDBD},
      {"version as REG_BINARY of 2 bytes", "version", REG_BINARY, std::string("\x34\x12", 2),
       0xBDBD1234},
      {"timerlow as REG_QWORD", "timerlow", REG_QWORD, std::string(8, '\x01'), 0xDEADBEEF},
  };
  for (const Case& c : cases) {
    ClearState();
    PutStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, c.valueName, c.type, c.bytes.data(),
                   static_cast<DWORD>(c.bytes.size()));
    FillFieldsWithSentinels();
    std::uint32_t seen = 0;
    const std::string valueName = c.valueName;
    if (valueName == "version") {
      ReadTranslationCode();
      seen = appState.translationCode;
    } else {
      LoadSettings();
      seen = valueName == "timerlow"    ? appState.referenceTimeLow
             : valueName == "timerhigh" ? appState.referenceTimeHigh
                                        : static_cast<std::uint32_t>(appState.autostartEnabled);
    }
    EXPECT_EQ(c.expected, seen) << c.name << std::hex << ": saw 0x" << seen;
    EXPECT_EQ(1, SettingsValueCount()) << c.name << ": nothing else is written";
  }
}

TEST_F(SettingsStore, SaveWritesTheThreeValuesAndTheEntry) {
  appState.referenceTimeLow = 0x89ABCDEF;
  appState.referenceTimeHigh = 0x01DB0000;
  appState.autostartEnabled = 1;
  appState.translationCode = 1009;
  SaveSettings();
  EXPECT_EQ(std::to_string(0x89ABCDEFu), DwordSetting("timerlow"));
  EXPECT_EQ(std::to_string(0x01DB0000u), DwordSetting("timerhigh"));
  EXPECT_EQ("1", DwordSetting("autostart"));
  EXPECT_EQ("missing", DwordSetting("version"));
  EXPECT_EQ(AutostartCommand(), AutostartEntry(HKEY_CURRENT_USER));

  SaveTranslationCode();
  EXPECT_EQ("1009", DwordSetting("version"));
  EXPECT_EQ(4, SettingsValueCount());
}

TEST_F(SettingsStore, ClearedAutostartRemovesTheEntryAndAMachineEntry) {
  struct Case {
    const char* name;
    std::int32_t autostart;
    bool plantUser;
    bool plantMachine;
    const char* expectedUser;  // nullptr: this program's quoted path, "": the planted one
    bool pathFails = false;
  };
  const Case cases[] = {
      {"off, both planted", 0, true, true, "missing"},
      {"off, none planted", 0, false, false, "missing"},
      {"off, only the machine's", 0, false, true, "missing"},
      {"on, an old unquoted user entry is quoted", 1, true, true, nullptr},
      {"on, any non-zero value", -7, false, true, nullptr},
      // Without the program's path the user's entry stays as it was, never removed.
      {"on, no path to be had", 1, true, true, "", true},
  };
  // What earlier versions wrote: the path without quotes.
  const std::string stale = ThisModulePath();
  const DWORD staleSize = static_cast<DWORD>(stale.size() + 1);
  for (const Case& c : cases) {
    ClearState();
    if (c.plantUser) {
      PutStoredValue(HKEY_CURRENT_USER, RUN_KEY_PATH, AUTOSTART_VALUE_NAME, REG_SZ, stale.c_str(),
                     staleSize);
    }
    if (c.plantMachine) {
      PutStoredValue(HKEY_LOCAL_MACHINE, RUN_KEY_PATH, AUTOSTART_VALUE_NAME, REG_SZ, stale.c_str(),
                     staleSize);
    }
    appState.autostartEnabled = c.autostart;
    // A handle of no module: the path cannot be had.
    appState.instance = c.pathFails ? reinterpret_cast<HINSTANCE>(0x10) : nullptr;
    SaveSettings();
    const std::string expected = !c.expectedUser   ? AutostartCommand()
                                 : *c.expectedUser ? c.expectedUser
                                                   : stale;
    EXPECT_EQ(expected, AutostartEntry(HKEY_CURRENT_USER)) << c.name;
    EXPECT_EQ("missing", AutostartEntry(HKEY_LOCAL_MACHINE)) << c.name;
    EXPECT_EQ(std::to_string(static_cast<std::uint32_t>(c.autostart)), DwordSetting("autostart"))
        << c.name;
  }
}

TEST_F(SettingsStore, TranslationCodeFollowsTheRegistry) {
  appState.translationCode = 1005;
  ReadTranslationCode();
  EXPECT_EQ(1005u, appState.translationCode) << "a new key: nothing read";
  EXPECT_EQ(0, SettingsValueCount()) << "a new key: nothing written";

  PutSetting("version", 1014);
  ReadTranslationCode();
  EXPECT_EQ(1014u, appState.translationCode);

  PutSetting("version", 1003);
  ReadTranslationCode();
  EXPECT_EQ(1003u, appState.translationCode) << "a change behind the program's back";
}

TEST_F(SettingsStore, KeyDeletedWhileRunningIsRecreatedEmptyAndTheCodeKept) {
  LoadSettings();
  appState.translationCode = 1007;
  SaveTranslationCode();
  DeleteSettingsKey();
  ASSERT_FALSE(SettingsKeyExists());

  ReadTranslationCodeNt();
  EXPECT_EQ(1007u, appState.translationCode);
  EXPECT_EQ(0, SettingsValueCount());
}
