#include "settings/autostart.h"

#include <string>

#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "settings/settings_rules.h"

namespace {

// Long enough for any path the system hands out; the wide form has no 260 limit.
constexpr DWORD MODULE_PATH_CAPACITY = 32768;

RegistryKey OpenKey(HKEY root, const char* path, REGSAM access) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(root, path, 0, access, &key) != ERROR_SUCCESS) return RegistryKey();
  return RegistryKey(key);
}

RegistryKey CreateKey(HKEY root, const char* path, REGSAM access) {
  HKEY key = nullptr;
  const LONG status = RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, access,
                                      nullptr, &key, nullptr);
  if (status != ERROR_SUCCESS) {
    ReportFailure("RegCreateKeyExA", status);
    return RegistryKey();
  }
  return RegistryKey(key);
}

void DeleteValue(HKEY root, const char* path) {
  RegistryKey key = OpenKey(root, path, KEY_SET_VALUE);
  if (!key) return;
  const LONG status = RegDeleteValueA(key.get(), AUTOSTART_VALUE_NAME);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    ReportFailure("RegDeleteValueA", status);
  }
}

// The program's path in UTF-16: through the ANSI call a profile folder named outside
// the system's code page ("C:\Users\Łukasz") would come back with "?" in it.
std::wstring ModulePath() {
  std::wstring path(MODULE_PATH_CAPACITY, L'\0');
  const DWORD length = GetModuleFileNameW(appState.instance, path.data(), MODULE_PATH_CAPACITY);
  if (!ShouldWriteAutostart(length, MODULE_PATH_CAPACITY)) {
    ReportLastError("GetModuleFileNameW");
    return std::wstring();
  }
  path.resize(length);
  return path;
}

void WriteAutostartValue(const std::wstring& path) {
  // A fresh profile may not have a Run key yet.
  const RegistryKey run = CreateKey(HKEY_CURRENT_USER, RUN_KEY_PATH, KEY_SET_VALUE);
  if (!run) return;
  // Quoted: unquoted, a path with spaces ("C:\Program Files (x86)\...") is tried as
  // "C:\Program.exe" first. An unquoted entry of an earlier version is replaced here.
  const std::wstring command = L"\"" + path + L"\"";
  const LONG status = RegSetValueExW(run.get(), L"" AUTOSTART_VALUE_NAME, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(command.c_str()),
                                     static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) ReportFailure("RegSetValueExW", status);
}

}  // namespace

// The entry lives with the user who runs the program; one left under the machine's Run
// key by an earlier version would start the program for every user, so it goes.
void UpdateAutostartEntry() {
  DeleteValue(HKEY_LOCAL_MACHINE, RUN_KEY_PATH);
  if (appState.autostartEnabled == 0) {
    DeleteValue(HKEY_CURRENT_USER, RUN_KEY_PATH);
    return;
  }
  // Without a whole path the user's entry stays as it was: removing it would switch
  // autostart off behind the ticked box.
  const std::wstring path = ModulePath();
  if (!path.empty()) WriteAutostartValue(path);
}

bool IsAutostartSwitchedOff() {
  const RegistryKey key = OpenKey(HKEY_CURRENT_USER, STARTUP_SWITCH_KEY_PATH, KEY_QUERY_VALUE);
  if (!key) return false;
  unsigned char value[16] = {};
  DWORD type = 0;
  DWORD size = sizeof value;
  const LONG status =
      RegQueryValueExA(key.get(), AUTOSTART_VALUE_NAME, nullptr, &type, value, &size);
  // The switch's values are 12 bytes; anything else is not one of its own.
  return status == ERROR_SUCCESS && type == REG_BINARY && IsStartupSwitchOff(value, size);
}

void ClearAutostartSwitch() { DeleteValue(HKEY_CURRENT_USER, STARTUP_SWITCH_KEY_PATH); }
