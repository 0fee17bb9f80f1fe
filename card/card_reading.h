#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "content/holiday_calendar.h"

// The heading of the holiday panel, which the background pictures carry painted in.
constexpr char PANEL_HEADING[] = "Upcoming Events:";

// One text of the card as a screen reader meets it, with the band of the client area it
// occupies (the blocks wrap to the text's right edge).
struct CardReadingText {
  std::string text;
  int left;
  int top;
  int bottom;
};

// Passage, reference, attribution, the panel's heading and its holiday lines: what the card
// paints, in reading order, each without the line end the collection left on it.
std::vector<CardReadingText> CardReadingOrder(const char* verse, const char* reference,
                                              std::uint32_t translationCode,
                                              const HolidayList& holidays);

// What Ctrl+C copies: passage, reference and attribution line, one to a line (CR LF).
std::string CardCopyText(const char* verse, const char* reference, std::uint32_t translationCode);
