#pragma once
// Every position and size of the card, at 100 % (96 DPI), in client pixels, and the rules
// that scale them (ScaledForDpi, CardFontHeight). The program draws from these rows;
// tools/pictures/card_layout.py reads this file, so the pictures' frame, panel and heading follow
// the same numbers: move the panel here, rerun tools/pictures/make_pictures.py and commit the
// pictures. Keep each row of the form "constexpr TYPE NAME = VALUE;" with VALUE an integer
// expression or a brace list of them.

// A rectangle drawn into the pictures: left, top, right, bottom, all inclusive.
struct PictureBox {
  int left;
  int top;
  int right;
  int bottom;
};

// Where a text block is drawn: font cell height, weight, left and top. Every block wraps
// into the rectangle from its left and top to CARD_TEXT_RIGHT, CARD_TEXT_BOTTOM.
struct TextBlockLayout {
  int height;
  int weight;
  int left;
  int top;
};

// A picture button on the button row: its left edge and width.
struct ButtonPlace {
  int left;
  int width;
};

// The scale the table is written at: 100 %.
constexpr int CARD_BASE_DPI = 96;

constexpr int FONT_WEIGHT_NORMAL = 400;
constexpr int FONT_WEIGHT_BOLD = 700;

// The window's client area, for the picture and the text. Its outer size follows from the
// frame the system draws (350 x 554 under the classic window metrics).
constexpr int CARD_CLIENT_WIDTH = 344;
constexpr int CARD_CLIENT_HEIGHT = 510;

// The background picture, drawn at the client origin at its natural size.
constexpr int PICTURE_WIDTH = 342;
constexpr int PICTURE_HEIGHT = 500;

// The text: the left edge of the smaller lines (just inside the frame's frayed column 7)
// and the right and bottom edges every block wraps within.
constexpr int CARD_TEXT_LEFT = 10;
constexpr int CARD_TEXT_RIGHT = 336;
constexpr int CARD_TEXT_BOTTOM = 500;

// The verse on the picture's motif; the reference and the attribution above the buttons.
constexpr TextBlockLayout VERSE_BLOCK = {24, FONT_WEIGHT_NORMAL, 13, 14};
constexpr TextBlockLayout REFERENCE_BLOCK = {20, FONT_WEIGHT_BOLD, 13, 295};
constexpr TextBlockLayout ATTRIBUTION_BLOCK = {15, FONT_WEIGHT_NORMAL, CARD_TEXT_LEFT, 320};

// The button row: Context, the arrow and Go Forth from left to right.
constexpr int BUTTON_TOP = 362;
constexpr int BUTTON_HEIGHT = 31;
constexpr ButtonPlace CONTEXT_BUTTON = {15, 85};
constexpr ButtonPlace NEXT_VERSE_BUTTON = {147, 46};
constexpr ButtonPlace GO_FORTH_BUTTON = {247, 85};

// The holiday lines under the panel's heading, one line every HOLIDAY_LINE_SPACING.
constexpr TextBlockLayout FIRST_HOLIDAY_BLOCK = {15, FONT_WEIGHT_BOLD, CARD_TEXT_LEFT, 430};
constexpr int HOLIDAY_LINE_SPACING = 14;
constexpr int HOLIDAY_LINES = 4;
// The panel's heading, which the pictures carry painted in: its band starts here and ends at
// the first holiday line (the font is the pictures', the row only places the band).
constexpr TextBlockLayout PANEL_HEADING_BLOCK = {15, FONT_WEIGHT_BOLD, CARD_TEXT_LEFT, 410};

// Drawn into the pictures. The washed-out motif behind the verse, reference and buttons:
constexpr PictureBox MOTIF_BOX = {7, 11, 337, 398};
// The part of it the card writes on, which must stay light:
constexpr PictureBox TEXT_BOX = {CARD_TEXT_LEFT, 11, CARD_TEXT_RIGHT, 398};
// The parchment panel of the holidays, under a bar of the frame:
constexpr PictureBox PANEL_BOX = {7, 408, 337, 495};
// The four holiday lines on it, which must stay light too:
constexpr PictureBox HOLIDAY_BOX = {CARD_TEXT_LEFT, FIRST_HOLIDAY_BLOCK.top, CARD_TEXT_RIGHT,
                                    FIRST_HOLIDAY_BLOCK.top + 59};
// The panel's heading "Upcoming Events:": its ink from the i-dot to the baseline, and
// the row of its underline.
constexpr PictureBox HEADING_INK = {14, 413, 136, 423};
constexpr int HEADING_UNDERLINE_ROW = 424;
// The frame's dark core: top, left, right, bottom, and the bar between motif and panel.
constexpr PictureBox FRAME_CORE[] = {
    {1, 2, 341, 10}, {1, 2, 6, 499}, {338, 2, 341, 499}, {1, 496, 341, 499}, {1, 399, 341, 407},
};
// The frame's lighter outer lip along the top and the left; the other edges have none.
constexpr PictureBox FRAME_RIM[] = {{0, 0, 341, 1}, {0, 0, 0, 499}};

// The card's texts in reading order; each holiday line is a block of its own.
enum CardBlock {
  CARD_VERSE,
  CARD_REFERENCE,
  CARD_ATTRIBUTION,
  CARD_PANEL_HEADING,
  CARD_FIRST_HOLIDAY,
  CARD_BLOCKS = CARD_FIRST_HOLIDAY + HOLIDAY_LINES
};

constexpr TextBlockLayout CardLayout[CARD_FIRST_HOLIDAY + 1] = {
    VERSE_BLOCK, REFERENCE_BLOCK, ATTRIBUTION_BLOCK, PANEL_HEADING_BLOCK, FIRST_HOLIDAY_BLOCK};

// Holiday line `index` (0..3): the first line's font and left, moved down line by line.
constexpr TextBlockLayout HolidayLineLayout(int index) {
  return {FIRST_HOLIDAY_BLOCK.height, FIRST_HOLIDAY_BLOCK.weight, FIRST_HOLIDAY_BLOCK.left,
          FIRST_HOLIDAY_BLOCK.top + HOLIDAY_LINE_SPACING * index};
}

// Any block of the card, holiday lines included.
constexpr TextBlockLayout BlockLayout(int block) {
  return block < CARD_FIRST_HOLIDAY ? CardLayout[block]
                                    : HolidayLineLayout(block - CARD_FIRST_HOLIDAY);
}

// Where the band of `block` ends: at the next block's top, the attribution's at the buttons,
// the last holiday line's one spacing down.
constexpr int BlockBandBottom(int block) {
  return block == CARD_ATTRIBUTION ? BUTTON_TOP
         : block + 1 < CARD_BLOCKS ? BlockLayout(block + 1).top
                                   : BlockLayout(block).top + HOLIDAY_LINE_SPACING;
}

// The rules the table keeps with the pictures: each text ends above the next, the reference
// and the attribution above the buttons, the holiday lines on the panel, every text inside
// the text column.
static_assert(VERSE_BLOCK.top + VERSE_BLOCK.height < REFERENCE_BLOCK.top, "verse, reference");
static_assert(REFERENCE_BLOCK.top + REFERENCE_BLOCK.height <= ATTRIBUTION_BLOCK.top,
              "reference, attribution");
static_assert(ATTRIBUTION_BLOCK.top + ATTRIBUTION_BLOCK.height <= BUTTON_TOP, "buttons");
static_assert(HolidayLineLayout(0).top >= PANEL_BOX.top, "holiday lines on the panel");
static_assert(HolidayLineLayout(HOLIDAY_LINES - 1).top + FIRST_HOLIDAY_BLOCK.height <=
                  CARD_TEXT_BOTTOM,
              "holiday lines above the text bottom");
static_assert(VERSE_BLOCK.left < CARD_TEXT_RIGHT && ATTRIBUTION_BLOCK.left < CARD_TEXT_RIGHT,
              "texts inside the column");

// A length of the table at `dpi`, rounded to the nearest pixel with halves away from zero,
// as MulDiv(value, dpi, 96) rounds.
constexpr int ScaledForDpi(int value, int dpi) {
  return static_cast<int>(
      value < 0 ? -((-static_cast<long long>(value) * dpi + CARD_BASE_DPI / 2) / CARD_BASE_DPI)
                : (static_cast<long long>(value) * dpi + CARD_BASE_DPI / 2) / CARD_BASE_DPI);
}

// The face's em and cell (ascent plus descent) in its design units: Arial's, which the
// metric-compatible face standing in for it under Wine shares.
constexpr int CARD_FACE_EM_UNITS = 2048;
constexpr int CARD_FACE_CELL_UNITS = 2288;

// The height CreateFont takes for `block` at `dpi`. At 100 % the table's cell height, as the
// card has always been drawn; at other scales the em that cell gives, scaled and rounded
// down, so the letters never grow faster than the boxes that hold them (a scaled, rounded
// cell height gave the em up to 8 % more than the box).
constexpr int CardFontHeight(const TextBlockLayout& block, int dpi) {
  return dpi == CARD_BASE_DPI ? block.height
                              : -((block.height * CARD_FACE_EM_UNITS + CARD_FACE_CELL_UNITS / 2) /
                                  CARD_FACE_CELL_UNITS * dpi / CARD_BASE_DPI);
}
