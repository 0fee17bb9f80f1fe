#include "card/card_text.h"

#include <cstdio>
#include <cstring>

const char* CardAttribution(std::uint32_t code, CollectionSet standIns) {
  const TranslationEntry* entry = FindTranslation(code);
  if (entry == nullptr) return "";
  return ContainsCollection(standIns, entry->collectionId) ? STAND_IN_ATTRIBUTION
                                                           : entry->attribution;
}

void CopyAttribution(std::uint32_t code, CollectionSet standIns, char* buffer,
                     std::size_t capacity) {
  if (capacity == 0) return;
  // A text longer than the buffer is cut, which is what the bound is for.
  (void)std::snprintf(buffer, capacity, "%s", CardAttribution(code, standIns));
}

void FormatHolidayLine(const HolidayEntry& entry, char* buffer, std::size_t capacity) {
  if (capacity == 0) return;
  // The name is read no further than its field, terminated or not.
  const void* end = std::memchr(entry.name, '\0', sizeof entry.name);
  int nameLength = static_cast<int>(sizeof entry.name);
  if (end != nullptr) nameLength = static_cast<int>(static_cast<const char*>(end) - entry.name);
  switch (entry.daysUntil) {
    case 0:
      (void)std::snprintf(buffer, capacity, "%.2d/%.2d  %.*s (today)", entry.month, entry.day,
                          nameLength, entry.name);
      break;
    case 1:
      (void)std::snprintf(buffer, capacity, "%.2d/%.2d  %.*s (tomorrow)", entry.month, entry.day,
                          nameLength, entry.name);
      break;
    default:
      (void)std::snprintf(buffer, capacity, "%.2d/%.2d  %.*s (in %d days)", entry.month, entry.day,
                          nameLength, entry.name, entry.daysUntil);
      break;
  }
}
