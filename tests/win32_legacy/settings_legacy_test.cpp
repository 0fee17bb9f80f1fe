// Run with Wine reporting Windows 98 to this program (see tests/cmake/legacy_tests.cmake).
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/win32/settings/settings_fixture.h"
#include "core/app_state.h"
#include "settings/settings_store.h"
#include "settings/system_family.h"

using LegacySettings = SettingsRegistryTest;

TEST_F(LegacySettings, TheSystemReportsWindows98) {
  OSVERSIONINFOA info{};
  info.dwOSVersionInfoSize = sizeof info;
  ASSERT_TRUE(GetVersionExA(&info));
  EXPECT_EQ(1u, info.dwPlatformId);
  EXPECT_EQ(4u, info.dwMajorVersion);
  EXPECT_EQ(10u, info.dwMinorVersion);
  EXPECT_FALSE(IsNtFamilySystem());
}

TEST_F(LegacySettings, FirstStartWritesTheDefaultsAndTheAutostartEntry) {
  ASSERT_FALSE(SettingsKeyExists());
  appState.translationCode = 1012;
  LoadSettingsLegacy();
  EXPECT_NE(0, ReferenceTime(appState));
  EXPECT_EQ(std::to_string(appState.referenceTimeLow), DwordSetting("timerlow"));
  EXPECT_EQ(std::to_string(appState.referenceTimeHigh), DwordSetting("timerhigh"));
  EXPECT_EQ("1", DwordSetting("autostart"));
  EXPECT_EQ("1001", DwordSetting("version"));
  EXPECT_EQ(1001u, appState.translationCode);
  EXPECT_EQ(AutostartCommand(), AutostartEntry(HKEY_CURRENT_USER));
  EXPECT_EQ("missing", AutostartEntry(HKEY_LOCAL_MACHINE));

  // Through the dispatch as well.
  ClearState();
  appState = InitialAppState();
  LoadSettings();
  EXPECT_EQ(4, SettingsValueCount());
  EXPECT_EQ(std::to_string(appState.referenceTimeLow), DwordSetting("timerlow"));
}

TEST_F(LegacySettings, ExistingKeyIsReadAndNothingWritten) {
  PutSetting("timerlow", 0x11223344);
  PutSetting("timerhigh", 0x01DC0000);
  PutSetting("autostart", 0);
  PutSetting("version", 1006);
  LoadSettingsLegacy();
  EXPECT_EQ(0x11223344u, appState.referenceTimeLow);
  EXPECT_EQ(0x01DC0000u, appState.referenceTimeHigh);
  EXPECT_EQ(0, appState.autostartEnabled);
  EXPECT_EQ(1001u, appState.translationCode) << "loading does not read the code";
  ReadTranslationCodeLegacy();
  EXPECT_EQ(1006u, appState.translationCode);
  EXPECT_EQ(4, SettingsValueCount());
  EXPECT_EQ("missing", AutostartEntry(HKEY_CURRENT_USER));
}

TEST_F(LegacySettings, KeyWithoutValuesKeepsTheFields) {
  ASSERT_TRUE(CreateTestKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
  appState.translationCode = 1010;
  LoadSettingsLegacy();
  ReadTranslationCodeLegacy();
  EXPECT_EQ(0, ReferenceTime(appState));
  EXPECT_EQ(1, appState.autostartEnabled);
  EXPECT_EQ(1010u, appState.translationCode);
  EXPECT_EQ(0, SettingsValueCount());
}

TEST_F(LegacySettings, ReadingOnANewKeyResetsTheCodeAndWritesIt) {
  appState.translationCode = 1008;
  ReadTranslationCodeLegacy();
  EXPECT_EQ(1001u, appState.translationCode);
  EXPECT_EQ("1001", DwordSetting("version"));
  EXPECT_EQ(1, SettingsValueCount());
}

TEST_F(LegacySettings, KeyDeletedWhileRunningResetsTheCode) {
  LoadSettings();
  appState.translationCode = 1011;
  SaveTranslationCode();
  ReadTranslationCode();
  EXPECT_EQ(1011u, appState.translationCode);

  DeleteSettingsKey();
  ASSERT_FALSE(SettingsKeyExists());
  ReadTranslationCode();
  EXPECT_EQ(1001u, appState.translationCode);
  EXPECT_EQ("1001", DwordSetting("version"));
  EXPECT_EQ(1, SettingsValueCount());

  // The other family, on the same system, keeps the code in memory.
  DeleteSettingsKey();
  appState.translationCode = 1011;
  ReadTranslationCodeNt();
  EXPECT_EQ(1011u, appState.translationCode);
  EXPECT_EQ(0, SettingsValueCount());
}
