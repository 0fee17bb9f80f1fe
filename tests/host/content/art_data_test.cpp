#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The committed icon files and button faces: the layouts the resource compiler and the
// window system take from them.

namespace {

std::vector<unsigned char> ReadArt(const std::string& relativePath) {
  std::ifstream in(QUILLANE_SOURCE_DIR "/resources/" + relativePath, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

std::uint32_t Le(const std::vector<unsigned char>& b, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    const std::size_t index = at + static_cast<std::size_t>(i);
    value = value << 8 | (index < b.size() ? b[index] : 0u);
  }
  return value;
}

std::uint32_t RowBytes(std::uint32_t width, std::uint32_t bitsPerPixel) {
  return (width * bitsPerPixel + 31) / 32 * 4;
}

struct Face {
  const char* file;
  std::uint32_t width;
  std::uint32_t resourceBytes;  // everything after the 14-byte file header
};
// The resources are two bytes longer than header and rows: two zero bytes follow.
const Face FACES[] = {{"buttons/next.bmp", 46, 2894},
                      {"buttons/context.bmp", 86, 5374},
                      {"buttons/goforth.bmp", 86, 5374}};
constexpr std::uint32_t FACE_HEIGHT = 31;

TEST(ArtData, FacesAreBottomUpSixteenBitBitmapsWithoutColourTable) {
  for (const Face& face : FACES) {
    const std::vector<unsigned char> b = ReadArt(face.file);
    ASSERT_GT(b.size(), 54u) << "cannot read " << face.file;
    const std::uint32_t pixels = RowBytes(face.width, 16) * FACE_HEIGHT;
    EXPECT_EQ('B', b[0]) << face.file;
    EXPECT_EQ('M', b[1]) << face.file;
    EXPECT_EQ(b.size(), Le(b, 2, 4)) << face.file << ": size in the file header";
    EXPECT_EQ(14u + face.resourceBytes, b.size()) << face.file;
    EXPECT_EQ(40u + pixels + 2u, face.resourceBytes) << face.file;
    EXPECT_EQ(0u, Le(b, b.size() - 2, 2)) << face.file << ": the two bytes after the rows";
    const std::uint32_t imageSize = Le(b, 34, 4);
    EXPECT_TRUE(imageSize == 0 || imageSize == pixels) << face.file << ": image size " << imageSize;
    EXPECT_EQ(54u, Le(b, 10, 4)) << face.file << ": pixels right after the info header";
    EXPECT_EQ(40u, Le(b, 14, 4)) << face.file << ": BITMAPINFOHEADER";
    EXPECT_EQ(face.width, Le(b, 18, 4)) << face.file;
    EXPECT_EQ(FACE_HEIGHT, Le(b, 22, 4)) << face.file << ": positive height, bottom-up";
    EXPECT_EQ(1u, Le(b, 26, 2)) << face.file << ": planes";
    EXPECT_EQ(16u, Le(b, 28, 2)) << face.file << ": bits per pixel";
    EXPECT_EQ(0u, Le(b, 30, 4)) << face.file << ": BI_RGB, 5-5-5";
    EXPECT_EQ(0u, Le(b, 46, 4)) << face.file << ": colours used";
  }
}

// 5-5-5 leaves the top bit of every pixel clear; a 5-6-5 face would set it in
// about half of them. The plate is blue: more blue than red on average.
TEST(ArtData, FacePixelsAreFiveFiveFiveOnABluePlate) {
  for (const Face& face : FACES) {
    const std::vector<unsigned char> b = ReadArt(face.file);
    ASSERT_LE(54u + RowBytes(face.width, 16) * FACE_HEIGHT, b.size()) << face.file;
    std::uint64_t red = 0, blue = 0;
    int topBits = 0;
    for (std::uint32_t row = 0; row < FACE_HEIGHT; ++row) {
      for (std::uint32_t x = 0; x < face.width; ++x) {
        const std::uint32_t pixel = Le(b, 54 + row * RowBytes(face.width, 16) + 2 * x, 2);
        if (pixel & 0x8000u) ++topBits;
        red += pixel >> 10 & 31u;
        blue += pixel & 31u;
      }
    }
    EXPECT_EQ(0, topBits) << face.file;
    EXPECT_GT(blue, red) << face.file;
  }
}

struct IconImage {
  std::uint32_t size;
  std::uint32_t colourCount;
  std::uint32_t bitCount;
  std::uint32_t bytes;
};

struct IconFile {
  const char* file;
  std::vector<IconImage> images;
};

std::vector<IconFile> IconFiles() {
  return {
      {"icons/quillane.ico",
       {{32, 16, 4, 744},
        {16, 16, 4, 296},
        {48, 0, 8, 3752},
        {32, 0, 8, 2216},
        {16, 0, 8, 1384},
        {48, 0, 24, 7336},
        {32, 0, 24, 3240},
        {16, 0, 24, 872}}},
      {"icons/quillane_small.ico",
       {{32, 16, 4, 744},
        {16, 16, 4, 296},
        {48, 0, 8, 3752},
        {32, 0, 8, 2216},
        {16, 0, 8, 1384},
        {48, 0, 32, 9640},
        {32, 0, 24, 3240},
        {16, 0, 32, 1128}}},
  };
}

// Directory, then each image: a doubled-height info header, the palette of 4- and
// 8-bit images, the colour rows and the 1-bit mask, packed one after the other.
TEST(ArtData, IconFilesHoldEightImagesOfTheirSizeAndDepth) {
  for (const IconFile& icon : IconFiles()) {
    const std::vector<unsigned char> b = ReadArt(icon.file);
    ASSERT_GT(b.size(), 6u) << "cannot read " << icon.file;
    EXPECT_EQ(0u, Le(b, 0, 2)) << icon.file;
    EXPECT_EQ(1u, Le(b, 2, 2)) << icon.file << ": type icon";
    ASSERT_EQ(icon.images.size(), Le(b, 4, 2)) << icon.file;
    std::uint32_t expectedOffset = 6 + 16 * static_cast<std::uint32_t>(icon.images.size());
    for (std::size_t i = 0; i < icon.images.size(); ++i) {
      const IconImage& e = icon.images[i];
      const std::size_t entry = 6 + 16 * i;
      const std::string at = std::string(icon.file) + ", image " + std::to_string(i + 1);
      EXPECT_EQ(e.size, Le(b, entry, 1)) << at;
      EXPECT_EQ(e.size, Le(b, entry + 1, 1)) << at;
      EXPECT_EQ(e.colourCount, Le(b, entry + 2, 1)) << at;
      EXPECT_EQ(1u, Le(b, entry + 4, 2)) << at << ": planes";
      EXPECT_EQ(e.bitCount, Le(b, entry + 6, 2)) << at;
      EXPECT_EQ(e.bytes, Le(b, entry + 8, 4)) << at;
      const std::uint32_t offset = Le(b, entry + 12, 4);
      EXPECT_EQ(expectedOffset, offset) << at;
      expectedOffset = offset + e.bytes;

      const std::uint32_t palette = e.bitCount <= 8 ? 4u << e.bitCount : 0;
      EXPECT_EQ(
          40u + palette + RowBytes(e.size, e.bitCount) * e.size + RowBytes(e.size, 1) * e.size,
          e.bytes)
          << at << ": header, palette, colour rows and mask";
      EXPECT_EQ(40u, Le(b, offset, 4)) << at;
      EXPECT_EQ(e.size, Le(b, offset + 4, 4)) << at;
      EXPECT_EQ(2 * e.size, Le(b, offset + 8, 4)) << at << ": colour and mask heights";
      EXPECT_EQ(1u, Le(b, offset + 12, 2)) << at;
      EXPECT_EQ(e.bitCount, Le(b, offset + 14, 2)) << at;
      EXPECT_EQ(0u, Le(b, offset + 16, 4)) << at << ": BI_RGB";
    }
    EXPECT_EQ(expectedOffset, b.size()) << icon.file << ": nothing after the last image";
  }
}

// Every image has a transparent ground and an opaque figure; 32-bit images carry the
// same outline in their alpha channel as in their mask.
TEST(ArtData, IconImagesAreFiguresOnATransparentGround) {
  for (const IconFile& icon : IconFiles()) {
    const std::vector<unsigned char> b = ReadArt(icon.file);
    ASSERT_EQ(icon.images.size(), Le(b, 4, 2)) << icon.file;
    for (std::size_t i = 0; i < icon.images.size(); ++i) {
      const IconImage& e = icon.images[i];
      const std::string at = std::string(icon.file) + ", image " + std::to_string(i + 1);
      const std::uint32_t offset = Le(b, 6 + 16 * i + 12, 4);
      const std::uint32_t palette = e.bitCount <= 8 ? 4u << e.bitCount : 0;
      const std::uint32_t colour = offset + 40 + palette;
      const std::uint32_t mask = colour + RowBytes(e.size, e.bitCount) * e.size;
      ASSERT_LE(mask + RowBytes(e.size, 1) * e.size, b.size()) << at;
      int transparent = 0, opaque = 0, alphaDisagrees = 0;
      for (std::uint32_t y = 0; y < e.size; ++y) {
        for (std::uint32_t x = 0; x < e.size; ++x) {
          const bool clear = b[mask + y * RowBytes(e.size, 1) + x / 8] >> (7 - x % 8) & 1u;
          clear ? ++transparent : ++opaque;
          if (e.bitCount == 32) {
            const unsigned alpha = b[colour + y * RowBytes(e.size, 32) + 4 * x + 3];
            if ((alpha == 0) != clear) ++alphaDisagrees;
          }
        }
      }
      EXPECT_GT(transparent, 0) << at;
      EXPECT_GT(opaque, 0) << at;
      EXPECT_EQ(0, alphaDisagrees) << at << ": alpha and mask differ";
    }
  }
}

}  // namespace
