#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <regex>
#include <string>
#include <vector>

#include "content/verse_collection.h"
#include "core/app_state.h"

namespace {

constexpr int FIRST_COLLECTION = 140;
constexpr int LAST_COLLECTION = 152;

std::string ReadCollection(int id) {
  const std::string path =
      std::string(QUILLANE_SOURCE_DIR) + "/resources/verses/verses_" + std::to_string(id) + ".txt";
  std::ifstream file(path, std::ios::binary);
  EXPECT_TRUE(file.good()) << "cannot read " << path;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

ByteView View(const std::string& data) {
  return {reinterpret_cast<const unsigned char*>(data.data()), data.size()};
}

struct Pair {
  std::string text;
  std::string reference;
};

std::vector<Pair> AllPairs(const std::string& data) {
  std::vector<Pair> pairs;
  const int count = CountVersePairs(View(data));
  std::vector<char> text(VERSE_CAPACITY);
  std::vector<char> reference(VERSE_CAPACITY);
  for (int i = 0; i < count; ++i) {
    FetchVersePair(View(data), i, text.data(), text.size(), reference.data(), reference.size());
    pairs.push_back({text.data(), reference.data()});
  }
  return pairs;
}

std::string WithoutCR(std::string line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

int ExpectedPairs(int id) { return id == 150 ? 531 : id == 141 ? 527 : 528; }

bool EndsWithLineEnd(int id) { return id != 147 && id != 150; }

}  // namespace

TEST(VerseData, PairCountsFirstAndLastPairs) {
  for (int id = FIRST_COLLECTION; id <= LAST_COLLECTION; ++id) {
    const std::string data = ReadCollection(id);
    const std::vector<Pair> pairs = AllPairs(data);
    ASSERT_EQ(ExpectedPairs(id), static_cast<int>(pairs.size())) << "collection " << id;
    EXPECT_EQ("Leviticus 19:11\r", pairs.front().reference) << "collection " << id;

    const bool lineEnd = EndsWithLineEnd(id);
    EXPECT_EQ(lineEnd, data.size() >= 2 && data.compare(data.size() - 2, 2, "\r\n") == 0)
        << "collection " << id;
    if (id != 141) {
      EXPECT_EQ(std::string("Psalm 119:89,90") + (lineEnd ? "\r" : ""), pairs.back().reference)
          << "collection " << id;
    }
    // The last pair fetched is the end of the file: nothing is left unread.
    const std::string tail =
        pairs.back().text + "\n" + pairs.back().reference + (lineEnd ? "\n" : "");
    EXPECT_EQ(tail, data.substr(data.size() - tail.size())) << "collection " << id;
  }
}

// All collections share one list of references; 141 stops one pair short and 150 has
// three more.
TEST(VerseData, CollectionsShareTheReferenceList) {
  std::vector<std::string> common;
  for (const Pair& pair : AllPairs(ReadCollection(147)))
    common.push_back(WithoutCR(pair.reference));
  ASSERT_EQ(528u, common.size());

  for (int id = FIRST_COLLECTION; id <= LAST_COLLECTION; ++id) {
    std::vector<std::string> expected = common;
    if (id == 141) expected.pop_back();
    if (id == 150) {
      expected.insert(expected.begin() + 140, "Psalm 41:1");
      expected.insert(expected.begin() + 249, "Psalm 46:1");
      expected.insert(expected.begin() + 465, "Galatians 5:24");
    }
    const std::vector<Pair> pairs = AllPairs(ReadCollection(id));
    ASSERT_EQ(expected.size(), pairs.size()) << "collection " << id;
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      EXPECT_EQ(expected[i], WithoutCR(pairs[i].reference))
          << "collection " << id << ", pair " << i;
    }
  }
}

TEST(VerseData, ReferencesHaveTheirForm) {
  // Book words, a blank, the chapter, a colon and the verses (digits, commas, hyphens
  // and blanks), ending in a digit.
  const std::regex form("([1-3] )?[A-Z][a-z]+( [A-Za-z]+)* [1-9][0-9]*:[0-9]([0-9, -]*[0-9])?");
  for (int id = FIRST_COLLECTION; id <= LAST_COLLECTION; ++id) {
    const std::vector<Pair> pairs = AllPairs(ReadCollection(id));
    for (std::size_t i = 0; i < pairs.size(); ++i) {
      const std::string reference = WithoutCR(pairs[i].reference);
      EXPECT_TRUE(std::regex_match(reference, form))
          << "collection " << id << ", pair " << i << ": " << reference;
      EXPECT_LE(reference.size(), 40u) << "collection " << id << ", pair " << i;
      EXPECT_EQ(std::string::npos, reference.find("Psalms"))
          << "collection " << id << ", pair " << i << ": " << reference;
    }
  }
}

TEST(VerseData, BytesAreWindows1252TextWithoutBlankLines) {
  const std::string undefined("\x81\x8D\x8F\x90\x9D", 5);
  for (int id = FIRST_COLLECTION; id <= LAST_COLLECTION; ++id) {
    const std::string data = ReadCollection(id);
    ASSERT_FALSE(data.empty()) << "collection " << id;
    std::size_t longest = 0;
    std::size_t lineStart = 0;
    int lines = 0;
    for (std::size_t i = 0; i < data.size(); ++i) {
      const unsigned char byte = static_cast<unsigned char>(data[i]);
      const bool control = byte < 0x20 || byte == 0x7F;
      if (control && byte != '\r' && byte != '\n') {
        ADD_FAILURE() << "collection " << id << ": control byte " << int(byte) << " at " << i;
      }
      if (undefined.find(static_cast<char>(byte)) != std::string::npos) {
        ADD_FAILURE() << "collection " << id << ": undefined byte " << int(byte) << " at " << i;
      }
      if (byte == '\r' && (i + 1 == data.size() || data[i + 1] != '\n')) {
        ADD_FAILURE() << "collection " << id << ": CR without LF at " << i;
      }
      if (byte == '\n' || i + 1 == data.size()) {
        const std::size_t length = i + (byte == '\n' ? 0 : 1) - lineStart;
        EXPECT_GE(length, 4u) << "collection " << id << ": short or blank line " << lines;
        if (length > longest) longest = length;
        lineStart = i + 1;
        ++lines;
      }
    }
    EXPECT_EQ(2 * ExpectedPairs(id), lines) << "collection " << id;
    // With its CR and the terminating zero, the longest line is held whole with room.
    EXPECT_LT(longest + 1, static_cast<std::size_t>(VERSE_CAPACITY) / 2) << "collection " << id;
  }
}
