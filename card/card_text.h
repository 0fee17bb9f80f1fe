#pragma once
#include <cstddef>
#include <cstdint>

#include "content/holiday_calendar.h"
#include "content/translation_table.h"

// Every text block is drawn into the rectangle from its own left and top to here.
constexpr int CARD_TEXT_RIGHT = 336;
constexpr int CARD_TEXT_BOTTOM = 500;

constexpr int FONT_WEIGHT_NORMAL = 400;
constexpr int FONT_WEIGHT_BOLD = 700;

// The attribution line is copied into this many bytes; the longest has 53 characters.
constexpr std::size_t ATTRIBUTION_CAPACITY = 90;
// One formatted holiday line; names have at most 27 characters.
constexpr std::size_t HOLIDAY_LINE_CAPACITY = 255;

struct TextBlockLayout {
  int height;  // font cell height in pixels
  int weight;
  int left;
  int top;
};

enum CardBlock { CARD_VERSE, CARD_REFERENCE, CARD_ATTRIBUTION, CARD_FIRST_HOLIDAY, CARD_BLOCKS };

// Placed over the pictures' layout: the verse on the image, the reference and the
// attribution above the buttons (y 362), the holiday lines under the panel's heading.
constexpr TextBlockLayout CardLayout[CARD_BLOCKS] = {
    {24, FONT_WEIGHT_NORMAL, 13, 14},
    {20, FONT_WEIGHT_BOLD, 13, 295},
    {15, FONT_WEIGHT_NORMAL, 10, 320},
    {15, FONT_WEIGHT_BOLD, 10, 430},
};

constexpr int HOLIDAY_LINE_SPACING = 14;

// Holiday line `index` (0..3): the first line's font and left, moved down line by line.
TextBlockLayout HolidayLineLayout(int index);

// The card credits the text it shows: a collection that carries the World English Bible in
// place of its translation's text is credited to that Bible, not to the translation.
constexpr char STAND_IN_ATTRIBUTION[] = "*Taken from the World English Bible";

// The attribution line the card draws for `code`: empty outside the translation table, the
// stand-in line when the code's collection is in `standIns`, else the code's own line.
const char* CardAttribution(std::uint32_t code, CollectionSet standIns);

// CardAttribution in `buffer`, cut to fit and always terminated.
void CopyAttribution(std::uint32_t code, CollectionSet standIns, char* buffer,
                     std::size_t capacity);

// "MM/DD  name (today)", "(tomorrow)" or "(in N days)" by the entry's daysUntil; cut to
// fit and always terminated. Nothing is written when `capacity` is 0.
void FormatHolidayLine(const HolidayEntry& entry, char* buffer, std::size_t capacity);
