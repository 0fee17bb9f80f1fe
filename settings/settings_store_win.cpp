#include "settings/settings_store.h"

#include <cstdint>
#include <cstring>

#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "core/local_time_win.h"
#include "core/rollover.h"
#include "settings/autostart.h"
#include "settings/settings_rules.h"
#include "settings/system_family.h"

namespace {

struct SettingsKey {
  RegistryKey key;
  DWORD disposition;
};

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
  const LONG opened = RegOpenKeyA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, &key);
  if (opened != ERROR_SUCCESS) {
    ReportFailure("RegOpenKeyA", opened);
    key = nullptr;
  }
  return {RegistryKey(key), REG_OPENED_EXISTING_KEY};
}

// The older family never falls back: a failed create counts as a key that was missing.
SettingsKey CreateOnlySettingsKey() {
  LONG status = ERROR_SUCCESS;
  SettingsKey created = CreateSettingsKey(&status);
  if (status != ERROR_SUCCESS) ReportFailure("RegCreateKeyExA", status);
  return created;
}

// A failed read leaves the field as it was; a stored value shorter than 4 bytes
// replaces only its own bytes of the field, and a longer one is never read.
void ReadValue(HKEY key, const char* name, void* field) {
  if (key == nullptr) return;
  unsigned char bytes[4] = {};
  LONG status = ERROR_SUCCESS;
  const bool read = ReadWithRepeats([&] {
    // A failed call may have written into the buffer.
    std::memcpy(bytes, field, sizeof bytes);
    DWORD size = sizeof bytes;
    status = RegQueryValueExA(key, name, nullptr, nullptr, bytes, &size);
    return status == ERROR_SUCCESS;
  });
  if (read) {
    std::memcpy(field, bytes, sizeof bytes);
  } else {
    ReportFailure("RegQueryValueExA", status);
  }
}

void WriteValue(HKEY key, const char* name, const void* field) {
  if (key == nullptr) return;
  const LONG status = RegSetValueExA(key, name, 0, REG_DWORD, static_cast<const BYTE*>(field), 4);
  if (status != ERROR_SUCCESS) ReportFailure("RegSetValueExA", status);
}

void ReadStoredSettings(HKEY key) {
  ReadValue(key, "timerlow", &appState.referenceTimeLow);
  ReadValue(key, "timerhigh", &appState.referenceTimeHigh);
  ReadValue(key, "autostart", &appState.autostartEnabled);
  ReadValue(key, HIDE_TIP_VALUE_NAME, &appState.hideTipShown);
}

// The reference a rollover now would leave, then the defaults written out.
void RunFirstStart() {
  SetReferenceTime(appState, NewReferenceTime(CurrentLocalTime()));
  SaveSettings();
  appState.translationCode = DEFAULT_TRANSLATION_CODE;
  SaveTranslationCode();
}

}  // namespace

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

void SaveHideTipShown() {
  const SettingsKey settings = CreateOrOpenSettingsKey();
  WriteValue(settings.key.get(), HIDE_TIP_VALUE_NAME, &appState.hideTipShown);
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
