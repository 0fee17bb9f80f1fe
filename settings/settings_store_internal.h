#pragma once
// The two system families read the settings key differently; LoadSettings and
// ReadTranslationCode pick a variant by IsNtFamilySystem at every call. Declared apart
// for the tests of each family.
void LoadSettingsNt();
void LoadSettingsLegacy();
void ReadTranslationCodeNt();
void ReadTranslationCodeLegacy();
