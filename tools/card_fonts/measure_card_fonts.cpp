// Prints cmake/card_fonts.cmake: the advance width in pixels of every Windows-1252
// character in the card's verse and reference fonts, made as the card makes them, and the
// card's text area, for the check of supplied verse texts. Run it under Wine (its Arial is
// metric-compatible with Windows') or Windows:
//   x86_64-w64-mingw32-g++-posix -I. -static -o measure.exe tools/card_fonts/measure_card_fonts.cpp
//   wine measure.exe | tr -d '\r' >cmake/card_fonts.cmake
#include <windows.h>

#include <cstdio>

#include "card/card_text.h"

namespace {

void PrintFont(HDC dc, const char* name, const TextBlockLayout& block) {
  HFONT font = CreateFontA(block.height, 0, 0, 0, block.weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                           OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                           FF_SWISS | DEFAULT_PITCH, "Arial");
  HGDIOBJ previous = SelectObject(dc, font);
  INT widths[256] = {};
  GetCharWidth32A(dc, 0, 255, widths);
  // Windows gives the font the cell height asked for; Wine's is a pixel less.
  std::printf("set(QUILLANE_%s_LINE_HEIGHT %d)\nset(QUILLANE_%s_WIDTHS", name, block.height, name);
  for (int c = 0; c < 256; ++c) std::printf("%s%d", c % 16 == 0 ? "\n   " : " ", widths[c]);
  std::printf(")\n");
  SelectObject(dc, previous);
  DeleteObject(font);
}

}  // namespace

int main() {
  HDC dc = CreateCompatibleDC(nullptr);
  std::printf(
      "# Made by tools/card_fonts/measure_card_fonts.cpp: advance widths in pixels of the\n"
      "# characters 0 to 255 (Windows-1252) in the card's fonts, the line heights and the\n"
      "# card's text area (card/card_text.h).\n"
      "set(QUILLANE_CARD_TEXT_WIDTH %d)\nset(QUILLANE_REFERENCE_TOP %d)\n",
      CARD_TEXT_RIGHT - CardLayout[CARD_VERSE].left, CardLayout[CARD_REFERENCE].top);
  std::printf("set(QUILLANE_VERSE_TOP %d)\n", CardLayout[CARD_VERSE].top);
  PrintFont(dc, "VERSE", CardLayout[CARD_VERSE]);
  PrintFont(dc, "REFERENCE", CardLayout[CARD_REFERENCE]);
  DeleteDC(dc);
  return 0;
}
