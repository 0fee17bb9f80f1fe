#pragma once
// The settings in the registry: key HKEY_LOCAL_MACHINE\Software\Velmora Software\Quillane
// with "timerlow", "timerhigh", "autostart" and "version", and the autostart value
// "Quillane" under the current user's Run key (settings/autostart.h). Each operation
// reads and writes AppState.

// The vendor's and the program's parts of the key; the installer and the test scripts read
// these rows too, so a new name is written here only.
#define SETTINGS_VENDOR "Velmora Software"
#define SETTINGS_PRODUCT "Quillane"
#define SETTINGS_KEY_PATH "Software\\" SETTINGS_VENDOR "\\" SETTINGS_PRODUCT

void LoadSettings();
void SaveSettings();
void SaveTranslationCode();
// "hidetip": whether the user has been told once where a hidden card goes. Read with the
// other settings at start-up, written as soon as the tip has been shown.
#define HIDE_TIP_VALUE_NAME "hidetip"
void SaveHideTipShown();
void ReadTranslationCode();

// The two system families read the settings key differently; LoadSettings and
// ReadTranslationCode pick a variant by IsNtFamilySystem at every call, and the tests
// run each.
void LoadSettingsNt();
void LoadSettingsLegacy();
void ReadTranslationCodeNt();
void ReadTranslationCodeLegacy();
