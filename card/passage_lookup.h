#pragma once
#include <cstddef>
#include <cstdint>

#include "content/translation_table.h"

constexpr std::size_t LOOKUP_ADDRESS_CAPACITY = 255;
constexpr std::size_t REFERENCE_COPY_CAPACITY = 50;
// The lookup service; the chapter goes into the `passage` query key of its /bible page.
constexpr char LOOKUP_BASE_ADDRESS[] = "https://www.biblegateway.com";

// Replaces every space of `text` by "+", in place.
void SpacesToPlus(char* text);

// The lookup address of the chapter of `verseReference` (its first 49 bytes, cut at the
// first ":") in the translation `translationCode`, NUL-terminated within `capacity` bytes
// and zero-filled after the text. Every byte of the passage but ASCII letters, digits and
// spaces (sent as "+") is percent-encoded, so a reference cannot add query keys or
// anything else to the address; an escape that would not fit is left out whole. The
// service's name of the translation follows as "&version=", whole or not at all, and
// only for a code of our table (1001..1013); for a code whose collection is in
// `standIns` it names the World English Bible, the text the card shows.
void BuildLookupAddress(const char* verseReference, std::uint32_t translationCode,
                        CollectionSet standIns, char* address, std::size_t capacity);

#ifdef _WIN32
// Opens the chapter of the current verse in the user's browser.
void OpenPassageLookup();
#endif
