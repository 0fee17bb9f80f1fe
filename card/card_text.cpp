#include "card/card_text.h"

#include <cstdio>
#include <cstring>

#include "content/translation_table.h"

TextBlockLayout HolidayLineLayout(int index) {
  TextBlockLayout line = CardLayout[CARD_FIRST_HOLIDAY];
  line.top += HOLIDAY_LINE_SPACING * index;
  return line;
}

void CopyAttribution(std::uint32_t code, char* buffer, std::size_t capacity) {
  if (capacity == 0) return;
  // A text longer than the buffer is cut, which is what the bound is for.
  (void)std::snprintf(buffer, capacity, "%s", AttributionForCode(code));
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
