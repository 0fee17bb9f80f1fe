#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "card/change_card.h"
#include "content/resource_store.h"
#include "content/translation_table.h"
#include "content/verse_collection.h"
#include "core/app_state.h"
#include "core/random.h"
#include "tests/win32/settings/settings_fixture.h"

namespace {

struct Pair {
  std::string text;
  std::string reference;
};

// The pairs of a linked collection, as the program's own resources hold them.
std::vector<Pair> CollectionPairs(int id) {
  ByteView bytes{nullptr, 0};
  EXPECT_TRUE(FindResourceBytes(id, "verses", &bytes)) << "collection " << id;
  std::vector<Pair> pairs;
  std::vector<char> text(VERSE_CAPACITY);
  std::vector<char> reference(VERSE_CAPACITY);
  const int count = CountVersePairs(bytes);
  for (int i = 0; i < count; ++i) {
    FetchVersePair(bytes, i, text.data(), text.size(), reference.data(), reference.size());
    pairs.push_back({text.data(), reference.data()});
  }
  return pairs;
}

// A seed whose first draw selects `index` among `count` pairs.
std::uint32_t SeedSelecting(int index, int count) {
  for (std::uint32_t seed = 0; seed < 10000000; ++seed) {
    RandomSeed(seed);
    if (RandomNext() % count == index) return seed;
  }
  ADD_FAILURE() << "no seed selects " << index << " of " << count;
  return 0;
}

// Chooses with `code` stored as "version" and a generator seeded to select `index`.
Pair ChooseWith(std::uint32_t code, int index, int count) {
  PutSetting("version", code);
  RandomSeed(SeedSelecting(index, count));
  std::memset(appState.verseText, 0xBD, VERSE_CAPACITY);
  std::memset(appState.verseReference, 0xBD, VERSE_CAPACITY);
  ChooseVerse();
  return {appState.verseText, appState.verseReference};
}

// The strings are zero from their terminator to the end of their buffers.
void ExpectZeroFilled(const char* buffer, const std::string& what) {
  const std::size_t length = strnlen(buffer, VERSE_CAPACITY);
  ASSERT_LT(length, static_cast<std::size_t>(VERSE_CAPACITY)) << what;
  for (std::size_t i = length; i < static_cast<std::size_t>(VERSE_CAPACITY); ++i) {
    if (buffer[i] != 0) {
      ADD_FAILURE() << what << ": byte " << i << " is " << int(buffer[i]);
      return;
    }
  }
}

int ExpectedPairs(int collectionId) {
  return collectionId == 150 ? 531 : collectionId == 141 ? 527 : 528;
}

}  // namespace

using ChooseVerseTest = SettingsRegistryTest;

TEST_F(ChooseVerseTest, TheStoredCodeSelectsTheCollection) {
  for (std::uint32_t code = 999; code <= 1015; ++code) {
    const int id = CollectionIdForCode(code);
    const std::vector<Pair> pairs = CollectionPairs(id);
    ASSERT_EQ(ExpectedPairs(id), static_cast<int>(pairs.size())) << "code " << code;

    const std::uint32_t seed = 1000 + code;
    RandomSeed(seed);
    const int index = RandomNext() % static_cast<int>(pairs.size());
    PutSetting("version", code);
    RandomSeed(seed);
    appState.translationCode = 1001;
    ChooseVerse();
    EXPECT_EQ(code, appState.translationCode);
    EXPECT_EQ(pairs[index].text, appState.verseText) << "code " << code << ", pair " << index;
    EXPECT_EQ(pairs[index].reference, appState.verseReference)
        << "code " << code << ", pair " << index;
    // One draw per choice: the picture drawn next depends on it.
    EXPECT_EQ(seed * 214013u + 2531011u, RandomGenerator.state) << "code " << code;
  }
}

TEST_F(ChooseVerseTest, CodesOutsideTheTableDrawFromCollection150) {
  const std::vector<Pair> pairs = CollectionPairs(150);
  ASSERT_EQ(531u, pairs.size());
  for (std::uint32_t code : {1000u, 1014u, 0u, 0xFFFFFFFFu}) {
    for (int index : {140, 249, 465, 530}) {
      const Pair seen = ChooseWith(code, index, 531);
      EXPECT_EQ(pairs[index].text, seen.text) << "code " << code << ", pair " << index;
      EXPECT_EQ(pairs[index].reference, seen.reference) << "code " << code << ", pair " << index;
    }
    EXPECT_EQ("Psalm 119:89,90", ChooseWith(code, 530, 531).reference) << "code " << code;
    EXPECT_EQ("Psalm 41:1\r", ChooseWith(code, 140, 531).reference) << "code " << code;
  }
}

TEST_F(ChooseVerseTest, FirstAndLastPairOfEveryCollection) {
  for (const TranslationEntry& entry : TranslationTable) {
    const int id = entry.collectionId;
    const std::vector<Pair> pairs = CollectionPairs(id);
    const int count = ExpectedPairs(id);
    ASSERT_EQ(count, static_cast<int>(pairs.size())) << "collection " << id;

    const Pair first = ChooseWith(entry.code, 0, count);
    EXPECT_EQ("Leviticus 19:11\r", first.reference) << "collection " << id;
    EXPECT_EQ(pairs[0].text, first.text) << "collection " << id;
    ExpectZeroFilled(appState.verseText, "text of pair 0 of " + std::to_string(id));
    ExpectZeroFilled(appState.verseReference, "reference of pair 0 of " + std::to_string(id));

    const Pair last = ChooseWith(entry.code, count - 1, count);
    const bool lineEnd = id != 147 && id != 150;
    if (id == 141) {
      EXPECT_EQ(pairs[526].reference, last.reference);
      EXPECT_EQ('\r', last.reference.back());
    } else {
      EXPECT_EQ(std::string("Psalm 119:89,90") + (lineEnd ? "\r" : ""), last.reference)
          << "collection " << id;
    }
    EXPECT_EQ(pairs[count - 1].text, last.text) << "collection " << id;
    EXPECT_EQ('\r', last.text.back()) << "collection " << id;
    ExpectZeroFilled(appState.verseText, "text of the last pair of " + std::to_string(id));
    ExpectZeroFilled(appState.verseReference,
                     "reference of the last pair of " + std::to_string(id));
  }
}

TEST_F(ChooseVerseTest, WithoutASettingsKeyTheCodeInMemoryChooses) {
  appState.translationCode = 1002;
  RandomSeed(SeedSelecting(527, 528));
  ChooseVerse();
  EXPECT_EQ(1002u, appState.translationCode);
  EXPECT_EQ("Psalm 119:89,90", std::string(appState.verseReference)) << "collection 147";
  EXPECT_EQ(0, SettingsValueCount());
}
