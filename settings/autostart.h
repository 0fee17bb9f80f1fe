#pragma once
// The autostart entry: the value "Quillane" under the current user's Run key, present
// exactly when autostart is on.
#define RUN_KEY_PATH "Software\\Microsoft\\Windows\\CurrentVersion\\Run"
#define AUTOSTART_VALUE_NAME "Quillane"

// Writes or removes the entry as AppState's autostartEnabled says.
void UpdateAutostartEntry();
