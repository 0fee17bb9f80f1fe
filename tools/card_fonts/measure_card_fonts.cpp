// Prints cmake/card_fonts.cmake: for each display scale the card is checked at, the advance
// width in pixels of every Windows-1252 character in the card's verse and reference fonts,
// made as the card makes them at that scale, the width of the text column and the lines the
// passage has above the reference, for the check of supplied verse texts. Run it under Wine
// (its Arial is metric-compatible with Windows') or Windows:
//   x86_64-w64-mingw32-g++-posix -I. -static -o measure.exe tools/card_fonts/measure_card_fonts.cpp
//   -lgdi32 wine measure.exe | tr -d '\r' >cmake/card_fonts.cmake
#include <windows.h>

#include <cstdio>

#include "card/card_layout.h"

namespace {

// 100 % to 200 % in the steps the system offers.
constexpr int SCALES[] = {96, 120, 144, 168, 192};

HFONT CardFont(const TextBlockLayout& block, int dpi) {
  return CreateFontA(CardFontHeight(block, dpi), 0, 0, 0, block.weight, FALSE, FALSE, FALSE,
                     ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                     FF_SWISS | DEFAULT_PITCH, "Arial");
}

// The font's line height: at 100 % the cell height asked for, which Windows gives (Wine's
// is a pixel less); at other scales the one the font mapper made for the em asked for.
int PrintWidths(HDC dc, const char* name, const TextBlockLayout& block, int dpi) {
  HFONT font = CardFont(block, dpi);
  HGDIOBJ previous = SelectObject(dc, font);
  INT widths[256] = {};
  GetCharWidth32A(dc, 0, 255, widths);
  TEXTMETRICA metrics{};
  GetTextMetricsA(dc, &metrics);
  std::printf("set(QUILLANE_%s_WIDTHS_%d", name, dpi);
  for (int c = 0; c < 256; ++c) std::printf("%s%d", c % 16 == 0 ? "\n   " : " ", widths[c]);
  std::printf(")\n");
  SelectObject(dc, previous);
  DeleteObject(font);
  return dpi == CARD_BASE_DPI ? block.height : static_cast<int>(metrics.tmHeight);
}

}  // namespace

int main() {
  HDC dc = CreateCompatibleDC(nullptr);
  std::printf(
      "# Made by tools/card_fonts/measure_card_fonts.cpp from card/card_layout.h: for each\n"
      "# scale, the advance widths in pixels of the characters 0 to 255 (Windows-1252) in the\n"
      "# card's verse and reference fonts, the text column's width and the passage's lines.\n"
      "set(QUILLANE_CARD_SCALES");
  for (int dpi : SCALES) std::printf(" %d", dpi);
  std::printf(")\n");
  for (int dpi : SCALES) {
    const int lineHeight = PrintWidths(dc, "VERSE", VERSE_BLOCK, dpi);
    PrintWidths(dc, "REFERENCE", REFERENCE_BLOCK, dpi);
    std::printf(
        "set(QUILLANE_TEXT_WIDTH_%d %d)\nset(QUILLANE_PASSAGE_LINES_%d %d)\n", dpi,
        ScaledForDpi(CARD_TEXT_RIGHT, dpi) - ScaledForDpi(VERSE_BLOCK.left, dpi), dpi,
        (ScaledForDpi(REFERENCE_BLOCK.top, dpi) - ScaledForDpi(VERSE_BLOCK.top, dpi)) / lineHeight);
  }
  DeleteDC(dc);
  return 0;
}
