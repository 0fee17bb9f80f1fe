#pragma once
#include <cstdint>

#include "resources/resource_ids.h"

struct TranslationEntry {
  std::uint32_t code;
  const char* listName;     // shown in the Options list; position = code - 1001
  int collectionId;         // VERSES resource id
  const char* attribution;  // drawn on the card
};

constexpr int TRANSLATION_COUNT = 13;
constexpr std::uint32_t FIRST_TRANSLATION_CODE = 1001;
constexpr int FALLBACK_COLLECTION_ID = 150;

// A set of verse collections: bit (id - IDR_FIRST_VERSES) for each member.
using CollectionSet = std::uint32_t;

constexpr bool IsCollectionId(int id) { return id >= IDR_FIRST_VERSES && id <= IDR_LAST_VERSES; }

constexpr CollectionSet CollectionBit(int id) {
  return IsCollectionId(id) ? CollectionSet{1} << (id - IDR_FIRST_VERSES) : 0;
}

// The set of the given ids; an id that names no collection is left out.
template <typename... Ids>
constexpr CollectionSet CollectionsOf(Ids... ids) {
  return (CollectionSet{0} | ... | CollectionBit(ids));
}

constexpr bool ContainsCollection(CollectionSet set, int id) {
  return IsCollectionId(id) && (set >> (id - IDR_FIRST_VERSES) & 1u) != 0;
}

extern const TranslationEntry TranslationTable[TRANSLATION_COUNT];

// The entry of a code, or nullptr for a code outside 1001..1013.
const TranslationEntry* FindTranslation(std::uint32_t code);
// Any code outside the table reads collection 150.
int CollectionIdForCode(std::uint32_t code);
// The attribution line of a code; empty for a code outside the table.
const char* AttributionForCode(std::uint32_t code);
