#include <gtest/gtest.h>

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "core/handles.h"
#include "tests/win32/resources/resource_module.h"

namespace {

using GdiObject = OwnedGdiObject;

using Icon = OwnedIcon;

struct Face {
  int id;
  const char* file;
  LONG width;
  std::size_t bytes;  // info header, rows and two zero bytes after them
};
const Face FACES[] = {{153, "buttons/next.bmp", 46, 2894},
                      {154, "buttons/context.bmp", 86, 5374},
                      {155, "buttons/goforth.bmp", 86, 5374}};

TEST(ResourceImages, FacesLoadAsSixteenBitSectionsOfTheirSize) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  for (const Face& face : FACES) {
    GdiObject section(
        LoadImageA(module, MAKEINTRESOURCEA(face.id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(nullptr, section) << "bitmap " << face.id;
    DIBSECTION dib;
    std::memset(&dib, 0xBD, sizeof dib);
    ASSERT_EQ(static_cast<int>(sizeof dib), GetObjectA(section.get(), sizeof dib, &dib))
        << "bitmap " << face.id;
    EXPECT_EQ(face.width, dib.dsBm.bmWidth) << "bitmap " << face.id;
    EXPECT_EQ(31, dib.dsBm.bmHeight) << "bitmap " << face.id;
    EXPECT_EQ(16, dib.dsBm.bmBitsPixel) << "bitmap " << face.id;
    // GDI may describe a 16-bit section by its masks; they must still be 5-5-5.
    if (dib.dsBmih.biCompression == BI_BITFIELDS) {
      EXPECT_EQ(0x7C00u, dib.dsBitfields[0]) << "bitmap " << face.id;
      EXPECT_EQ(0x03E0u, dib.dsBitfields[1]) << "bitmap " << face.id;
      EXPECT_EQ(0x001Fu, dib.dsBitfields[2]) << "bitmap " << face.id;
    } else {
      EXPECT_EQ(static_cast<DWORD>(BI_RGB), dib.dsBmih.biCompression) << "bitmap " << face.id;
    }

    // The program itself takes them with LoadBitmapA, as device bitmaps.
    GdiObject device(LoadBitmapA(module, MAKEINTRESOURCEA(face.id)));
    ASSERT_NE(nullptr, device) << "bitmap " << face.id;
    BITMAP plain = {};
    ASSERT_NE(0, GetObjectA(device.get(), sizeof plain, &plain));
    EXPECT_EQ(face.width, plain.bmWidth) << "bitmap " << face.id;
    EXPECT_EQ(31, plain.bmHeight) << "bitmap " << face.id;
  }
}

// The resource is the file without its 14-byte file header: a plain info header, no
// colour table, bottom-up rows (and the two bytes that keep the catalogue's sizes).
TEST(ResourceImages, FaceResourcesAreInfoHeaderAndRows) {
  for (const Face& face : FACES) {
    const std::vector<unsigned char> raw = ProgramResource(RT_BITMAP, face.id);
    const std::vector<unsigned char> file = ReadDataFile(face.file);
    ASSERT_GT(file.size(), 14u) << face.file;
    const std::string where = "bitmap " + std::to_string(face.id);
    const std::uint32_t stride = (static_cast<std::uint32_t>(face.width) * 2 + 3) & ~3u;
    ASSERT_EQ(face.bytes, raw.size()) << where;
    EXPECT_EQ(face.bytes, 40 + stride * 31 + 2) << where;
    EXPECT_EQ(40u, Dword(raw, 0)) << where;
    EXPECT_EQ(static_cast<std::uint32_t>(face.width), Dword(raw, 4)) << where;
    EXPECT_EQ(31u, Dword(raw, 8)) << where << ": a positive height is bottom-up";
    EXPECT_EQ(1, Word(raw, 12)) << where;
    EXPECT_EQ(16, Word(raw, 14)) << where;
    EXPECT_EQ(static_cast<std::uint32_t>(BI_RGB), Dword(raw, 16)) << where;
    EXPECT_EQ(0u, Dword(raw, 32)) << where << ": colours used";
    EXPECT_TRUE(std::vector<unsigned char>(file.begin() + 14, file.end()) == raw)
        << where << " differs from " << face.file;
  }
}

struct IconImage {
  int id;
  BYTE size;
  BYTE colourCount;
  WORD bitCount;
  DWORD bytes;
};

struct IconGroup {
  int id;
  const char* file;
  std::vector<IconImage> images;
};

std::vector<IconGroup> IconGroups() {
  return {
      {107,
       "icons/quillane.ico",
       {{1, 32, 16, 4, 744},
        {2, 16, 16, 4, 296},
        {3, 48, 0, 8, 3752},
        {4, 32, 0, 8, 2216},
        {5, 16, 0, 8, 1384},
        {6, 48, 0, 24, 7336},
        {7, 32, 0, 24, 3240},
        {8, 16, 0, 24, 872}}},
      {108,
       "icons/quillane_small.ico",
       {{9, 32, 16, 4, 744},
        {10, 16, 16, 4, 296},
        {11, 48, 0, 8, 3752},
        {12, 32, 0, 8, 2216},
        {13, 16, 0, 8, 1384},
        {14, 48, 0, 32, 9640},
        {15, 32, 0, 24, 3240},
        {16, 16, 0, 32, 1128}}},
  };
}

TEST(ResourceImages, IconGroupsListEightImagesEach) {
  for (const IconGroup& group : IconGroups()) {
    const std::vector<unsigned char> dir = ProgramResource(RT_GROUP_ICON, group.id);
    const std::string where = "group " + std::to_string(group.id);
    ASSERT_EQ(6u + 14u * 8u, dir.size()) << where;
    EXPECT_EQ(0, Word(dir, 0)) << where;
    EXPECT_EQ(1, Word(dir, 2)) << where << ": type icon";
    ASSERT_EQ(8, Word(dir, 4)) << where;
    const std::vector<unsigned char> file = ReadDataFile(group.file);
    for (std::size_t i = 0; i < group.images.size(); ++i) {
      const IconImage& e = group.images[i];
      const std::size_t at = 6 + 14 * i;
      const std::string image = where + ", icon " + std::to_string(e.id);
      EXPECT_EQ(e.size, dir[at]) << image << ": width";
      EXPECT_EQ(e.size, dir[at + 1]) << image << ": height";
      EXPECT_EQ(e.colourCount, dir[at + 2]) << image;
      EXPECT_EQ(0, dir[at + 3]) << image;
      EXPECT_EQ(1, Word(dir, at + 4)) << image << ": planes";
      EXPECT_EQ(e.bitCount, Word(dir, at + 6)) << image;
      EXPECT_EQ(e.bytes, Dword(dir, at + 8)) << image;
      EXPECT_EQ(e.id, Word(dir, at + 12)) << image;

      // Each image: a doubled-height info header of its depth, and the very bytes of
      // the committed .ico file.
      const std::vector<unsigned char> raw = ProgramResource(RT_ICON, e.id);
      ASSERT_EQ(e.bytes, raw.size()) << image;
      EXPECT_EQ(40u, Dword(raw, 0)) << image;
      EXPECT_EQ(e.size, Dword(raw, 4)) << image;
      EXPECT_EQ(2u * e.size, Dword(raw, 8)) << image;
      EXPECT_EQ(e.bitCount, Word(raw, 14)) << image;
      const std::uint32_t offset = Dword(file, 6 + 16 * i + 12);
      ASSERT_LE(offset + raw.size(), file.size()) << group.file;
      EXPECT_TRUE(std::equal(raw.begin(), raw.end(), file.begin() + offset))
          << image << " differs from " << group.file;
    }
  }
}

TEST(ResourceImages, IconsLoadAtTheSizesTheProgramAsksFor) {
  HMODULE module = ProgramModule();
  ASSERT_NE(nullptr, module) << "cannot open " << ProgramPath();
  struct Row {
    int group;
    int size;
  };
  const Row rows[] = {{107, 16}, {107, 32}, {107, 48}, {108, 16}, {108, 32}};
  for (const Row& row : rows) {
    Icon icon(static_cast<HICON>(
        LoadImageA(module, MAKEINTRESOURCEA(row.group), IMAGE_ICON, row.size, row.size, 0)));
    ASSERT_NE(nullptr, icon) << "group " << row.group << " at " << row.size;
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon.get(), &info));
    GdiObject colour(info.hbmColor);
    GdiObject mask(info.hbmMask);
    BITMAP bitmap = {};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    EXPECT_EQ(row.size, bitmap.bmWidth) << "group " << row.group << " at " << row.size;
  }
  EXPECT_NE(nullptr, LoadIconA(module, MAKEINTRESOURCEA(107)));
  EXPECT_NE(nullptr, LoadIconA(module, MAKEINTRESOURCEA(108)));
}

// The class's small icon is loaded at 32 x 32; on a display of 24 bits or more that
// is the 24-bit cross, icon 15, not one of the window pictures.
TEST(ResourceImages, SmallClassIconAtThirtyTwoPixelsIsTheCross) {
  HDC screen = GetDC(nullptr);
  const int depth = GetDeviceCaps(screen, BITSPIXEL) * GetDeviceCaps(screen, PLANES);
  ReleaseDC(nullptr, screen);
  if (depth < 24) GTEST_SKIP() << "display of " << depth << " bits";
  std::vector<unsigned char> dir = ProgramResource(RT_GROUP_ICON, 108);
  ASSERT_FALSE(dir.empty());
  EXPECT_EQ(15, LookupIconIdFromDirectoryEx(dir.data(), TRUE, 32, 32, LR_DEFAULTCOLOR));
}

// Decoded by the window system's picture object, as the card does: 342 x 500 pixels.
TEST(ResourceImages, PicturesDecodeToTheCardSize) {
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  HDC screen = GetDC(nullptr);
  const int dpiX = GetDeviceCaps(screen, LOGPIXELSX);
  const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  for (int id = 131; id <= 138; ++id) {
    const std::vector<unsigned char> jpeg = ProgramResource("IMAGE", id);
    ASSERT_FALSE(jpeg.empty()) << "IMAGE " << id;
    OwnedGlobal block = MovableCopy(jpeg.data(), jpeg.size());
    ASSERT_NE(nullptr, block);
    IStream* rawStream = nullptr;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(block.release(), TRUE, &rawStream));
    ComPtr<IStream> stream(rawStream);
    IPicture* rawPicture = nullptr;
    ASSERT_EQ(S_OK, OleLoadPicture(stream.get(), static_cast<LONG>(jpeg.size()), FALSE,
                                   IID_IPicture, reinterpret_cast<void**>(&rawPicture)))
        << "IMAGE " << id;
    ComPtr<IPicture> picture(rawPicture);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    picture->get_Width(&width);
    picture->get_Height(&height);
    // HIMETRIC is hundredths of a millimetre: 2540 to the inch.
    EXPECT_EQ(342, MulDiv(width, dpiX, 2540)) << "IMAGE " << id;
    EXPECT_EQ(500, MulDiv(height, dpiY, 2540)) << "IMAGE " << id;
    SHORT type = 0;
    picture->get_Type(&type);
    EXPECT_EQ(PICTYPE_BITMAP, type) << "IMAGE " << id;
  }
  CoUninitialize();
}

}  // namespace
