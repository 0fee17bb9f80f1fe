#include "card/card_texts.h"

#include "core/app_state.h"

std::vector<CardText> CardTextsNow(int dpi) {
  HolidayList holidays{};
  FindNextHolidays(&holidays);
  return CardTexts(appState.verseText, appState.verseReference, appState.translationCode, holidays,
                   dpi);
}
