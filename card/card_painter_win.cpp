#include "card/card_painter.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "card/card_scale.h"
#include "card/card_texts.h"
#include "card/high_contrast.h"
#include "card/picture_scaling.h"
#include "content/background_picture.h"
#include "content/holiday_calendar.h"
#include "core/app_state.h"
#include "core/failure_report.h"
#include "core/handles.h"
#include "core/pixel_bitmap.h"
#include "core/text_win.h"

namespace {

constexpr int HIMETRIC_PER_INCH = 2540;

// A pixel bitmap selected into a memory DC of its own; `pixels` is null when it could not
// be made.
struct PixelCanvas {
  PixelCanvas(HDC like, int cx, int cy) : width(cx), height(cy), dc(CreateCompatibleDC(like)) {
    if (!dc) {
      ReportLastError("CreateCompatibleDC");
      return;
    }
    bitmap = CreatePixelBitmap(dc.get(), width, height, &pixels);
    if (!bitmap) {
      ReportLastError("CreateDIBSection");
      return;
    }
    selected = SelectedObject(SelectObject(dc.get(), bitmap.get()), SelectBack{dc.get()});
  }
  int width;
  int height;
  OwnedDc dc;
  OwnedBitmap bitmap;
  SelectedObject selected{nullptr, SelectBack{nullptr}};
  std::uint32_t* pixels = nullptr;
};

// One text in the card's style; the font lives only for the call.
void DrawTextBlock(HDC dc, const char* text, int height, int weight, RECT rect, UINT layout,
                   COLORREF colour) {
  OwnedFont font(CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FF_SWISS | DEFAULT_PITCH, "Arial"));
  if (!font) ReportLastError("CreateFontA");
  SelectedObject previous(SelectObject(dc, font.get()), SelectBack{dc});
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  // Wide, from Windows-1252: the ANSI call would convert with the font's code page, which
  // on East Asian systems is double-byte and merges a curly quote with the next letter.
  // DT_NOPREFIX: an "&" in a verse or a holiday name is text, not a mnemonic marker.
  const std::wstring wide = WideFrom1252(text, static_cast<int>(std::strlen(text)));
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, layout | DT_NOPREFIX);
}

// The painted texts of `texts` from block `first` up to `end`; in high contrast, where no
// picture carries the panel's heading, that too.
void DrawTexts(HDC dc, const std::vector<CardText>& texts, int first, int end, int dpi,
               bool highContrast) {
  const COLORREF colour = CardTextColour(highContrast);
  for (const CardText& text : texts) {
    if ((!text.painted && !highContrast) || text.block < first || text.block >= end) continue;
    const Rect rect = DrawingRect(text, dpi);
    DrawTextBlock(dc, text.text.c_str(), text.fontHeight, text.weight,
                  {rect.left, rect.top, rect.right, rect.bottom},
                  text.oneLine ? DT_SINGLELINE : DT_WORDBREAK, colour);
  }
}

// At the origin, its natural size scaled as the card is, never stretched to the window.
void DrawBackgroundPicture(HDC dc, HWND window, int dpi) {
  IPicture* picture = appState.picture;
  if (picture == nullptr) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  // The decoder gave the size at the screen's resolution: that is the picture's pixel size.
  const int naturalWidth = MulDiv(width, GetDeviceCaps(dc, LOGPIXELSX), HIMETRIC_PER_INCH);
  const int naturalHeight = MulDiv(height, GetDeviceCaps(dc, LOGPIXELSY), HIMETRIC_PER_INCH);
  RECT bounds{};
  GetClientRect(window, &bounds);
  if (dpi == CARD_BASE_DPI) {
    // HIMETRIC's y axis points up: start at the top edge with a negative height.
    picture->Render(dc, 0, 0, naturalWidth, naturalHeight, 0, height, width, -height, &bounds);
    return;
  }
  // Enlarged: drawn at its natural size, then each pixel interpolated from it.
  const PixelCanvas natural(dc, naturalWidth, naturalHeight);
  const PixelCanvas scaled(dc, ScaledForDpi(naturalWidth, dpi), ScaledForDpi(naturalHeight, dpi));
  if (!natural.pixels || !scaled.pixels) return;
  picture->Render(natural.dc.get(), 0, 0, naturalWidth, naturalHeight, 0, height, width, -height,
                  &bounds);
  GdiFlush();
  ScalePicture(natural.pixels, naturalWidth, naturalHeight, scaled.pixels, scaled.width,
               scaled.height);
  BitBlt(dc, 0, 0, scaled.width, scaled.height, scaled.dc.get(), 0, 0, SRCCOPY);
}

// The verse, reference and attribution.
void DrawVerse(HDC dc, int dpi, bool highContrast) {
  DrawTexts(dc,
            CardTexts(appState.verseText, appState.verseReference, appState.translationCode,
                      HolidayList{}, dpi),
            CARD_VERSE, CARD_FIRST_HOLIDAY, dpi, highContrast);
}

// Refilled at every paint, so the day counts follow the clock.
void DrawHolidayLines(HDC dc, int dpi, bool highContrast) {
  FindNextHolidays(&holidayList);
  DrawTexts(dc, CardTexts("", "", 0, holidayList, dpi), CARD_FIRST_HOLIDAY, CARD_BLOCKS, dpi,
            highContrast);
}

}  // namespace

void PaintCard(HDC dc, HWND window) {
  LoadBackgroundPicture();
  const int dpi = CardDpi(window);
  // Asked once, so one paint never mixes the two styles.
  const bool highContrast = HighContrastOn();
  if (highContrast) {
    DrawHighContrastGround(dc, dpi);
  } else {
    DrawBackgroundPicture(dc, window, dpi);
  }
  DrawVerse(dc, dpi, highContrast);
  DrawHolidayLines(dc, dpi, highContrast);
}
