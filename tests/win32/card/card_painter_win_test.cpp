#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "card/card_painter.h"
#include "card/card_text.h"
#include "card/card_texts.h"
#include "tests/win32/card/card_painter_canvas.h"
#include "content/background_picture.h"
#include "content/holiday_calendar.h"
#include "content/resource_store.h"
#include "content/verse_collection.h"
#include "core/app_state.h"
#include "core/handles.h"
#include "core/text_win.h"
#include "tests/win32/import_patch.h"

namespace {

constexpr int CANVAS_WIDTH = 344;
constexpr int CANVAS_HEIGHT = 506;
// Above the holiday lines, which a paint draws as of today.
constexpr int PANEL_TOP = 430;
constexpr int NO_PICTURE = 9999;  // no such resource: the load fails

// Each test paints from a known state: a given picture, no request, empty texts; the
// process-wide state is put back afterwards for whatever runs next in this process.
class CardPainter : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = appState;
    appState.picture = nullptr;  // the saved copy keeps its reference
    Reset();
    window.reset(CreateCardSizedWindow());
    ASSERT_NE(nullptr, window.get());
  }
  void TearDown() override {
    Reset();
    appState = saved;
  }
  static void Reset() {
    if (appState.picture != nullptr) appState.picture->Release();
    appState.picture = nullptr;
    appState.newPictureRequested = 0;
    appState.pictureId = FIRST_PICTURE_ID;
    appState.translationCode = 1000;
    appState.verseText[0] = '\0';
    appState.verseReference[0] = '\0';
  }
  // The texts alone on `canvas`: no picture loads.
  void PaintTexts(const Canvas& canvas) {
    appState.pictureId = NO_PICTURE;
    PaintCard(canvas.dc, window.get());
  }
  OwnedWindow window;
  AppState saved;
};

// What DrawTextA draws with the card's style written out by hand.
void ReferenceText(HDC dc, const char* text, int height, int weight, int left, int top,
                   UINT format) {
  HFONT font =
      CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
  HGDIOBJ previous = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  RECT rect{left, top, 336, 500};
  DrawTextA(dc, text, static_cast<int>(std::strlen(text)), &rect, format);
  SelectObject(dc, previous);
  DeleteObject(font);
  GdiFlush();
}

int DifferingPixels(const Canvas& a, const Canvas& b, int left, int top, int right, int bottom) {
  GdiFlush();
  int count = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) count += a.At(x, y) != b.At(x, y);
  }
  return count;
}

std::vector<unsigned char> Calendar() {
  ByteView bytes{};
  if (!FindResourceBytes(129, "HOLIDAYS", &bytes)) return {};
  return std::vector<unsigned char>(bytes.data, bytes.data + bytes.size);
}

// The band of holiday line `i`, less its first two rows: the 15-pixel cells stand 14
// apart, so the line above reaches into them with its descenders.
int HolidayInk(const Canvas& canvas, int i) {
  return CountNewDarkPixels(canvas, nullptr, 10, 430 + 14 * i + 2, 336, 430 + 14 * (i + 1));
}

// What reaches GDI: the texts handed to DrawTextW.
std::vector<std::wstring> drawnWide;
decltype(&DrawTextW) realDrawTextW = nullptr;

int WINAPI RecordDrawTextW(HDC dc, LPCWSTR text, int length, LPRECT rect, UINT format) {
  drawnWide.emplace_back(text, static_cast<std::size_t>(length));
  return realDrawTextW(dc, text, length, rect, format);
}

}  // namespace

TEST_F(CardPainter, DrawsThePictureAtItsNaturalSizeAtTheOrigin) {
  for (int id = 131; id <= 138; ++id) {
    Reset();
    appState.pictureId = id;
    Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, UNTOUCHED);
    PaintCard(painted.dc, window.get());
    GdiFlush();
    IPicture* picture = DecodeImageResource(id);
    ASSERT_NE(nullptr, picture) << "picture " << id;
    Canvas expected(CANVAS_WIDTH, CANVAS_HEIGHT, UNTOUCHED);
    RenderAtNaturalSize(expected.dc, picture);
    picture->Release();

    int differing = 0;
    int lighterInHolidayPanel = 0;
    for (int y = 0; y < CANVAS_HEIGHT; ++y) {
      for (int x = 0; x < CANVAS_WIDTH; ++x) {
        const std::uint32_t seen = painted.At(x, y);
        const std::uint32_t want = expected.At(x, y);
        if (seen == want) continue;
        // Today's holiday lines may darken the panel; nothing else may change.
        const bool inHolidayLines = x >= 10 && x < 336 && y >= 430 && y < 500;
        if (!inHolidayLines) {
          ++differing;
        } else if ((seen & 0xFF) > (want & 0xFF)) {
          ++lighterInHolidayPanel;
        }
      }
    }
    EXPECT_EQ(0, differing) << "picture " << id;
    EXPECT_EQ(0, lighterInHolidayPanel) << "picture " << id;
    EXPECT_NE(UNTOUCHED, painted.At(0, 0)) << "picture " << id;
    EXPECT_NE(UNTOUCHED, painted.At(341, 499)) << "picture " << id;
    EXPECT_EQ(UNTOUCHED, painted.At(342, 0)) << "picture " << id;
    EXPECT_EQ(UNTOUCHED, painted.At(0, 500)) << "picture " << id;
    EXPECT_EQ(UNTOUCHED, painted.At(343, 505)) << "picture " << id;
  }
}

TEST_F(CardPainter, WithoutAPictureOnlyTextIsDrawn) {
  std::strcpy(appState.verseText, "Be still, and know\r");
  Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
  PaintTexts(painted);
  EXPECT_EQ(nullptr, appState.picture);
  EXPECT_GT(CountNewDarkPixels(painted, nullptr, 13, 14, 336, 38), 50);
  GdiFlush();
  EXPECT_EQ(WHITE, painted.At(200, 200));
  EXPECT_EQ(WHITE, painted.At(0, 0));
}

TEST_F(CardPainter, AttributionOnlyForCodesOfTheTable) {
  struct Case {
    std::uint32_t code;
    bool drawn;
  };
  const Case cases[] = {{1013, true}, {1001, true}, {1000, false}, {1014, false}, {0, false}};
  for (const Case& c : cases) {
    Reset();
    appState.pictureId = 132;
    appState.translationCode = c.code;
    Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, UNTOUCHED);
    PaintCard(painted.dc, window.get());
    Canvas pictureOnly(CANVAS_WIDTH, CANVAS_HEIGHT, UNTOUCHED);
    RenderAtNaturalSize(pictureOnly.dc, appState.picture);
    const int band = CountNewDarkPixels(painted, &pictureOnly, 10, 320, 336, 336);
    const int elsewhere = CountNewDarkPixels(painted, &pictureOnly, 0, 0, CANVAS_WIDTH, 320) +
                          CountNewDarkPixels(painted, &pictureOnly, 0, 336, CANVAS_WIDTH, 430);
    if (c.drawn) {
      EXPECT_GT(band, 100) << "code " << c.code;
    } else {
      EXPECT_EQ(0, band) << "code " << c.code;
    }
    EXPECT_EQ(0, elsewhere) << "code " << c.code;
  }
}

// The line credits the text this build carries: the committed 140 and 150 are World English
// Bible samples, 147 is the King James Version itself.
TEST_F(CardPainter, AttributionIsTheNormalWeightLineAt10And320) {
  struct Case {
    std::uint32_t code;
    const char* line;
  };
  const Case cases[] = {{1013, "*Taken from the World English Bible"},
                        {1001, "*Taken from the World English Bible"},
                        {1002, "*Taken from the King James Version"}};
  for (const Case& c : cases) {
    appState.translationCode = c.code;
    Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
    PaintTexts(painted);
    Canvas expected(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
    ReferenceText(expected.dc, c.line, 15, 400, 10, 320, DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(0, DifferingPixels(painted, expected, 0, 0, CANVAS_WIDTH, PANEL_TOP))
        << "code " << c.code;
    EXPECT_GT(CountNewDarkPixels(expected, nullptr, 10, 320, 336, 336), 100) << "code " << c.code;
  }
}

TEST_F(CardPainter, VerseAndReferenceBlocksTakeTheirFontsAndPlaces) {
  std::strcpy(appState.verseText,
              "For God so loved the world, that he gave his only begotten Son, that "
              "whosoever believeth in him should not perish, but have everlasting life.\r");
  std::strcpy(appState.verseReference, "John 3:16\r");
  Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
  PaintTexts(painted);
  Canvas expected(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
  ReferenceText(expected.dc, appState.verseText, 24, 400, 13, 14, DT_WORDBREAK | DT_NOPREFIX);
  ReferenceText(expected.dc, appState.verseReference, 20, 700, 13, 295, DT_WORDBREAK | DT_NOPREFIX);
  EXPECT_EQ(0, DifferingPixels(painted, expected, 0, 0, CANVAS_WIDTH, PANEL_TOP));
  // The verse wraps onto several lines within the rectangle.
  EXPECT_GT(CountNewDarkPixels(painted, nullptr, 13, 14 + 24 * 3, 336, 14 + 24 * 4), 20);
  EXPECT_EQ(0, CountNewDarkPixels(painted, nullptr, 336, 0, CANVAS_WIDTH, CANVAS_HEIGHT));
  EXPECT_EQ(0, CountNewDarkPixels(painted, nullptr, 0, 0, 13, PANEL_TOP));
}

// Any passage in the verse's style: line breaks kept, an "&" drawn as written, not as a
// mnemonic marker.
TEST_F(CardPainter, APassageIsDrawnAsWrittenInTheVerseStyle) {
  const char* texts[] = {"The LORD is my shepherd; I shall not want.\r",
                         "line one\r\nline two",
                         "\x93God\x92s image\x94 \x96 \x91light\x92",
                         "Faith & works",
                         "&Amen",
                         "Joy && peace &"};
  // Converted from Windows-1252 whatever the system's code page, where a double-byte one
  // would join each curly quote with the letter after it.
  const ImportPatch record("user32.dll", "DrawTextW", RecordDrawTextW);
  ASSERT_TRUE(record.Found());
  realDrawTextW = record.Original<decltype(&DrawTextW)>();
  for (const char* text : texts) {
    std::strcpy(appState.verseText, text);
    Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
    PaintTexts(painted);
    Canvas expected(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
    ReferenceText(expected.dc, text, 24, 400, 13, 14, DT_WORDBREAK | DT_NOPREFIX);
    EXPECT_EQ(0, DifferingPixels(painted, expected, 0, 0, CANVAS_WIDTH, PANEL_TOP))
        << "for '" << text << "'";
    EXPECT_GT(CountNewDarkPixels(painted, nullptr, 0, 0, CANVAS_WIDTH, PANEL_TOP), 30)
        << "for '" << text << "'";
    if (std::strchr(text, '&') != nullptr) {
      Canvas asMnemonic(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
      ReferenceText(asMnemonic.dc, text, 24, 400, 13, 14, DT_WORDBREAK);
      EXPECT_NE(0, DifferingPixels(painted, asMnemonic, 0, 0, CANVAS_WIDTH, PANEL_TOP))
          << "for '" << text << "': the '&' was taken as a prefix";
    }
  }
  EXPECT_EQ(1, std::count(drawnWide.begin(), drawnWide.end(),
                          L"\u201cGod\u2019s image\u201d \u2013 \u2018light\u2019"));
}

TEST_F(CardPainter, APaintLeavesTheDeviceContextsFontAndSetsItsMode) {
  std::strcpy(appState.verseText, "Selah");
  Canvas canvas(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
  HGDIOBJ before = GetCurrentObject(canvas.dc, OBJ_FONT);
  SetBkMode(canvas.dc, OPAQUE);
  SetBkColor(canvas.dc, RGB(0, 0, 255));
  SetTextColor(canvas.dc, RGB(255, 0, 0));
  PaintTexts(canvas);
  EXPECT_EQ(before, GetCurrentObject(canvas.dc, OBJ_FONT));
  EXPECT_EQ(TRANSPARENT, GetBkMode(canvas.dc));
  EXPECT_EQ(RGB(0, 0, 0), GetTextColor(canvas.dc));
  GdiFlush();
  for (int y = 0; y < CANVAS_HEIGHT; ++y) {
    for (int x = 0; x < CANVAS_WIDTH; ++x) {
      const std::uint32_t pixel = canvas.At(x, y);
      ASSERT_TRUE(pixel == WHITE || ((pixel >> 16) & 0xFF) == (pixel & 0xFF))
          << "coloured pixel " << std::hex << pixel << " at " << std::dec << x << "," << y;
    }
  }
}

TEST_F(CardPainter, AVerseFillingItsWholeBufferIsClippedToTheCard) {
  std::string words;
  while (words.size() < sizeof appState.verseText - 1) words += "mercy ";
  std::memcpy(appState.verseText, words.data(), sizeof appState.verseText - 1);
  appState.verseText[sizeof appState.verseText - 1] = '\0';
  std::memset(appState.verseReference, 'R', sizeof appState.verseReference - 1);
  appState.verseReference[sizeof appState.verseReference - 1] = '\0';
  Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
  PaintTexts(painted);
  EXPECT_GT(CountNewDarkPixels(painted, nullptr, 13, 470, 336, 500), 100);
  EXPECT_EQ(0, CountNewDarkPixels(painted, nullptr, 336, 0, CANVAS_WIDTH, CANVAS_HEIGHT));
  EXPECT_EQ(0, CountNewDarkPixels(painted, nullptr, 0, 500, CANVAS_WIDTH, CANVAS_HEIGHT));
}

TEST_F(CardPainter, HolidayLinesOfTheShippedCalendarAtFixedMoments) {
  struct Case {
    SYSTEMTIME now;
    std::vector<const char*> lines;
  };
  const Case cases[] = {
      {{2009, 12, 4, 24, 10, 0, 0, 0},
       {"12/25  Christmas Day (tomorrow)", "01/06  Twelfth Night (Epiphany) (in 13 days)",
        "02/17  Ash Wednesday (in 55 days)", "03/01  St. David's Day (in 67 days)"}},
      {{2099, 12, 0, 9, 10, 0, 0, 0}, {"12/25  Christmas Day (in 16 days)"}},
      {{2099, 12, 5, 25, 23, 59, 0, 1}, {}},
  };
  appState.pictureId = NO_PICTURE;
  for (const Case& c : cases) {
    Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
    ASSERT_TRUE(PaintCardAt(painted.dc, window.get(), c.now));
    EXPECT_EQ(static_cast<int>(c.lines.size()), holidayList.count) << c.now.wYear;
    Canvas expected(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
    for (std::size_t i = 0; i < c.lines.size(); ++i) {
      ReferenceText(expected.dc, c.lines[i], 15, 700, 10, PANEL_TOP + 14 * static_cast<int>(i),
                    DT_WORDBREAK | DT_NOPREFIX);
    }
    EXPECT_EQ(0, DifferingPixels(painted, expected, 0, 0, CANVAS_WIDTH, CANVAS_HEIGHT))
        << c.now.wYear << "-" << c.now.wMonth << "-" << c.now.wDay;
  }
}

TEST_F(CardPainter, APaintListsTheHolidaysOfToday) {
  std::memset(&holidayList, 0, sizeof holidayList);
  Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
  PaintTexts(painted);
  // The calendar runs to 2099, so today there are always four holidays ahead.
  ASSERT_EQ(4, holidayList.count);
  for (int i = 0; i < HOLIDAY_SLOTS; ++i) {
    EXPECT_GT(HolidayInk(painted, i), 50) << "line " << i;
    EXPECT_GE(holidayList.entries[i].daysUntil, 0) << "line " << i;
  }
}

// How much room `text` takes drawn as the card draws it, measured with the real fonts.
SIZE Measured(const CardText& text) {
  const HDC dc = CreateCompatibleDC(nullptr);
  const HFONT font = CreateFontA(text.fontHeight, 0, 0, 0, text.weight, FALSE, FALSE, FALSE,
                                 ANSI_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, "Arial");
  const HGDIOBJ previous = SelectObject(dc, font);
  const std::wstring wide = WideFrom1252(text.text.c_str());
  RECT rect{0, 0, text.box.right - text.box.left, 0};
  DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect,
            DT_CALCRECT | DT_NOPREFIX | (text.oneLine ? DT_SINGLELINE : DT_WORDBREAK));
  SelectObject(dc, previous);
  DeleteObject(font);
  DeleteDC(dc);
  return {rect.right, rect.bottom};
}

// A holiday line on one line within its width; a wrapped text within its band's height,
// so a passage ends above the reference and a reference takes one line.
::testing::AssertionResult Fits(const CardText& text, int dpi) {
  const SIZE size = Measured(text);
  if (text.oneLine ? size.cx <= text.box.right - text.box.left
                   : size.cy <= text.box.bottom - text.box.top) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << dpi << " DPI: " << size.cx << " x " << size.cy << " for \"" << text.text << "\"";
}

// What fits at 100 % fits at every scale: each holiday line the calendar can give (every
// name, the widest count) on one line in its band, and each passage of the shipped
// collections above its reference, the reference on one line.
TEST_F(CardPainter, EveryTextFitsItsBoxAtEveryScale) {
  const std::vector<unsigned char> calendar = Calendar();
  ASSERT_FALSE(calendar.empty());
  HolidayList holidays{};
  holidays.count = HOLIDAY_SLOTS;
  std::set<std::string> names;
  std::size_t lineStart = 0;
  for (std::size_t i = 0; i < calendar.size(); ++i) {
    if (calendar[i] != '\n') continue;
    // month|day|year|name|description: the name is the field before the last.
    const std::string line(calendar.begin() + lineStart, calendar.begin() + i);
    lineStart = i + 1;
    const std::size_t last = line.rfind('|');
    const std::size_t name = line.rfind('|', last - 1) + 1;
    names.insert(line.substr(name, last - name));
  }
  ASSERT_GE(names.size(), 20u);
  for (int dpi : {96, 120, 144, 168, 192}) {
    for (const std::string& name : names) {
      for (int k = 0; k < HOLIDAY_SLOTS; ++k) {
        holidays.entries[k] = {12, 28, 2009, k == 0 ? 1 : 100, {}, {}};
        name.copy(holidays.entries[k].name, name.size());
      }
      for (const CardText& text : CardTexts("", "", 0, holidays, dpi)) {
        if (text.oneLine) {
          EXPECT_TRUE(Fits(text, dpi));
        }
      }
    }
    for (int id = 140; id <= 152; ++id) {
      ByteView collection{};
      ASSERT_TRUE(FindResourceBytes(id, "VERSES", &collection)) << id;
      const int pairs = CountVersePairs(collection);
      for (int pair = 0; pair < pairs; ++pair) {
        char verse[VERSE_CAPACITY];
        char reference[VERSE_CAPACITY];
        FetchVersePair(collection, pair, verse, sizeof verse, reference, sizeof reference);
        const std::vector<CardText> texts = CardTexts(verse, reference, 0, HolidayList{}, dpi);
        EXPECT_TRUE(Fits(texts[CARD_VERSE], dpi) && Fits(texts[CARD_REFERENCE], dpi)) << id;
      }
    }
  }
}

// Every paint creates a font per block and decodes a picture; none may be left behind.
TEST_F(CardPainter, TwoHundredPaintsLeaveNoGdiObjectsBehind) {
  std::strcpy(appState.verseText, "Rejoice evermore.\r");
  std::strcpy(appState.verseReference, "1 Thessalonians 5:16\r");
  appState.translationCode = 1002;
  Canvas painted(CANVAS_WIDTH, CANVAS_HEIGHT, WHITE);
  PaintCard(painted.dc, window.get());
  const int before = FreeGdiCapacity();
  ASSERT_GT(before, 1000);
  {
    // The measure must see a leak at all: three fonts held are three objects fewer.
    HFONT held[3];
    for (HFONT& font : held) font = CreateFontA(15, 0, 0, 0, 400, 0, 0, 0, 0, 0, 0, 0, 0, "Arial");
    EXPECT_EQ(before - 3, FreeGdiCapacity());
    for (HFONT font : held) DeleteObject(font);
  }
  for (int i = 0; i < 200; ++i) {
    appState.newPictureRequested = 1;
    PaintCard(painted.dc, window.get());
  }
  EXPECT_GE(FreeGdiCapacity(), before - 2);
}
