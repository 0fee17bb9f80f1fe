// The settings store against a registry that someone else has been at: values of the
// wrong type, too long or empty, values and the key removed while the program runs, and
// a key nobody may read. The program must go on, keep what it holds in memory, and put
// the user's settings back at the next save.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "card/change_card.h"
#include "core/app_state.h"
#include "core/handles.h"
#include "settings/autostart.h"
#include "settings/settings_store.h"
#include "tests/win32/settings/settings_fixture.h"

namespace {

constexpr std::uint32_t SENTINEL = 0xBDBDBDBD;

TestKey OpenKey(const char* path, REGSAM access) {
  return OpenTestKey(HKEY_LOCAL_MACHINE, path, access);
}

// The settings the user chose, as stored before each test.
struct UserSettings {
  std::uint32_t timerLow;
  std::uint32_t timerHigh;
  std::uint32_t autostart;
  std::uint32_t version;
  std::uint32_t hideTip;
};
constexpr UserSettings USER = {0x89ABCDEF, 0x01DC1234, 0, 1009, 1};

// One value of the settings key with the AppState field it is read into.
struct Setting {
  const char* name;
  void* field;
  std::uint32_t userValue;
};

std::vector<Setting> Settings() {
  return {{"timerlow", &appState.referenceTimeLow, USER.timerLow},
          {"timerhigh", &appState.referenceTimeHigh, USER.timerHigh},
          {"autostart", &appState.autostartEnabled, USER.autostart},
          {"version", &appState.translationCode, USER.version},
          {HIDE_TIP_VALUE_NAME, &appState.hideTipShown, USER.hideTip}};
}

std::uint32_t FieldValue(const Setting& setting) {
  std::uint32_t value = 0;
  std::memcpy(&value, setting.field, sizeof value);
  return value;
}

void SetField(const Setting& setting, std::uint32_t value) {
  std::memcpy(setting.field, &value, sizeof value);
}

void PutValue(const char* name, DWORD type, const void* data, DWORD size) {
  PutStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name, type, data, size);
}

void PutUserSettings() {
  for (const Setting& setting : Settings()) {
    PutValue(setting.name, REG_DWORD, &setting.userValue, 4);
  }
}

void DeleteValue(const char* name) {
  RemoveStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name);
}

// "type:size:number" for a stored value, so a wrong type or size shows in the message.
std::string Stored(const char* name) {
  const TestKey key = OpenKey(SETTINGS_KEY_PATH, KEY_QUERY_VALUE);
  if (!key) return "no key";
  DWORD type = 0xDEADBEEF;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
    return "missing";
  }
  std::vector<BYTE> bytes(size + 1, 0xBD);
  if (RegQueryValueExA(key.get(), name, nullptr, &type, bytes.data(), &size) != ERROR_SUCCESS) {
    return "unreadable";
  }
  std::uint32_t number = 0;
  if (size == 4) std::memcpy(&number, bytes.data(), 4);
  return std::to_string(type) + ":" + std::to_string(size) + ":" + std::to_string(number);
}

std::string AsDword(std::uint32_t value) { return "4:4:" + std::to_string(value); }

// Every setting stored as the 4-byte REG_DWORD of its field: a save kept everything.
void ExpectStoredAsFields(const std::string& context) {
  for (const Setting& setting : Settings()) {
    EXPECT_EQ(AsDword(FieldValue(setting)), Stored(setting.name))
        << context << ": " << setting.name;
  }
}

// What the program does with the settings during a run: start-up, a verse choice, and
// a save (Go Forth, or OK in the Options dialog; the first hide writes its own value).
void SaveAll() {
  SaveSettings();
  SaveTranslationCode();
  SaveHideTipShown();
}

void DeleteTree(const char* path) { RegDeleteTreeA(HKEY_LOCAL_MACHINE, path); }

class RegistryAbuse : public SettingsRegistryTest {
 protected:
  void SetUp() override {
    SettingsRegistryTest::SetUp();
    PutUserSettings();
  }
};

// Reads `setting` the way the program does: the three at start-up, "version" at every
// verse choice.
void ReadTheWayTheProgramDoes(const Setting& setting) {
  if (std::strcmp(setting.name, "version") == 0) {
    ChooseVerse();
  } else {
    LoadSettings();
  }
}

struct Abuse {
  const char* what;
  DWORD type;
  std::string bytes;
  std::uint32_t expected;  // the field afterwards; SENTINEL: left as it was
};

std::string Repeat(char c, std::size_t count) { return std::string(count, c); }

// Each value in turn, stored wrongly with the three others left as the user set them:
// exactly 4 bytes are taken whatever their type, a shorter value only its own bytes,
// and anything longer or not a value at all leaves the field as it was.
TEST_F(RegistryAbuse, EveryValueStoredWronglyIsSurvivedAndRepairedAtTheNextSave) {
  const Abuse abuses[] = {
      {"REG_SZ of 4 bytes", REG_SZ, std::string("abc\0", 4), 0x00636261},
      {"REG_EXPAND_SZ of 4 bytes", REG_EXPAND_SZ, std::string("%a%\0", 4), 0x00256125},
      {"REG_MULTI_SZ of 4 bytes", REG_MULTI_SZ, std::string("ab\0\0", 4), 0x00006261},
      {"REG_BINARY of 4 bytes", REG_BINARY, "\x01\x02\x03\x04", 0x04030201},
      {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, std::string("\x00\x00\x03\xE9", 4),
       0xE9030000},
      {"REG_NONE of 4 bytes", REG_NONE, "\xFF\xFF\xFF\xFF", 0xFFFFFFFF},
      {"REG_DWORD of 5 bytes", REG_DWORD, std::string("\xE9\x03\x00\x00\x00", 5), SENTINEL},
      {"REG_QWORD", REG_QWORD, std::string("\x01\x00\x00\x00\x00\x00\x00\x00", 8), SENTINEL},
      {"REG_SZ of 300 bytes", REG_SZ, Repeat('9', 299) + std::string(1, '\0'), SENTINEL},
      {"REG_BINARY of 1 MB", REG_BINARY, Repeat('\x7F', 1 << 20), SENTINEL},
      {"REG_DWORD of 0 bytes", REG_DWORD, "", SENTINEL},
      {"REG_SZ of 0 bytes", REG_SZ, "", SENTINEL},
      {"REG_BINARY of 2 bytes", REG_BINARY, "\x34\x12", 0xBDBD1234},
      {"empty REG_SZ with its terminator", REG_SZ, std::string(1, '\0'), 0xBDBDBD00},
  };
  for (const Setting& setting : Settings()) {
    for (const Abuse& abuse : abuses) {
      const std::string context = std::string(setting.name) + " as " + abuse.what;
      PutUserSettings();
      PutValue(setting.name, abuse.type, abuse.bytes.data(),
               static_cast<DWORD>(abuse.bytes.size()));
      // Start-up reads the three timer and autostart values afresh; a verse choice
      // finds them as start-up left them.
      const bool isVersion = std::strcmp(setting.name, "version") == 0;
      for (const Setting& any : Settings()) {
        SetField(any, isVersion && any.field != setting.field ? any.userValue : SENTINEL);
      }
      appState.translationCode = isVersion ? SENTINEL : USER.version;
      std::memset(appState.verseText, 0, sizeof appState.verseText);

      ReadTheWayTheProgramDoes(setting);
      EXPECT_EQ(abuse.expected, FieldValue(setting))
          << context << std::hex << ": saw 0x" << FieldValue(setting);
      for (const Setting& other : Settings()) {
        if (other.field == setting.field) continue;
        EXPECT_EQ(other.userValue, FieldValue(other)) << context << ": " << other.name;
      }
      if (isVersion) {
        EXPECT_NE('\0', appState.verseText[0]) << context << ": a verse for any code";
      }

      // The next save writes what the program holds, as 4-byte numbers again.
      if (abuse.expected == SENTINEL) SetField(setting, setting.userValue);
      SaveAll();
      ExpectStoredAsFields(context);
      if (abuse.expected == SENTINEL) {
        EXPECT_EQ(AsDword(setting.userValue), Stored(setting.name))
            << context << ": the user's value is back";
      }
    }
  }
}

// A key where a value should be reads as no value.
TEST_F(RegistryAbuse, ASubkeyInPlaceOfAValueLeavesTheField) {
  for (const Setting& setting : Settings()) {
    DeleteValue(setting.name);
    ASSERT_TRUE(CreateTestKey(HKEY_LOCAL_MACHINE,
                              (std::string(SETTINGS_KEY_PATH) + "\\" + setting.name).c_str()));
    SetField(setting, SENTINEL);
    ReadTheWayTheProgramDoes(setting);
    EXPECT_EQ(SENTINEL, FieldValue(setting)) << setting.name;
    SetField(setting, setting.userValue);
    SaveAll();
    EXPECT_EQ(AsDword(setting.userValue), Stored(setting.name)) << setting.name;
  }
}

// After start-up the values, then the whole key, then its parent go; each verse choice
// keeps the translation in memory, and the next save puts everything back.
TEST_F(RegistryAbuse, SettingsDeletedWhileRunningAreWrittenBackByTheNextSave) {
  struct Removal {
    const char* what;
    void (*remove)();
  };
  const Removal removals[] = {
      {"timerlow", [] { DeleteValue("timerlow"); }},
      {"timerhigh", [] { DeleteValue("timerhigh"); }},
      {"autostart", [] { DeleteValue("autostart"); }},
      {"version", [] { DeleteValue("version"); }},
      {"every value",
       [] {
         for (const char* name : SETTING_NAMES) {
           DeleteValue(name);
         }
       }},
      {"the settings key", [] { DeleteTree(SETTINGS_KEY_PATH); }},
      {"the vendor key", [] { DeleteTree(VENDOR_KEY_PATH); }},
  };
  for (const Removal& removal : removals) {
    DeleteTree(SETTINGS_KEY_PATH);
    PutUserSettings();
    appState = InitialAppState();
    LoadSettings();
    ChooseVerse();
    for (const Setting& setting : Settings()) {
      ASSERT_EQ(setting.userValue, FieldValue(setting)) << removal.what << ": " << setting.name;
    }

    removal.remove();
    ChooseVerse();
    ChooseVerse();
    EXPECT_EQ(USER.version, appState.translationCode) << "after removing " << removal.what;
    EXPECT_NE('\0', appState.verseText[0]) << "after removing " << removal.what;

    SaveAll();
    for (const Setting& setting : Settings()) {
      EXPECT_EQ(AsDword(setting.userValue), Stored(setting.name))
          << "after removing " << removal.what << ": " << setting.name;
    }
  }
}

// The DACL of the settings key, taken away and given back.
class LockedSettingsKey {
 public:
  LockedSettingsKey() {
    const TestKey key = OpenKey(SETTINGS_KEY_PATH, READ_CONTROL | WRITE_DAC);
    if (!key) return;
    DWORD size = 0;
    RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, nullptr, &size);
    saved_.resize(size);
    if (size == 0 || RegGetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, saved_.data(),
                                       &size) != ERROR_SUCCESS) {
      saved_.clear();
      return;
    }
    // An empty DACL grants nothing to anyone; the owner keeps only the right to change it.
    ACL empty{};
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SECURITY_DESCRIPTOR denyAll{};
    InitializeSecurityDescriptor(&denyAll, SECURITY_DESCRIPTOR_REVISION);
    SetSecurityDescriptorDacl(&denyAll, TRUE, &empty, FALSE);
    locked_ = RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION, &denyAll) == ERROR_SUCCESS;
  }

  ~LockedSettingsKey() { Unlock(); }

  LockedSettingsKey(const LockedSettingsKey&) = delete;
  LockedSettingsKey& operator=(const LockedSettingsKey&) = delete;

  bool Locked() const { return locked_; }

  void Unlock() {
    if (!locked_) return;
    const TestKey key = OpenKey(SETTINGS_KEY_PATH, WRITE_DAC);
    ASSERT_TRUE(key) << "the owner can no longer change the key's DACL";
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetKeySecurity(key.get(), DACL_SECURITY_INFORMATION,
                                reinterpret_cast<PSECURITY_DESCRIPTOR>(saved_.data())));
    locked_ = false;
  }

 private:
  std::vector<BYTE> saved_;
  bool locked_ = false;
};

// Whether the registry enforces the lock: nobody may read values of the locked key.
bool LockIsEnforced() {
  const TestKey key = OpenKey(SETTINGS_KEY_PATH, KEY_QUERY_VALUE);
  return !key;
}

// Nobody may read or write the key: start-up is not taken for a first run, the program
// goes on with what it holds, no save can spoil what the user had stored, and once the
// key is readable again everything is as the user left it.
TEST_F(RegistryAbuse, UnreadableKeyChangesNothingOnEitherSide) {
  LockedSettingsKey lock;
  ASSERT_TRUE(lock.Locked()) << "RegSetKeySecurity refused the deny-all DACL";
  if (!LockIsEnforced()) GTEST_SKIP() << "this registry ignores key DACLs";

  for (const Setting& setting : Settings()) SetField(setting, SENTINEL);
  LoadSettings();
  for (const Setting& setting : Settings()) {
    EXPECT_EQ(SENTINEL, FieldValue(setting)) << "start-up: " << setting.name;
  }

  appState.translationCode = 1004;
  ChooseVerse();
  EXPECT_EQ(1004u, appState.translationCode) << "a verse choice keeps the code in memory";
  EXPECT_NE('\0', appState.verseText[0]);

  appState.referenceTimeLow = 1;
  appState.referenceTimeHigh = 2;
  appState.autostartEnabled = 1;
  SaveAll();

  lock.Unlock();
  for (const Setting& setting : Settings()) {
    EXPECT_EQ(AsDword(setting.userValue), Stored(setting.name))
        << "the user's " << setting.name << " after the locked saves";
  }

  // The next save after the key opens up again writes what the program held.
  SaveAll();
  ExpectStoredAsFields("after unlocking");
}

// Locked while the program runs: the settings read at start-up stay in memory through
// verse choices and failed saves, and reach the key once it can be written again.
TEST_F(RegistryAbuse, KeyLockedWhileRunningKeepsTheSettingsInMemory) {
  LoadSettings();
  ChooseVerse();
  for (const Setting& setting : Settings()) {
    ASSERT_EQ(setting.userValue, FieldValue(setting)) << setting.name;
  }

  LockedSettingsKey lock;
  ASSERT_TRUE(lock.Locked());
  if (!LockIsEnforced()) GTEST_SKIP() << "this registry ignores key DACLs";
  for (int choice = 0; choice < 3; ++choice) ChooseVerse();
  appState.autostartEnabled = 1;
  SaveAll();
  for (const Setting& setting : Settings()) {
    if (std::strcmp(setting.name, "autostart") == 0) continue;
    EXPECT_EQ(setting.userValue, FieldValue(setting)) << "while locked: " << setting.name;
  }

  lock.Unlock();
  SaveAll();
  ExpectStoredAsFields("after unlocking");
  EXPECT_EQ(AsDword(1), Stored("autostart"));
}

}  // namespace
