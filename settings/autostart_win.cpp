#include "settings/autostart.h"

#include <cstring>

#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "settings/settings_rules.h"

namespace {

constexpr DWORD MODULE_PATH_CAPACITY = 260;

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

void DeleteAutostartValue(HKEY root) {
  RegistryKey run = OpenKey(root, RUN_KEY_PATH, KEY_SET_VALUE);
  if (!run) return;
  const LONG status = RegDeleteValueA(run.get(), AUTOSTART_VALUE_NAME);
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    ReportFailure("RegDeleteValueA", status);
  }
}

}  // namespace

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
  const LONG status = RegSetValueExA(run.get(), AUTOSTART_VALUE_NAME, 0, REG_SZ,
                                     reinterpret_cast<const BYTE*>(command), length + 3);
  if (status != ERROR_SUCCESS) ReportFailure("RegSetValueExA", status);
}
