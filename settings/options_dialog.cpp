#include "settings/options_dialog.h"

#include "content/translation_table.h"

int OptionsListPosition(std::uint32_t translationCode) {
  const TranslationEntry* entry = FindTranslation(translationCode);
  return entry ? static_cast<int>(entry->code - FIRST_TRANSLATION_CODE) : -1;
}

std::uint32_t TranslationCodeAtPosition(std::intptr_t position) {
  return static_cast<std::uint32_t>(position + FIRST_TRANSLATION_CODE);
}
