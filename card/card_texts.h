#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "card/card_layout.h"
#include "content/holiday_calendar.h"
#include "core/platform_types.h"
#include "core/rect.h"

// The heading of the holiday panel, which the background pictures carry painted in.
constexpr char PANEL_HEADING[] = "Upcoming Events:";

// One text the card shows, at the card's scale: what the painter draws, a screen reader
// reads and locates, and copy takes.
struct CardText {
  CardBlock block;   // a holiday line i is CARD_FIRST_HOLIDAY + i
  std::string text;  // without the line end the collection left on it
  // The band of the client area the text occupies; a wrapped text breaks at its right edge.
  Rect box;
  int fontHeight;  // as CreateFont takes it
  int weight;
  bool oneLine;  // a holiday line, one line by layout
  bool painted;  // the heading is the pictures'
};

// Passage, reference, attribution, the panel's heading and a line for each holiday of
// `holidays` (at most four), in reading order, laid out at `dpi`.
std::vector<CardText> CardTexts(const char* verse, const char* reference,
                                std::uint32_t translationCode, const HolidayList& holidays,
                                int dpi);

// Where a painted text is drawn: from its band's top left down to the card's text bottom, so a
// holiday line's descenders reach into the next band and a text too long for its band runs on
// over what stands below it, as the card has always drawn them.
Rect DrawingRect(const CardText& text, int dpi);

// What Ctrl+C copies: passage, reference and attribution line, one to a line (CR LF).
std::string CardCopyText(const char* verse, const char* reference, std::uint32_t translationCode);

#ifdef _WIN32
// CardTexts of the card in the program's state, with the holidays ahead at this moment.
std::vector<CardText> CardTextsNow(int dpi);
#endif
