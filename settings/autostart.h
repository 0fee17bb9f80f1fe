#pragma once
#include <cstddef>

// The autostart entry: the value "Quillane" under the current user's Run key. Saving
// writes it while autostart is on and removes it while off; when the program's own path
// cannot be had whole, the entry is left as it was and the failure reported. The installer
// and the test scripts read the key and the value name from here.
#define RUN_KEY_PATH "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define AUTOSTART_VALUE_NAME "Quillane"
// Windows' own start-up switch for Run entries, one binary value per entry name.
#define STARTUP_SWITCH_KEY_PATH \
  "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\StartupApproved\\Run"

// The switch's value starts with a flag byte whose lowest bit is set while the user has
// the entry switched off (02/06 on, 03/07 off); anything shorter says nothing.
inline bool IsStartupSwitchOff(const unsigned char* value, std::size_t size) {
  return size > 0 && (value[0] & 1u) != 0;
}

// Writes or removes the entry as AppState's autostartEnabled says.
void UpdateAutostartEntry();
#ifdef _WIN32
// Whether Windows' start-up switch has the entry off, whatever the Run key holds.
bool IsAutostartSwitchedOff();
// Removes the switch's value, so the Run entry counts again.
void ClearAutostartSwitch();
#endif
