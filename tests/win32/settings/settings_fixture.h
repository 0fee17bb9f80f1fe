#pragma once
// Registry helpers and a fixture for the tests of the settings store. Each test starts
// with no settings key and no autostart values, and the fixture puts back whatever the
// prefix held before, so tests neither see nor leave each other's state.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <optional>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/app_state.h"
#include "core/handles.h"
#include "settings/autostart.h"
#include "settings/settings_store.h"

using TestKey = RegistryKey;

inline TestKey OpenTestKey(HKEY root, const char* path, REGSAM access = KEY_READ) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return TestKey();
  return TestKey(key);
}

inline TestKey CreateTestKey(HKEY root, const char* path) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return TestKey();
  }
  return TestKey(key);
}

struct StoredValue {
  bool present;
  DWORD type;
  std::vector<unsigned char> bytes;
};

inline StoredValue QueryStoredValue(HKEY root, const char* path, const char* name) {
  StoredValue value{false, 0xDEADBEEF, {}};
  const TestKey key = OpenTestKey(root, path);
  if (!key) return value;
  DWORD size = 0;
  if (RegQueryValueExA(key.get(), name, nullptr, &value.type, nullptr, &size) != ERROR_SUCCESS) {
    return value;
  }
  value.bytes.assign(size, 0xBD);
  if (RegQueryValueExA(key.get(), name, nullptr, &value.type, value.bytes.data(), &size) ==
      ERROR_SUCCESS) {
    value.bytes.resize(size);
    value.present = true;
  }
  return value;
}

inline void PutStoredValue(HKEY root, const char* path, const char* name, DWORD type,
                           const void* data, DWORD size) {
  const TestKey key = CreateTestKey(root, path);
  ASSERT_TRUE(key) << "cannot create " << path;
  ASSERT_EQ(ERROR_SUCCESS,
            RegSetValueExA(key.get(), name, 0, type, static_cast<const BYTE*>(data), size))
      << name;
}

inline void PutSetting(const char* name, std::uint32_t value) {
  PutStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name, REG_DWORD, &value, 4);
}

inline void RemoveStoredValue(HKEY root, const char* path, const char* name) {
  const TestKey key = OpenTestKey(root, path, KEY_SET_VALUE);
  if (key) RegDeleteValueA(key.get(), name);
}

inline bool SettingsKeyExists() {
  return static_cast<bool>(OpenTestKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH));
}

// Number of values under the settings key; -1 when the key is missing.
inline int SettingsValueCount() {
  const TestKey key = OpenTestKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
  if (!key) return -1;
  DWORD count = 0;
  if (RegQueryInfoKeyA(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count,
                       nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
    return -1;
  }
  return static_cast<int>(count);
}

inline void DeleteSettingsKey() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH); }

// The value as a 32-bit number, or a marker that says why it is not one.
inline std::string DwordSetting(const char* name) {
  const StoredValue value = QueryStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name);
  if (!value.present) return "missing";
  if (value.type != REG_DWORD || value.bytes.size() != 4) {
    return "type " + std::to_string(value.type) + ", " + std::to_string(value.bytes.size()) +
           " bytes";
  }
  std::uint32_t number = 0;
  std::memcpy(&number, value.bytes.data(), 4);
  return std::to_string(number);
}

// The autostart value under `root`, as the string it stores with its terminating zero
// (a missing zero shows as a missing last character), or "missing".
inline std::string AutostartEntry(HKEY root) {
  const StoredValue value = QueryStoredValue(root, RUN_KEY_PATH, AUTOSTART_VALUE_NAME);
  if (!value.present) return "missing";
  if (value.type != REG_SZ) return "type " + std::to_string(value.type);
  if (value.bytes.empty() || value.bytes.back() != 0) return "no terminating zero";
  return std::string(value.bytes.begin(), value.bytes.end() - 1);
}

inline std::string ThisModulePath() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  return path;
}

// What the autostart entry holds: the path in quotes, so that spaces in it cannot make
// the system start another program.
inline std::string AutostartCommand() { return '"' + ThisModulePath() + '"'; }

// The mended autostart entry lives with the user; the machine's is only ever removed.
inline std::array<HKEY, 2> RunRoots() { return {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}; }

// The names the program stores under the settings key.
inline constexpr const char* SETTING_NAMES[5] = {"timerlow", "timerhigh", "autostart", "version",
                                                 HIDE_TIP_VALUE_NAME};
inline constexpr char VENDOR_KEY_PATH[] = "Software\\" SETTINGS_VENDOR;

inline void RestoreStoredValue(HKEY root, const char* path, const char* name,
                               const StoredValue& value) {
  if (!value.present) {
    RemoveStoredValue(root, path, name);
    return;
  }
  PutStoredValue(root, path, name, value.type, value.bytes.data(),
                 static_cast<DWORD>(value.bytes.size()));
}

// The settings key with every value in it, the vendor key above it, both autostart entries
// and AppState, put back as they were when the guard goes. In between the test starts
// from a machine that never ran the program, so tests neither see nor leave each other's
// state.
class SettingsGuard {
 public:
  SettingsGuard()
      : vendorExisted_(static_cast<bool>(OpenTestKey(HKEY_LOCAL_MACHINE, VENDOR_KEY_PATH))),
        keyExisted_(SettingsKeyExists()),
        state_(new AppState(appState)) {
    if (const TestKey key = OpenTestKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH)) {
      char name[256];
      for (DWORD index = 0, size = sizeof name;
           RegEnumValueA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) ==
           ERROR_SUCCESS;
           ++index, size = sizeof name) {
        settings_.push_back({name, QueryStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name)});
      }
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      entries_[i] = QueryStoredValue(RunRoots()[i], RUN_KEY_PATH, AUTOSTART_VALUE_NAME);
    }
    Clear();
    appState = InitialAppState();
  }
  SettingsGuard(const SettingsGuard&) = delete;
  SettingsGuard& operator=(const SettingsGuard&) = delete;
  ~SettingsGuard() {
    Clear();
    if (keyExisted_) CreateTestKey(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    for (const auto& [name, value] : settings_) {
      RestoreStoredValue(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, name.c_str(), value);
    }
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      RestoreStoredValue(RunRoots()[i], RUN_KEY_PATH, AUTOSTART_VALUE_NAME, entries_[i]);
    }
    if (vendorExisted_) {
      CreateTestKey(HKEY_LOCAL_MACHINE, VENDOR_KEY_PATH);
    } else {
      RegDeleteKeyA(HKEY_LOCAL_MACHINE, VENDOR_KEY_PATH);
    }
    appState = *state_;
  }

  static void Clear() {
    RegDeleteTreeA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH);
    for (HKEY root : RunRoots()) RemoveStoredValue(root, RUN_KEY_PATH, AUTOSTART_VALUE_NAME);
  }

 private:
  bool vendorExisted_;
  bool keyExisted_;
  std::unique_ptr<AppState> state_;
  std::vector<std::pair<std::string, StoredValue>> settings_;
  std::array<StoredValue, 2> entries_;
};

class SettingsRegistryTest : public ::testing::Test {
 protected:
  void SetUp() override { guard_.emplace(); }
  void TearDown() override { guard_.reset(); }
  static void ClearState() { SettingsGuard::Clear(); }

 private:
  std::optional<SettingsGuard> guard_;
};
