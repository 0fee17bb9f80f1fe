#pragma once
// The settings in the registry: key HKEY_LOCAL_MACHINE\Software\Velmora Software\Quillane
// with "timerlow", "timerhigh", "autostart" and "version", and the autostart value
// "Quillane" under the current user's Run key (settings/autostart.h). Each operation
// reads and writes AppState.

#define SETTINGS_KEY_PATH "Software\\Velmora Software\\Quillane"

void LoadSettings();
void SaveSettings();
void SaveTranslationCode();
void ReadTranslationCode();

// The two system families read the settings key differently; LoadSettings and
// ReadTranslationCode pick a variant by IsNtFamilySystem at every call, and the tests
// run each.
void LoadSettingsNt();
void LoadSettingsLegacy();
void ReadTranslationCodeNt();
void ReadTranslationCodeLegacy();
