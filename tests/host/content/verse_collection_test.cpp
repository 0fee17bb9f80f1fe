#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "content/verse_collection.h"
#include "core/app_state.h"
#include "core/random.h"

namespace {

constexpr unsigned char SENTINEL = 0xBD;
constexpr std::size_t GUARD_BYTES = 32;

ByteView View(const std::string& data) {
  return {reinterpret_cast<const unsigned char*>(data.data()), data.size()};
}

struct Pair {
  std::string text;
  std::string reference;
};

// What a buffer of `capacity` bytes, followed by a guard, holds after the fetch. Flags
// a write past the capacity, a missing terminator, or a byte after the terminator
// that the fetch left uncleared.
std::string ReadBuffer(const std::vector<unsigned char>& buffer, std::size_t capacity,
                       const std::string& what) {
  for (std::size_t i = capacity; i < buffer.size(); ++i) {
    EXPECT_EQ(SENTINEL, buffer[i]) << what << ": byte " << i << " past capacity " << capacity;
  }
  if (capacity == 0) return std::string();
  EXPECT_EQ(0, buffer[capacity - 1]) << what << ": last byte of the capacity";
  const char* start = reinterpret_cast<const char*>(buffer.data());
  const void* nul = std::memchr(start, 0, capacity);
  const std::string held(start, nul ? static_cast<const char*>(nul) - start : capacity);
  for (std::size_t i = held.size(); i < capacity; ++i) {
    EXPECT_EQ(0, buffer[i]) << what << ": byte " << i << " after the terminator";
  }
  return held;
}

Pair Fetch(const std::string& data, int index, std::size_t textCapacity = VERSE_CAPACITY,
           std::size_t referenceCapacity = VERSE_CAPACITY) {
  std::vector<unsigned char> text(textCapacity + GUARD_BYTES, SENTINEL);
  std::vector<unsigned char> reference(referenceCapacity + GUARD_BYTES, SENTINEL);
  FetchVersePair(View(data), index, reinterpret_cast<char*>(text.data()), textCapacity,
                 reinterpret_cast<char*>(reference.data()), referenceCapacity);
  const std::string label = "pair " + std::to_string(index);
  return {ReadBuffer(text, textCapacity, label + " text"),
          ReadBuffer(reference, referenceCapacity, label + " reference")};
}

std::string WithNul(const std::string& before, const std::string& after) {
  return before + std::string(1, '\0') + after;
}

std::string Collection(const std::vector<Pair>& pairs, bool lastLineEnd = true) {
  std::string data;
  for (const Pair& pair : pairs) data += pair.text + "\r\n" + pair.reference + "\r\n";
  if (!lastLineEnd && !data.empty()) data.resize(data.size() - 2);
  return data;
}

std::vector<Pair> NumberedPairs(int count) {
  std::vector<Pair> pairs;
  for (int i = 0; i < count; ++i) {
    pairs.push_back({"Passage number " + std::to_string(i), "Book " + std::to_string(i) + ":1"});
  }
  return pairs;
}

}  // namespace

TEST(CountVersePairs, FollowsTheLineAndEndRules) {
  struct Case {
    const char* name;
    std::string data;
    int expected;
  };
  const Case cases[] = {
      {"one pair", "Some passage\r\nBook 1:1\r\n", 1},
      {"one pair, no final line end", "Some passage\r\nBook 1:1", 1},
      {"three pairs", Collection(NumberedPairs(3)), 3},
      {"blank line after pair 2", "t one\r\nr1\r\nt two\r\nr2\r\n\r\nt three\r\nr3\r\n", 2},
      {"blank line after the last pair", Collection(NumberedPairs(4)) + "\r\n", 4},
      {"two LF in a row", "t one\r\nr1\r\n\nt two\r\nr2\r\n", 2},
      {"LF runs everywhere", "\n\nt one\r\n\n\nr1\r\n\n\nt two\r\n\nr2\n\n", 2},
      {"bare LF line ends", "t one\nr1\nt two\nr2\n", 2},
      {"empty", "", 0},
      {"only LF", "\n\n\n\n", 0},
      {"a text line and nothing else", "Some passage\r\n", 1},
      {"pair 0 is not checked for length", "ab\r\nr\r\nlonger\r\nref\r\n", 2},
      {"a 3-byte text with CR ends it", "t one\r\nr1\r\nab\r\nr2\r\n", 1},
      {"a 4-byte text with CR does not", "t one\r\nr1\r\nabc\r\nr2\r\n", 2},
      {"a 3-byte last line without CR ends it", "t one\r\nr1\r\nabc", 1},
      {"a 4-byte last text line counts without a reference", "t one\r\nr1\r\nabcd", 2},
      {"a lone CR line ends it", "t one\r\nr1\r\n\r\nt two\r\nr2\r\n", 1},
      {"NUL after pair 0 ends the data", WithNul("t one\r\nr1\r\n", "t two\r\nr2\r\n"), 1},
      {"NUL as first byte", WithNul("", "t one\r\nr1\r\n"), 0},
      {"NUL inside a text line", WithNul("t one\r\nr1\r\nt t", "wo\r\nr2\r\n"), 1},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, CountVersePairs(View(c.data))) << c.name;
  }
  EXPECT_EQ(0, CountVersePairs({nullptr, 0})) << "no data at all";
}

TEST(FetchVersePair, EveryCountedPairIsFetchedWithItsCR) {
  const std::vector<Pair> pairs = NumberedPairs(7);
  struct Case {
    const char* name;
    std::string data;
    bool lastHasCR;
  };
  std::string extraLf = Collection(pairs);
  extraLf.insert(extraLf.find("Book 3:1"), "\n\n");
  const Case cases[] = {
      {"CR LF after every line", Collection(pairs), true},
      {"last line without line end", Collection(pairs, false), false},
      {"LF runs between lines", extraLf, true},
      {"leading LF", "\n\n" + Collection(pairs), true},
  };
  for (const Case& c : cases) {
    const int count = CountVersePairs(View(c.data));
    ASSERT_EQ(7, count) << c.name;
    for (int i = 0; i < count; ++i) {
      const Pair seen = Fetch(c.data, i);
      EXPECT_EQ(pairs[i].text + "\r", seen.text) << c.name << ", pair " << i;
      const bool cr = i < count - 1 || c.lastHasCR;
      EXPECT_EQ(pairs[i].reference + (cr ? "\r" : ""), seen.reference) << c.name << ", pair " << i;
    }
    for (int outside : {-1, count, count + 1, 1 << 20}) {
      const Pair seen = Fetch(c.data, outside);
      EXPECT_EQ("", seen.text) << c.name << ", index " << outside;
      EXPECT_EQ("", seen.reference) << c.name << ", index " << outside;
    }
  }
}

TEST(FetchVersePair, NothingAfterABlankLineCanBeChosen) {
  const std::string data = Collection(NumberedPairs(3)) + "\r\n" + Collection(NumberedPairs(5));
  const int count = CountVersePairs(View(data));
  ASSERT_EQ(3, count);
  for (int draw = 0; draw <= RANDOM_MAX; ++draw) {
    const int index = PickVersePair(draw, count);
    ASSERT_GE(index, 0) << "draw " << draw;
    ASSERT_LT(index, 3) << "draw " << draw;
  }
  // Past the blank line the walk ends: what follows it is no pair 3 or 4.
  EXPECT_EQ("", Fetch(data, 3).text);
  EXPECT_EQ("", Fetch(data, 4).reference);
}

TEST(FetchVersePair, TheFirstNulEndsTheData) {
  const std::string data = WithNul("t one\r\nref", "erence\r\nt two\r\nr2\r\n");
  ASSERT_EQ(1, CountVersePairs(View(data)));
  const Pair seen = Fetch(data, 0);
  EXPECT_EQ("t one\r", seen.text);
  EXPECT_EQ("ref", seen.reference);
  EXPECT_EQ("", Fetch(data, 1).text);
}

TEST(FetchVersePair, MissingOrIncompletePairsLeaveEmptyStrings) {
  struct Case {
    const char* name;
    std::string data;
    int index;
    const char* text;
    const char* reference;
  };
  const Case cases[] = {
      {"empty collection", "", 0, "", ""},
      {"only LF", "\n\n\n", 0, "", ""},
      {"text without reference", "Some passage\r\n", 0, "Some passage\r", ""},
      {"last text without reference", "t one\r\nr1\r\nabcd", 1, "abcd", ""},
      {"short pair 0 is still a pair", "ab\r\nr\r\n", 0, "ab\r", "r\r"},
  };
  for (const Case& c : cases) {
    const Pair seen = Fetch(c.data, c.index);
    EXPECT_EQ(c.text, seen.text) << c.name;
    EXPECT_EQ(c.reference, seen.reference) << c.name;
  }
  const Pair none = Fetch("", 0, 0, 0);
  EXPECT_EQ("", none.text) << "zero capacity";
}

TEST(FetchVersePair, LongLinesAreCutAtTheCapacityAndTheWalkGoesOn) {
  const std::string line600(599, 'a');
  const std::string line5000(4999, 'b');
  const std::vector<Pair> pairs = {{"first passage", "Book 1:1"}, {line600, "Book 2:2"},
                                   {line5000, "Book 3:3"},        {"chosen passage", "Book 4:4"},
                                   {line600, "Book 5:5"},         {line5000, "Book 6:6"},
                                   {"last passage", "Book 7:7"}};
  const std::string data = Collection(pairs);
  ASSERT_EQ(7, CountVersePairs(View(data)));

  for (const std::size_t capacity : {static_cast<std::size_t>(VERSE_CAPACITY), std::size_t{16},
                                     std::size_t{601}, std::size_t{600}, std::size_t{1}}) {
    for (int i = 0; i < 7; ++i) {
      const Pair seen = Fetch(data, i, capacity, capacity);
      const std::string text = (pairs[i].text + "\r").substr(0, capacity - 1);
      const std::string reference = (pairs[i].reference + "\r").substr(0, capacity - 1);
      EXPECT_EQ(text, seen.text) << "capacity " << capacity << ", pair " << i;
      EXPECT_EQ(reference, seen.reference) << "capacity " << capacity << ", pair " << i;
    }
  }
  // Whole at the program's capacity: a 600-byte line and a 4095-byte cut of 5000.
  EXPECT_EQ(600u, Fetch(data, 1).text.size());
  EXPECT_EQ(static_cast<std::size_t>(VERSE_CAPACITY - 1), Fetch(data, 2).text.size());
}

TEST(PickVersePair, EveryDrawGivesAnIndexInRangeAndEveryIndexIsReachable) {
  for (const int count : {1, 2, 3, 527, 528, 531, 32767, 32768, 40000}) {
    std::vector<bool> reached(static_cast<std::size_t>(count), false);
    for (int draw = 0; draw <= RANDOM_MAX; ++draw) {
      const int index = PickVersePair(draw, count);
      ASSERT_GE(index, 0) << "count " << count << ", draw " << draw;
      ASSERT_LT(index, count) << "count " << count << ", draw " << draw;
      reached[static_cast<std::size_t>(index)] = true;
    }
    const int reachable = count < RANDOM_MAX + 1 ? count : RANDOM_MAX + 1;
    for (int i = 0; i < reachable; ++i) {
      EXPECT_TRUE(reached[static_cast<std::size_t>(i)]) << "count " << count << ", index " << i;
    }
  }
  for (int draw : {0, 1, RANDOM_MAX}) {
    EXPECT_EQ(0, PickVersePair(draw, 0)) << "no pairs, draw " << draw;
  }
}

TEST(FetchVersePair, EveryDrawFetchesAWholePair) {
  const std::vector<Pair> pairs = NumberedPairs(11);
  const std::string data = Collection(pairs, false);
  const int count = CountVersePairs(View(data));
  ASSERT_EQ(11, count);
  std::vector<char> text(64);
  std::vector<char> reference(64);
  for (int draw = 0; draw <= RANDOM_MAX; ++draw) {
    const int index = PickVersePair(draw, count);
    FetchVersePair(View(data), index, text.data(), text.size(), reference.data(), reference.size());
    ASSERT_EQ(pairs[index].text + "\r", text.data()) << "draw " << draw;
    const char* cr = index < count - 1 ? "\r" : "";
    ASSERT_EQ(pairs[index].reference + cr, reference.data()) << "draw " << draw;
  }
}
