#include "card/card_painter.h"

#include <cstring>
#include <string>

#include "card/card_text.h"
#include "content/background_picture.h"
#include "content/holiday_calendar.h"
#include "content/verse_texts.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "core/text_win.h"

namespace {

constexpr int HIMETRIC_PER_INCH = 2540;

void DrawBlock(HDC dc, const char* text, const TextBlockLayout& block) {
  ::DrawTextBlock(dc, text, block.height, block.weight, block.left, block.top);
}

}  // namespace

void PaintCard(HDC dc, HWND window) {
  LoadBackgroundPicture();
  DrawBackgroundPicture(dc, window);
  DrawVerse(dc);
  DrawHolidayLines(dc);
}

// At its natural size at the origin: the picture's HIMETRIC size converted back at
// this device's resolution, never stretched to the window.
void DrawBackgroundPicture(HDC dc, HWND window) {
  IPicture* picture = appState.picture;
  if (picture == nullptr) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  const int cx = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), HIMETRIC_PER_INCH);
  const int cy = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), HIMETRIC_PER_INCH);
  RECT bounds{};
  GetClientRect(window, &bounds);
  // HIMETRIC's y axis points up: start at the top edge with a negative height.
  picture->Render(dc, 0, 0, cx, cy, 0, height, width, -height, &bounds);
}

void DrawVerse(HDC dc) {
  DrawBlock(dc, appState.verseText, CardLayout[CARD_VERSE]);
  DrawBlock(dc, appState.verseReference, CardLayout[CARD_REFERENCE]);
  char attribution[ATTRIBUTION_CAPACITY];
  CopyAttribution(appState.translationCode, STAND_IN_COLLECTIONS, attribution, sizeof attribution);
  DrawBlock(dc, attribution, CardLayout[CARD_ATTRIBUTION]);
}

void DrawHolidayLines(HDC dc) {
  FindNextHolidays(&holidayList);
  DrawHolidayList(dc, holidayList);
}

void DrawHolidayList(HDC dc, const HolidayList& list) {
  const int count = list.count < HOLIDAY_SLOTS ? list.count : HOLIDAY_SLOTS;
  char line[HOLIDAY_LINE_CAPACITY];
  for (int i = 0; i < count; ++i) {
    FormatHolidayLine(list.entries[i], line, sizeof line);
    DrawBlock(dc, line, HolidayLineLayout(i));
  }
}

void DrawTextBlock(HDC dc, const char* text, int height, int weight, int left, int top) {
  OwnedFont font(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FF_SWISS | DEFAULT_PITCH, "Arial"));
  if (!font) ReportLastError("CreateFontA");
  SelectedObject previous(SelectObject(dc, font.get()), SelectBack{dc});
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT rect{left, top, CARD_TEXT_RIGHT, CARD_TEXT_BOTTOM};
  // Wide, from Windows-1252: the ANSI call would convert with the font's code page, which
  // on East Asian systems is double-byte and merges a curly quote with the next letter.
  // DT_NOPREFIX: an "&" in a verse or a holiday name is text, not a mnemonic marker.
  const std::wstring wide = WideFrom1252(text, static_cast<int>(std::strlen(text)));
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, DT_WORDBREAK | DT_NOPREFIX);
}
