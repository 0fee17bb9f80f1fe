#include "settings/settings_store.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <type_traits>

#include "app/app_state.h"
#include "app/local_time_win.h"
#include "settings/settings_rules.h"
#include "settings/system_family.h"

namespace {

struct RegistryKeyCloser {
  void operator()(HKEY key) const { RegCloseKey(key); }
};
using RegistryKey = std::unique_ptr<std::remove_pointer<HKEY>::type, RegistryKeyCloser>;

struct SettingsKey {
  RegistryKey key;
  DWORD disposition;
};

constexpr DWORD MODULE_PATH_CAPACITY = 260;

SettingsKey CreateSettingsKey(LONG* status) {
  HKEY key = nullptr;
  DWORD disposition = 0;
  *status =
      RegCreateKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, &disposition);
  if (*status != ERROR_SUCCESS) return {RegistryKey(), 0};
  return {RegistryKey(key), disposition};
}

// A key that could not be created but can be opened counts as an existing one.
SettingsKey CreateOrOpenSettingsKey() {
  LONG status = ERROR_SUCCESS;
  SettingsKey created = CreateSettingsKey(&status);
  if (status == ERROR_SUCCESS) return created;
  HKEY key = nullptr;
  if (RegOpenKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, &key) != ERROR_SUCCESS) key = nullptr;
  return {RegistryKey(key), REG_OPENED_EXISTING_KEY};
}

// The older family never falls back: a failed create counts as a key that was missing.
SettingsKey CreateOnlySettingsKey() {
  LONG status = ERROR_SUCCESS;
  return CreateSettingsKey(&status);
}

// A failed read leaves the field as it was; a stored value shorter than 4 bytes
// replaces only its own bytes of the field, and a longer one is never read.
void ReadValue(HKEY key, const char* name, void* field) {
  if (key == nullptr) return;
  unsigned char bytes[4] = {};
  const bool read = ReadWithRepeats([&] {
    // A failed call may have written into the buffer.
    std::memcpy(bytes, field, sizeof bytes);
    DWORD size = sizeof bytes;
    return RegQueryValueExA(key, name, nullptr, nullptr, bytes, &size) == ERROR_SUCCESS;
  });
  if (read) std::memcpy(field, bytes, sizeof bytes);
}

void WriteValue(HKEY key, const char* name, const void* field) {
  if (key == nullptr) return;
  RegSetValueExA(key, name, 0, REG_DWORD, static_cast<const BYTE*>(field), 4);
}

void ReadStoredSettings(HKEY key) {
  ReadValue(key, "timerlow", &appState.referenceTimeLow);
  ReadValue(key, "timerhigh", &appState.referenceTimeHigh);
  ReadValue(key, "autostart", &appState.autostartEnabled);
}

RegistryKey OpenKey(HKEY root, const char* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return RegistryKey();
  return RegistryKey(key);
}

RegistryKey CreateKey(HKEY root, const char* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &key,
                      nullptr) != ERROR_SUCCESS) {
    return RegistryKey();
  }
  return RegistryKey(key);
}

void DeleteAutostartValue(HKEY root) {
  RegistryKey run = OpenKey(root, RUN_KEY_PATH, KEY_SET_VALUE);
  if (run) RegDeleteValueA(run.get(), AUTOSTART_VALUE_NAME);
}

// The entry lives with the user who runs the program; one left under the machine's Run
// key by an earlier version would start the program for every user, so it goes.
void UpdateAutostartEntry() {
  DeleteAutostartValue(HKEY_LOCAL_MACHINE);
  char path[MODULE_PATH_CAPACITY] = {};
  const DWORD length = appState.autostartEnabled != 0
                           ? GetModuleFileNameA(appState.instance, path, MODULE_PATH_CAPACITY)
                           : 0;
  if (!ShouldWriteAutostart(length, MODULE_PATH_CAPACITY)) {
    DeleteAutostartValue(HKEY_CURRENT_USER);
    return;
  }
  // A fresh profile may not have a Run key yet.
  const RegistryKey run = CreateKey(HKEY_CURRENT_USER, RUN_KEY_PATH, KEY_SET_VALUE);
  if (!run) return;
  // Quoted: unquoted, a path with spaces ("C:\Program Files (x86)\...") is tried as
  // "C:\Program.exe" first. An unquoted entry of an earlier version is replaced here.
  char command[MODULE_PATH_CAPACITY + 2] = {};
  command[0] = '"';
  std::memcpy(command + 1, path, length);
  command[length + 1] = '"';
  RegSetValueExA(run.get(), AUTOSTART_VALUE_NAME, 0, REG_SZ, reinterpret_cast<const BYTE*>(command),
                 length + 3);
}

// Today at 05:00 with the seconds of this moment, then the defaults written out.
void RunFirstStart() {
  const SYSTEMTIME fiveOClock = ToSystemTime(AtFiveOClock(CurrentLocalTime()));
  FILETIME ticks{};
  SystemTimeToFileTime(&fiveOClock, &ticks);
  appState.referenceTimeLow = ticks.dwLowDateTime;
  appState.referenceTimeHigh = ticks.dwHighDateTime;
  SaveSettings();
  appState.translationCode = DEFAULT_TRANSLATION_CODE;
  SaveTranslationCode();
}

}  // namespace

bool IsNtFamilySystem() {
  static_assert(sizeof(OSVERSIONINFOEXA) == 156 && sizeof(OSVERSIONINFOA) == 148,
                "the version records have the sizes the system checks");
  OSVERSIONINFOEXA info{};
  info.dwOSVersionInfoSize = sizeof info;
#ifdef _MSC_VER
#pragma warning(push)
#pragma warning(disable : 4996)  // the old family is what we must tell apart
#endif
  BOOL known = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
  if (!known) {
    // Systems before the extended record refuse its size.
    info.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    known = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
  }
#ifdef _MSC_VER
#pragma warning(pop)
#endif
  return IsNtFamilyVersion(
      {known != FALSE, info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion});
}

void LoadSettingsNt() {
  SettingsKey settings = CreateOrOpenSettingsKey();
  if (settings.disposition == REG_CREATED_NEW_KEY) {
    settings.key.reset();
    RunFirstStart();
    return;
  }
  ReadStoredSettings(settings.key.get());
}

void LoadSettingsLegacy() {
  SettingsKey settings = CreateOnlySettingsKey();
  if (settings.disposition == REG_OPENED_EXISTING_KEY) {
    ReadStoredSettings(settings.key.get());
    return;
  }
  settings.key.reset();
  {
    HKEY again = nullptr;
    if (RegCreateKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, &again) != ERROR_SUCCESS) {
      again = nullptr;
    }
    const RegistryKey createdAgain(again);
  }
  RunFirstStart();
}

void LoadSettings() {
  if (IsNtFamilySystem()) {
    LoadSettingsNt();
  } else {
    LoadSettingsLegacy();
  }
}

void SaveSettings() {
  {
    const SettingsKey settings = CreateOrOpenSettingsKey();
    WriteValue(settings.key.get(), "timerlow", &appState.referenceTimeLow);
    WriteValue(settings.key.get(), "timerhigh", &appState.referenceTimeHigh);
    WriteValue(settings.key.get(), "autostart", &appState.autostartEnabled);
  }
  UpdateAutostartEntry();
}

void SaveTranslationCode() {
  const SettingsKey settings = CreateOrOpenSettingsKey();
  WriteValue(settings.key.get(), "version", &appState.translationCode);
}

void ReadTranslationCodeNt() {
  const SettingsKey settings = CreateOrOpenSettingsKey();
  if (settings.disposition == REG_CREATED_NEW_KEY) return;
  ReadValue(settings.key.get(), "version", &appState.translationCode);
}

void ReadTranslationCodeLegacy() {
  const SettingsKey settings = CreateOnlySettingsKey();
  if (settings.disposition == REG_OPENED_EXISTING_KEY) {
    ReadValue(settings.key.get(), "version", &appState.translationCode);
    return;
  }
  appState.translationCode = DEFAULT_TRANSLATION_CODE;
  WriteValue(settings.key.get(), "version", &appState.translationCode);
}

void ReadTranslationCode() {
  if (IsNtFamilySystem()) {
    ReadTranslationCodeNt();
  } else {
    ReadTranslationCodeLegacy();
  }
}
