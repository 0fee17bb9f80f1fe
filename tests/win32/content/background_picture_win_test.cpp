#include <gtest/gtest.h>

#include <windows.h>

#include <ocidl.h>
#include <olectl.h>

#include <cstring>

#include "tests/win32/card/card_painter_canvas.h"
#include "content/background_picture.h"
#include "core/app_state.h"
#include "core/random.h"

namespace {

// Each test starts without a picture and leaves none behind; the process-wide state is
// put back afterwards for whatever runs next in this process.
class BackgroundPicture : public ::testing::Test {
 protected:
  void SetUp() override {
    saved = appState;
    appState.picture = nullptr;  // the saved copy keeps its reference
    Drop();
  }
  void TearDown() override {
    Drop();
    appState = saved;
  }
  static void Drop() {
    if (appState.picture != nullptr) appState.picture->Release();
    appState.picture = nullptr;
    appState.newPictureRequested = 0;
    appState.pictureId = FIRST_PICTURE_ID;
  }
  AppState saved;
};

SIZE PixelSize(IPicture* picture) {
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture->get_Width(&width);
  picture->get_Height(&height);
  HDC screen = GetDC(nullptr);
  const SIZE size{MulDiv(width, GetDeviceCaps(screen, LOGPIXELSX), 2540),
                  MulDiv(height, GetDeviceCaps(screen, LOGPIXELSY), 2540)};
  ReleaseDC(nullptr, screen);
  return size;
}

}  // namespace

TEST_F(BackgroundPicture, LoadsEachCardPictureAtItsPixelSize) {
  for (int id = 131; id <= 138; ++id) {
    appState.pictureId = id;
    LoadBackgroundPicture();
    ASSERT_NE(nullptr, appState.picture) << "picture " << id;
    EXPECT_EQ(id, appState.pictureId);
    const SIZE size = PixelSize(appState.picture);
    EXPECT_EQ(342, size.cx) << "picture " << id;
    EXPECT_EQ(500, size.cy) << "picture " << id;
    short type = 0;
    appState.picture->get_Type(&type);
    EXPECT_EQ(PICTYPE_BITMAP, type) << "picture " << id;
  }
}

TEST_F(BackgroundPicture, ARequestDrawsFromTheGeneratorAndIsTakenOnce) {
  for (unsigned seed : {0u, 3u, 1000u, 0xDEADBEEFu}) {
    RandomSeed(seed);
    const std::int32_t expected = PictureIdForRandom(RandomNext());
    RandomSeed(seed);
    appState.newPictureRequested = 1;
    LoadBackgroundPicture();
    EXPECT_EQ(expected, appState.pictureId) << "seed " << seed;
    EXPECT_EQ(0, appState.newPictureRequested) << "seed " << seed;
    EXPECT_NE(nullptr, appState.picture) << "seed " << seed;
    LoadBackgroundPicture();
    EXPECT_EQ(expected, appState.pictureId) << "seed " << seed << ": second load drew again";
  }
}

// The loader hands the old object back: with one extra reference of ours it is freed
// exactly when we drop ours.
TEST_F(BackgroundPicture, ReleasesThePreviousPictureOnEveryLoad) {
  struct Case {
    int nextId;
    bool loads;
  };
  const Case cases[] = {{131, true}, {138, true}, {130, false}, {139, false}, {9999, false}};
  for (const Case& c : cases) {
    appState.pictureId = 134;
    LoadBackgroundPicture();
    IPicture* old = appState.picture;
    ASSERT_NE(nullptr, old);
    old->AddRef();
    appState.pictureId = c.nextId;
    LoadBackgroundPicture();
    EXPECT_EQ(0u, old->Release()) << "old picture still held after loading " << c.nextId;
    EXPECT_EQ(c.loads, appState.picture != nullptr) << "picture " << c.nextId;
  }
}

TEST_F(BackgroundPicture, ReloadingWithoutARequestGivesTheSamePixels) {
  Canvas first(344, 506, UNTOUCHED);
  Canvas second(344, 506, UNTOUCHED);
  appState.pictureId = 135;
  LoadBackgroundPicture();
  ASSERT_NE(nullptr, appState.picture);
  RenderAtNaturalSize(first.dc, appState.picture);
  LoadBackgroundPicture();
  ASSERT_NE(nullptr, appState.picture);
  RenderAtNaturalSize(second.dc, appState.picture);
  EXPECT_EQ(135, appState.pictureId);
  EXPECT_EQ(0, std::memcmp(first.pixels, second.pixels, 344 * 506 * 4));
  EXPECT_NE(UNTOUCHED, first.At(341, 499));
  EXPECT_EQ(UNTOUCHED, first.At(342, 499));
  EXPECT_EQ(UNTOUCHED, first.At(341, 500));
}

// A decode at every paint must not pile up bitmaps, memory blocks or streams.
TEST_F(BackgroundPicture, TwoHundredLoadsKeepResourceUseFlat) {
  appState.pictureId = 133;
  LoadBackgroundPicture();
  const int gdiBefore = FreeGdiCapacity();
  const std::size_t heapBefore = ProcessHeapBytesInUse();
  {
    // The heap measure must see one held block of a picture's size.
    HGLOBAL held = GlobalAlloc(GMEM_MOVEABLE, 40000);
    EXPECT_GE(ProcessHeapBytesInUse(), heapBefore + 40000);
    GlobalFree(held);
  }
  for (int i = 0; i < 200; ++i) {
    appState.newPictureRequested = i % 2;
    LoadBackgroundPicture();
    ASSERT_NE(nullptr, appState.picture) << "load " << i;
  }
  EXPECT_GE(FreeGdiCapacity(), gdiBefore - 2);
  // 200 leaked copies of a picture's bytes would hold 8 MB or more.
  EXPECT_LT(ProcessHeapBytesInUse(), heapBefore + 1024 * 1024);
}
