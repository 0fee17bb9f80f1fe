#pragma once
#include <cstdint>

#include "content/translation_table.h"
#include "core/platform_types.h"

// The list shows the translations in code order, so position k is code 1001 + k.
// The position of a code; -1 (no selection) for a code outside the table.
inline int OptionsListPosition(std::uint32_t translationCode) {
  const TranslationEntry* entry = FindTranslation(translationCode);
  return entry ? static_cast<int>(entry->code - FIRST_TRANSLATION_CODE) : -1;
}
// The code of a list position; no selection (-1) gives 1000, a code of no translation.
inline std::uint32_t TranslationCodeAtPosition(std::intptr_t position) {
  return static_cast<std::uint32_t>(position + FIRST_TRANSLATION_CODE);
}

#ifdef _WIN32
// The Options dialog's procedure; OK stores the settings, Cancel changes nothing.
INT_PTR CALLBACK OptionsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
#endif
