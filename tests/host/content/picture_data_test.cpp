#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

// The committed card backgrounds: baseline JPEG files the window system's decoder takes,
// at the card's size.

namespace {

std::vector<unsigned char> ReadPicture(int id) {
  std::ifstream in(QUILLANE_SOURCE_DIR "/resources/images/image_" + std::to_string(id) + ".jpg",
                   std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

int BigEndianWord(const std::vector<unsigned char>& b, std::size_t at) {
  return at + 1 < b.size() ? b[at] << 8 | b[at + 1] : -1;
}

struct Segment {
  int marker;          // 0xC0 for FFC0, ...
  std::size_t start;   // first byte after the length field
  std::size_t length;  // payload bytes
};

// The header segments from SOI up to and including SOS; ok is false on a malformed
// marker sequence or a segment that runs past the end.
struct Headers {
  bool ok;
  std::vector<Segment> segments;
  bool endsWithEoi;
};

Headers ReadHeaders(const std::vector<unsigned char>& b) {
  Headers h = {false, {}, false};
  if (BigEndianWord(b, 0) != 0xFFD8) return h;
  std::size_t at = 2;
  for (;;) {
    if (at + 4 > b.size() || b[at] != 0xFF) return h;
    const int marker = b[at + 1];
    const int length = BigEndianWord(b, at + 2);
    if (length < 2 || at + 2 + static_cast<std::size_t>(length) > b.size()) return h;
    h.segments.push_back({marker, at + 4, static_cast<std::size_t>(length - 2)});
    at += 2 + static_cast<std::size_t>(length);
    if (marker == 0xDA) break;
  }
  h.ok = true;
  h.endsWithEoi = b.size() >= 2 && b[b.size() - 2] == 0xFF && b.back() == 0xD9;
  return h;
}

const Segment* Find(const Headers& h, int marker) {
  for (const Segment& s : h.segments) {
    if (s.marker == marker) return &s;
  }
  return nullptr;
}

// One picture; a broken one stops its own checks, not the others'.
void CheckPicture(int id) {
  const std::string where = "image_" + std::to_string(id) + ".jpg";
  const std::vector<unsigned char> b = ReadPicture(id);
  ASSERT_FALSE(b.empty()) << "cannot read " << where;
  EXPECT_LT(b.size(), 70000u) << where;
  const Headers h = ReadHeaders(b);
  ASSERT_TRUE(h.ok) << where << ": broken marker sequence";
  EXPECT_TRUE(h.endsWithEoi) << where;

  // Exactly one frame header, and it is baseline: no progressive, lossless or
  // arithmetic-coded frame that an older decoder would refuse.
  int frames = 0;
  for (const Segment& s : h.segments) {
    if (s.marker >= 0xC0 && s.marker <= 0xCF && s.marker != 0xC4 && s.marker != 0xC8 &&
        s.marker != 0xCC) {
      ++frames;
      EXPECT_EQ(0xC0, s.marker) << where << std::hex << ": frame marker FF" << s.marker;
    }
  }
  EXPECT_EQ(1, frames) << where;
  const Segment* sof = Find(h, 0xC0);
  ASSERT_NE(nullptr, sof) << where;
  ASSERT_GE(sof->length, 6u + 3u * 3u) << where;
  EXPECT_EQ(8, b[sof->start]) << where << ": bits per sample";
  EXPECT_EQ(500, BigEndianWord(b, sof->start + 1)) << where << ": height";
  EXPECT_EQ(342, BigEndianWord(b, sof->start + 3)) << where << ": width";
  EXPECT_EQ(3, b[sof->start + 5]) << where << ": components";
  EXPECT_NE(nullptr, Find(h, 0xC4)) << where << ": Huffman tables";
  EXPECT_NE(nullptr, Find(h, 0xDB)) << where << ": quantisation tables";

  // JFIF first, at 72 dots per inch; no EXIF block.
  ASSERT_FALSE(h.segments.empty());
  const Segment& app0 = h.segments.front();
  ASSERT_EQ(0xE0, app0.marker) << where << ": JFIF segment first";
  ASSERT_GE(app0.length, 14u) << where;
  EXPECT_EQ(std::string("JFIF", 5), std::string(b.begin() + app0.start, b.begin() + app0.start + 5))
      << where;
  EXPECT_EQ(1, b[app0.start + 7]) << where << ": density in dots per inch";
  EXPECT_EQ(72, BigEndianWord(b, app0.start + 8)) << where;
  EXPECT_EQ(72, BigEndianWord(b, app0.start + 10)) << where;
  EXPECT_EQ(nullptr, Find(h, 0xE1)) << where << ": EXIF";
}

TEST(PictureData, EachIsABaselineJpegOfTheCardSize) {
  for (int id = 131; id <= 138; ++id) CheckPicture(id);
}

// The parser itself on damaged files: each fault must be seen.
TEST(PictureData, DamagedHeadersAreRecognised) {
  const std::vector<unsigned char> good = ReadPicture(131);
  ASSERT_TRUE(ReadHeaders(good).ok);

  std::vector<unsigned char> noSoi = good;
  noSoi[1] = 0xD9;
  EXPECT_FALSE(ReadHeaders(noSoi).ok);

  std::vector<unsigned char> cut(good.begin(), good.begin() + 40);
  EXPECT_FALSE(ReadHeaders(cut).ok);

  std::vector<unsigned char> progressive = good;
  const auto headers = ReadHeaders(good);
  const Segment* sof = Find(headers, 0xC0);
  ASSERT_NE(nullptr, sof);
  progressive[sof->start - 3] = 0xC2;
  EXPECT_EQ(nullptr, Find(ReadHeaders(progressive), 0xC0));
  EXPECT_NE(nullptr, Find(ReadHeaders(progressive), 0xC2));
}

}  // namespace
