#pragma once
#include <cstddef>
#include <cstdint>

#include "content/holiday_calendar.h"
#include "content/translation_table.h"

// The attribution line is copied into this many bytes; the longest has 53 characters.
constexpr std::size_t ATTRIBUTION_CAPACITY = 90;
// One formatted holiday line; names have at most 27 characters.
constexpr std::size_t HOLIDAY_LINE_CAPACITY = 255;

// The card credits the text it shows: a collection that carries the World English Bible in
// place of its translation's text is credited to that Bible, not to the translation.
constexpr const char* STAND_IN_ATTRIBUTION = STAND_IN_TEXT.attribution;

// The attribution line the card draws for `code`: empty outside the translation table, the
// stand-in line when the code's collection is in `standIns`, else the code's own line.
const char* CardAttribution(std::uint32_t code, CollectionSet standIns);

// CardAttribution in `buffer`, cut to fit and always terminated.
void CopyAttribution(std::uint32_t code, CollectionSet standIns, char* buffer,
                     std::size_t capacity);

// "MM/DD  name (today)", "(tomorrow)" or "(in N days)" by the entry's daysUntil; cut to
// fit and always terminated. Nothing is written when `capacity` is 0.
void FormatHolidayLine(const HolidayEntry& entry, char* buffer, std::size_t capacity);
