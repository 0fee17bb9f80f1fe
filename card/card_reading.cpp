#include "card/card_reading.h"

#include <cstring>

#include "card/card_text.h"
#include "content/verse_texts.h"

namespace {

// The panel's heading sits in the pictures between the attribution and the first line.
constexpr int PANEL_HEADING_TOP = 410;

std::string WithoutLineEnd(const char* text) {
  std::size_t length = std::strlen(text);
  while (length > 0 && (text[length - 1] == '\r' || text[length - 1] == '\n')) --length;
  return std::string(text, length);
}

std::string Attribution(std::uint32_t translationCode) {
  char attribution[ATTRIBUTION_CAPACITY];
  CopyAttribution(translationCode, STAND_IN_COLLECTIONS, attribution, sizeof attribution);
  return attribution;
}

}  // namespace

std::vector<CardReadingText> CardReadingOrder(const char* verse, const char* reference,
                                              std::uint32_t translationCode,
                                              const HolidayList& holidays) {
  const TextBlockLayout& verseBlock = CardLayout[CARD_VERSE];
  const TextBlockLayout& referenceBlock = CardLayout[CARD_REFERENCE];
  const TextBlockLayout& attributionBlock = CardLayout[CARD_ATTRIBUTION];
  std::vector<CardReadingText> texts = {
      {WithoutLineEnd(verse), verseBlock.left, verseBlock.top, referenceBlock.top},
      {WithoutLineEnd(reference), referenceBlock.left, referenceBlock.top, attributionBlock.top},
      {Attribution(translationCode), attributionBlock.left, attributionBlock.top,
       PANEL_HEADING_TOP},
      {PANEL_HEADING, attributionBlock.left, PANEL_HEADING_TOP, CardLayout[CARD_FIRST_HOLIDAY].top},
  };
  const int count = holidays.count < HOLIDAY_SLOTS ? holidays.count : HOLIDAY_SLOTS;
  char line[HOLIDAY_LINE_CAPACITY];
  for (int i = 0; i < count; ++i) {
    FormatHolidayLine(holidays.entries[i], line, sizeof line);
    const TextBlockLayout block = HolidayLineLayout(i);
    texts.push_back({line, block.left, block.top, block.top + HOLIDAY_LINE_SPACING});
  }
  return texts;
}

std::string CardCopyText(const char* verse, const char* reference, std::uint32_t translationCode) {
  return WithoutLineEnd(verse) + "\r\n" + WithoutLineEnd(reference) + "\r\n" +
         Attribution(translationCode);
}
