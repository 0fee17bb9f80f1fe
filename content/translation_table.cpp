#include "content/translation_table.h"

const TranslationEntry* FindTranslation(std::uint32_t code) {
  if (code < FIRST_TRANSLATION_CODE || code >= FIRST_TRANSLATION_CODE + TRANSLATION_COUNT) {
    return nullptr;
  }
  return &TranslationTable[code - FIRST_TRANSLATION_CODE];
}

int CollectionIdForCode(std::uint32_t code) {
  const TranslationEntry* entry = FindTranslation(code);
  return entry ? entry->collectionId : FALLBACK_COLLECTION_ID;
}

const char* AttributionForCode(std::uint32_t code) {
  const TranslationEntry* entry = FindTranslation(code);
  return entry ? entry->attribution : "";
}
