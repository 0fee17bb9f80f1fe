#pragma once
#include <cstdint>

#include "resources/resource_ids.h"

struct TranslationEntry {
  std::uint32_t code;
  const char* listName;     // shown in the Options list; position = code - 1001
  int collectionId;         // VERSES resource id
  const char* attribution;  // drawn on the card
  const char* lookupName;   // the passage-lookup site's name of the translation
  const char* shortName;    // in the About notice, whose one line cannot hold the full names
};

constexpr int TRANSLATION_COUNT = 13;
constexpr std::uint32_t FIRST_TRANSLATION_CODE = 1001;
constexpr int FALLBACK_COLLECTION_ID = 150;

// The one table of translations, in code order. The build reads it too
// (cmake/content.cmake): keep each row on one line, as it stands.
// clang-format off
inline constexpr TranslationEntry TranslationTable[TRANSLATION_COUNT] = {
    {1001, "New International Version", 150, "*Taken from the New International Version", "NIV", "NIV"},
    {1002, "King James Version", 147, "*Taken from the King James Version", "KJV", "KJV"},
    {1003, "Amplified Bible", 141, "*Taken from Amplified Bible", "AMP", "AMP"},
    {1004, "American Standard Version", 142, "*Taken from the American Standard Version", "ASV", "ASV"},
    {1005, "Contemporary Version", 143, "*Taken from the Contemporary English Version", "CEV", "CEV"},
    {1006, "Darby Translation", 144, "*Taken from the Darby Translation", "DARBY", "Darby"},
    {1007, "English Standard Version", 145, "*Taken from the English Standard Version", "ESV", "ESV"},
    {1008, "21st Century Version", 146, "*Taken from the 21st Century King James Version", "KJ21", "KJ21"},
    {1009, "Message Bible Version", 148, "*Taken from the Message Bible translation", "MSG", "MSG"},
    {1010, "New American Standard Version", 149, "*Taken from the New American Standard Bible", "NASB", "NASB"},
    {1011, "New King James Version", 151, "*Taken from the New King James Version", "NKJV", "NKJV"},
    {1012, "New Living Translation", 152, "*Taken from the New Living Translation", "NLT", "NLT"},
    {1013, "New Life Version", 140, "*Taken from the New Life Version", "NLV", "NLV"},
};
// The text a stand-in collection carries in place of its translation's, which the card
// credits and the lookup asks for.
constexpr TranslationEntry STAND_IN_TEXT = {0, "World English Bible", 0, "*Taken from the World English Bible", "WEB", "WEB"};
// clang-format on

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

// The entry of a code, or nullptr for a code outside 1001..1013.
const TranslationEntry* FindTranslation(std::uint32_t code);
// Any code outside the table reads collection 150.
int CollectionIdForCode(std::uint32_t code);
// The attribution line of a code; empty for a code outside the table.
const char* AttributionForCode(std::uint32_t code);
