#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "card/card_painter.h"
#include "tests/win32/card/card_painter_canvas.h"
#include "content/resource_store.h"
#include "content/translation_table.h"
#include "content/verse_collection.h"
#include "core/app_state.h"

namespace {

constexpr int CLIENT_WIDTH = 350;
constexpr int CLIENT_HEIGHT = 554;

// Where the cards go: QUILLANE_SCREENSHOTS, else the working directory.
std::string ScreenshotPath(const std::string& name) {
  const char* folder = std::getenv("QUILLANE_SCREENSHOTS");
  if (folder == nullptr || *folder == '\0') return name;
  std::string path = folder;
  // A Unix path handed through Wine is reached through drive Z:.
  if (path[0] == '/') path = "Z:" + path;
  return path + "/" + name;
}

// Passage `index` of the collection of `code` into AppState, as the verse choice does.
bool PutVerse(std::uint32_t code, int index) {
  ByteView collection{};
  if (!FindResourceBytes(CollectionIdForCode(code), "VERSES", &collection)) return false;
  FetchVersePair(collection, index, appState.verseText, sizeof appState.verseText,
                 appState.verseReference, sizeof appState.verseReference);
  appState.translationCode = code;
  return appState.verseText[0] != '\0';
}

// The index of the longest passage of a collection, to see the card overflow.
int LongestPassage(std::uint32_t code) {
  ByteView collection{};
  if (!FindResourceBytes(CollectionIdForCode(code), "VERSES", &collection)) return 0;
  const int count = CountVersePairs(collection);
  int longest = 0;
  std::size_t longestLength = 0;
  for (int i = 0; i < count; ++i) {
    FetchVersePair(collection, i, appState.verseText, sizeof appState.verseText,
                   appState.verseReference, sizeof appState.verseReference);
    if (std::strlen(appState.verseText) > longestLength) {
      longestLength = std::strlen(appState.verseText);
      longest = i;
    }
  }
  return longest;
}

// Puts the process-wide state back for whatever runs next in this process.
class CardPainterScreenshot : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = appState;
    appState.picture = nullptr;  // the saved copy keeps its reference
  }
  void TearDown() override {
    if (appState.picture != nullptr) appState.picture->Release();
    appState = saved;
  }
  AppState saved;
};

}  // namespace

// Paints whole cards as the window shows them, for a person to look at: each picture
// with a passage of another translation and the holidays as of 24 December 2009.
TEST_F(CardPainterScreenshot, WritesOneCardPerPicture) {
  HWND window = CreateCardSizedWindow();
  ASSERT_NE(nullptr, window);
  const COLORREF windowColour = GetSysColor(COLOR_WINDOW);
  const std::uint32_t background =
      (GetRValue(windowColour) << 16) | (GetGValue(windowColour) << 8) | GetBValue(windowColour);
  for (int id = 131; id <= 138; ++id) {
    const std::uint32_t code = 1001 + static_cast<std::uint32_t>(id - 131) * 12 / 7;
    const int index = id == 138 ? LongestPassage(code) : (id - 131) * 61 + 7;
    ASSERT_TRUE(PutVerse(code, index)) << "picture " << id;
    if (appState.picture != nullptr) appState.picture->Release();
    appState.picture = nullptr;
    appState.newPictureRequested = 0;
    appState.pictureId = id;

    Canvas card(CLIENT_WIDTH, CLIENT_HEIGHT, background);
    ASSERT_TRUE(PaintCardAt(card.dc, window, {2009, 12, 4, 24, 10, 0, 0, 0}));

    EXPECT_GT(CountNewDarkPixels(card, nullptr, 13, 14, 336, 40), 50) << "picture " << id;
    EXPECT_GT(CountNewDarkPixels(card, nullptr, 10, 430, 336, 444), 50) << "picture " << id;
    const std::string name = "card_" + std::to_string(id) + ".bmp";
    EXPECT_TRUE(SaveBitmap(card, ScreenshotPath(name))) << ScreenshotPath(name);
  }
  DestroyWindow(window);
}

// The card as one WM_PAINT draws it now: a random picture and today's holidays.
TEST_F(CardPainterScreenshot, WritesTodaysCard) {
  HWND window = CreateCardSizedWindow();
  ASSERT_NE(nullptr, window);
  ASSERT_TRUE(PutVerse(1002, 100));
  appState.newPictureRequested = 1;
  Canvas card(CLIENT_WIDTH, CLIENT_HEIGHT, WHITE);
  PaintCard(card.dc, window);
  EXPECT_NE(nullptr, appState.picture);
  EXPECT_TRUE(SaveBitmap(card, ScreenshotPath("card_today.bmp")));
  DestroyWindow(window);
}
