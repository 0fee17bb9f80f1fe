// A build of the program's code whose resources have every template and picture but no
// verse collection and no holiday calendar: the card must still come up, empty where
// the data would be, without a crash or a division by a zero count.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "card/card_painter.h"
#include "card/change_card.h"
#include "content/background_picture.h"
#include "content/holiday_calendar.h"
#include "content/resource_store.h"
#include "core/app_state.h"
#include "core/handles.h"
#include "core/random.h"
#include "resources/resource_ids.h"
#include "settings/settings_store.h"
#include "tests/win32/card/card_painter_canvas.h"

namespace {

using Key = RegistryKey;

// Stores "version" for the verse choices and puts the prefix's value back afterwards.
class MissingData : public ::testing::Test {
 protected:
  void SetUp() override {
    savedState_.reset(new AppState(appState));
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, SETTINGS_KEY_PATH, 0, nullptr, 0,
                              KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr, &key, nullptr));
    settings_.reset(key);
    DWORD size = sizeof savedVersion_;
    hadVersion_ =
        RegQueryValueExA(key, "version", nullptr, nullptr, reinterpret_cast<BYTE*>(&savedVersion_),
                         &size) == ERROR_SUCCESS &&
        size == sizeof savedVersion_;
  }

  void TearDown() override {
    if (hadVersion_) {
      RegSetValueExA(settings_.get(), "version", 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&savedVersion_), sizeof savedVersion_);
    } else {
      RegDeleteValueA(settings_.get(), "version");
    }
    appState = *savedState_;
  }

  void StoreVersion(std::uint32_t code) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(settings_.get(), "version", 0, REG_DWORD,
                                            reinterpret_cast<const BYTE*>(&code), sizeof code));
  }

 private:
  std::unique_ptr<AppState> savedState_;
  Key settings_;
  std::uint32_t savedVersion_ = 0;
  bool hadVersion_ = false;
};

// The build is what the tests assume: the data are gone, the rest is there.
TEST_F(MissingData, TheBuildHasTheTemplatesAndPicturesButNoData) {
  ByteView bytes{};
  for (int id = IDR_FIRST_VERSES; id <= IDR_LAST_VERSES; ++id) {
    EXPECT_FALSE(FindResourceBytes(id, "verses", &bytes)) << "collection " << id;
  }
  EXPECT_FALSE(FindResourceBytes(IDR_HOLIDAYS, "holidays", &bytes));
  for (int id = IDR_FIRST_PICTURE; id <= IDR_LAST_PICTURE; ++id) {
    EXPECT_TRUE(FindResourceBytes(id, "image", &bytes)) << "picture " << id;
  }
  char title[100] = {};
  EXPECT_LT(0, LoadStringA(GetModuleHandleA(nullptr), IDS_APP_TITLE, title, sizeof title));
  EXPECT_NE(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(IDD_OPTIONS), RT_DIALOG));
  EXPECT_NE(nullptr, FindResourceA(nullptr, MAKEINTRESOURCEA(IDB_NEXT_BUTTON), RT_BITMAP));
}

// Every code, known or not: both strings empty, and whatever they held is gone. The
// generator still makes its one draw, so the picture drawn next is the same either way.
TEST_F(MissingData, ChooseVerseLeavesBothStringsEmptyForEveryCode) {
  for (std::uint32_t code = 999; code <= 1014; ++code) {
    StoreVersion(code);
    std::memset(appState.verseText, 'x', VERSE_CAPACITY);
    std::memset(appState.verseReference, 'y', VERSE_CAPACITY);
    RandomSeed(code);
    RandomNext();
    const std::uint32_t afterOneDraw = RandomGenerator.state;
    RandomSeed(code);

    ChooseVerse();

    EXPECT_EQ(code, appState.translationCode) << "the code is still read";
    for (int i = 0; i < VERSE_CAPACITY; ++i) {
      if (appState.verseText[i] != 0 || appState.verseReference[i] != 0) {
        ADD_FAILURE() << "code " << code << ": byte " << i << " of the strings is not cleared";
        break;
      }
    }
    EXPECT_EQ(afterOneDraw, RandomGenerator.state) << "code " << code << ": one draw";
  }
}

TEST_F(MissingData, FindNextHolidaysFindsNone) {
  std::unique_ptr<HolidayList> list(new HolidayList);
  std::memset(list.get(), 0xBD, sizeof *list);
  FindNextHolidays(list.get());
  EXPECT_EQ(0, list->count);

  std::memset(&holidayList, 0xBD, sizeof holidayList);
  FindNextHolidays(&holidayList);
  EXPECT_EQ(0, holidayList.count);
}

// With nothing to say and a code without an attribution, the card is its picture alone;
// with an attribution the same paint does differ, so the comparison can see text.
TEST_F(MissingData, TheCardIsThePictureAlone) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  const HWND window = CreateCardSizedWindow();
  ASSERT_NE(nullptr, window);
  StoreVersion(1000);
  ChooseVerse();
  appState.pictureId = IDR_FIRST_PICTURE + 2;
  appState.newPictureRequested = 0;

  Canvas background(350, 554, UNTOUCHED);
  LoadBackgroundPicture();
  ASSERT_NE(nullptr, appState.picture);
  RenderAtNaturalSize(background.dc, appState.picture);

  struct Case {
    std::uint32_t code;
    bool onlyThePicture;
  };
  for (const Case& c : {Case{1000, true}, Case{1014, true}, Case{1001, false}}) {
    appState.translationCode = c.code;
    Canvas card(350, 554, UNTOUCHED);
    PaintCard(card.dc, window);
    int differing = 0;
    for (int y = 0; y < card.height; ++y) {
      for (int x = 0; x < card.width; ++x) differing += card.At(x, y) != background.At(x, y);
    }
    if (c.onlyThePicture) {
      EXPECT_EQ(0, differing) << "code " << c.code << ": pixels beside the picture";
    } else {
      EXPECT_LT(0, differing) << "code " << c.code << ": the attribution line shows";
    }
  }

  if (appState.picture != nullptr) {
    appState.picture->Release();
    appState.picture = nullptr;
  }
  DestroyWindow(window);
  CoUninitialize();
}

}  // namespace
