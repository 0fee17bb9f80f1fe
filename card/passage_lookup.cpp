#include "card/passage_lookup.h"

#include <cstring>
#include <string>

namespace {

constexpr char LOOKUP_PATH[] = "/bible?passage=";

constexpr char VERSION_KEY[] = "&version=";

constexpr std::size_t LongestLookupName() {
  std::size_t longest = std::char_traits<char>::length(STAND_IN_TEXT.lookupName);
  for (const TranslationEntry& entry : TranslationTable) {
    const std::size_t length = std::char_traits<char>::length(entry.lookupName);
    if (length > longest) longest = length;
  }
  return longest;
}

// Even a reference escaped byte for byte leaves room for the translation.
static_assert(sizeof LOOKUP_BASE_ADDRESS - 1 + sizeof LOOKUP_PATH - 1 +
                      (REFERENCE_COPY_CAPACITY - 1) * 3 + sizeof VERSION_KEY - 1 +
                      LongestLookupName() <
                  LOOKUP_ADDRESS_CAPACITY,
              "the longest address fits its buffer");

// The site's name of the text the card shows: none for a code outside the table, where the
// site shows its default translation.
const char* LookupNameOf(std::uint32_t translationCode, CollectionSet standIns) {
  const TranslationEntry* entry = FindTranslation(translationCode);
  if (entry == nullptr) return nullptr;
  return ContainsCollection(standIns, entry->collectionId) ? STAND_IN_TEXT.lookupName
                                                           : entry->lookupName;
}

bool IsPlainByte(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
}

// Appends `text` whole or not at all, keeping room for the terminating NUL.
bool AppendUnit(char* address, std::size_t capacity, std::size_t* length, const char* text,
                std::size_t size) {
  if (*length + size >= capacity) return false;
  std::memcpy(address + *length, text, size);
  *length += size;
  return true;
}

// Letters, digits and spaces stay; every other byte becomes %XX.
void PercentEncode(const char* text, char* encoded) {
  static const char HEX[] = "0123456789ABCDEF";
  for (; *text != '\0'; ++text) {
    const auto c = static_cast<unsigned char>(*text);
    if (IsPlainByte(c) || c == ' ') {
      *encoded++ = static_cast<char>(c);
    } else {
      *encoded++ = '%';
      *encoded++ = HEX[c >> 4];
      *encoded++ = HEX[c & 0xF];
    }
  }
  *encoded = '\0';
}

}  // namespace

void SpacesToPlus(char* text) {
  for (; *text != '\0'; ++text) {
    if (*text == ' ') *text = '+';
  }
}

void BuildLookupAddress(const char* verseReference, std::uint32_t translationCode,
                        CollectionSet standIns, char* address, std::size_t capacity) {
  if (capacity == 0) return;
  std::memset(address, 0, capacity);
  std::size_t length = 0;
  const char* const prefixes[] = {LOOKUP_BASE_ADDRESS, LOOKUP_PATH};
  for (const char* prefix : prefixes) {
    for (; *prefix != '\0'; ++prefix) {
      if (!AppendUnit(address, capacity, &length, prefix, 1)) return;
    }
  }

  char reference[REFERENCE_COPY_CAPACITY] = {};
  std::size_t referenceLength = 0;
  while (referenceLength < REFERENCE_COPY_CAPACITY - 1 && verseReference[referenceLength] != '\0') {
    reference[referenceLength] = verseReference[referenceLength];
    ++referenceLength;
  }
  // The chapter only: the verse numbers and the line's CR go.
  if (char* colon = std::strchr(reference, ':')) *colon = '\0';

  char passage[(REFERENCE_COPY_CAPACITY - 1) * 3 + 1];
  PercentEncode(reference, passage);
  SpacesToPlus(passage);
  for (const char* unit = passage; *unit != '\0';) {
    const std::size_t size = *unit == '%' ? 3 : 1;
    if (!AppendUnit(address, capacity, &length, unit, size)) return;
    unit += size;
  }
  const char* lookupName = LookupNameOf(translationCode, standIns);
  if (lookupName == nullptr) return;
  const std::string versionPart = std::string(VERSION_KEY) + lookupName;
  AppendUnit(address, capacity, &length, versionPart.c_str(), versionPart.size());
}
