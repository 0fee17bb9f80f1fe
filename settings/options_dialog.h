#pragma once
#include <cstdint>

#include "app/platform_types.h"

// The list shows the translations in code order, so position k is code 1001 + k.
// The position of a code; -1 (no selection) for a code outside the table.
int OptionsListPosition(std::uint32_t translationCode);
// The code of a list position; no selection (-1) gives 1000, a code of no translation.
std::uint32_t TranslationCodeAtPosition(std::intptr_t position);

#ifdef _WIN32
// The Options dialog's procedure; OK stores the settings, Cancel changes nothing.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
// Fills the translation list and sets both controls from AppState.
void InitOptionsDialog(HWND dialog);
// Takes both controls into AppState, saves the settings and flags a new translation.
void ApplyOptions(HWND dialog);
#endif
