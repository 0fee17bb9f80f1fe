#pragma once
#include <cstdint>

struct TranslationEntry {
  std::uint32_t code;
  const char* listName;     // shown in the Options list; position = code - 1001
  int collectionId;         // VERSES resource id
  const char* attribution;  // drawn on the card
};

constexpr int TRANSLATION_COUNT = 13;
constexpr std::uint32_t FIRST_TRANSLATION_CODE = 1001;
constexpr int FALLBACK_COLLECTION_ID = 150;

extern const TranslationEntry TranslationTable[TRANSLATION_COUNT];

// The entry of a code, or nullptr for a code outside 1001..1013.
const TranslationEntry* FindTranslation(std::uint32_t code);
// Any code outside the table reads collection 150.
int CollectionIdForCode(std::uint32_t code);
// The attribution line of a code; empty for a code outside the table.
const char* AttributionForCode(std::uint32_t code);
