#include "card/card_texts.h"

#include <cstring>
#include <utility>

#include "card/card_text.h"
#include "content/verse_texts.h"

static_assert(HOLIDAY_LINES == HOLIDAY_SLOTS, "a holiday line for each entry of the list");

namespace {

std::string WithoutLineEnd(const char* text) {
  std::size_t length = std::strlen(text);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) --length;
  return std::string(text, length);
}

CardText Placed(CardBlock block, std::string text, int dpi) {
  const TextBlockLayout layout = BlockLayout(block);
  const Rect box{ScaledForDpi(layout.left, dpi), ScaledForDpi(layout.top, dpi),
                 ScaledForDpi(CARD_TEXT_RIGHT, dpi), ScaledForDpi(BlockBandBottom(block), dpi)};
  const bool holiday = block >= CARD_FIRST_HOLIDAY;
  return {block,
          std::move(text),
          box,
          CardFontHeight(layout, dpi),
          layout.weight,
          holiday,
          block != CARD_PANEL_HEADING};
}

}  // namespace

std::vector<CardText> CardTexts(const char* verse, const char* reference,
                                std::uint32_t translationCode, const HolidayList& holidays,
                                int dpi) {
  char attribution[ATTRIBUTION_CAPACITY];
  CopyAttribution(translationCode, STAND_IN_COLLECTIONS, attribution, sizeof attribution);
  std::vector<CardText> texts = {
      Placed(CARD_VERSE, WithoutLineEnd(verse), dpi),
      Placed(CARD_REFERENCE, WithoutLineEnd(reference), dpi),
      Placed(CARD_ATTRIBUTION, attribution, dpi),
      Placed(CARD_PANEL_HEADING, PANEL_HEADING, dpi),
  };
  const int count = holidays.count < HOLIDAY_LINES ? holidays.count : HOLIDAY_LINES;
  char line[HOLIDAY_LINE_CAPACITY];
  for (int i = 0; i < count; ++i) {
    FormatHolidayLine(holidays.entries[i], line, sizeof line);
    texts.push_back(Placed(static_cast<CardBlock>(CARD_FIRST_HOLIDAY + i), line, dpi));
  }
  return texts;
}

Rect DrawingRect(const CardText& text, int dpi) {
  Rect rect = text.box;
  rect.bottom = ScaledForDpi(CARD_TEXT_BOTTOM, dpi);
  return rect;
}

std::string CardCopyText(const char* verse, const char* reference, std::uint32_t translationCode) {
  const std::vector<CardText> texts =
      CardTexts(verse, reference, translationCode, HolidayList{}, CARD_BASE_DPI);
  return texts[CARD_VERSE].text + "\r\n" + texts[CARD_REFERENCE].text + "\r\n" +
         texts[CARD_ATTRIBUTION].text;
}
