#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "card/passage_lookup.h"

namespace {

const std::string PREFIX = "https://www.biblegateway.com/bible?passage=";

std::size_t BoundedLength(const char* text, std::size_t capacity) {
  const void* nul = std::memchr(text, 0, capacity);
  return nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - text) : capacity;
}

// The address in a 255-byte buffer, with sentinels after it to catch an overrun; by
// default for a code outside the table, which names no translation.
std::string Build(const std::string& reference, std::uint32_t translationCode = 0,
                  CollectionSet standIns = 0) {
  std::vector<char> buffer(LOOKUP_ADDRESS_CAPACITY + 16, '\xBD');
  BuildLookupAddress(reference.c_str(), translationCode, standIns, buffer.data(),
                     LOOKUP_ADDRESS_CAPACITY);
  for (std::size_t i = LOOKUP_ADDRESS_CAPACITY; i < buffer.size(); ++i) {
    EXPECT_EQ('\xBD', buffer[i]) << "byte " << i << " for " << reference;
  }
  const std::size_t length = BoundedLength(buffer.data(), LOOKUP_ADDRESS_CAPACITY);
  EXPECT_LT(length, LOOKUP_ADDRESS_CAPACITY) << reference;
  for (std::size_t i = length; i < LOOKUP_ADDRESS_CAPACITY; ++i) {
    EXPECT_EQ('\0', buffer[i]) << "byte " << i << " for " << reference;
  }
  return std::string(buffer.data(), length);
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F'); }

// The passage holds only letters, digits, "+" and whole %XX escapes.
::testing::AssertionResult IsSafePassage(const std::string& passage) {
  for (std::size_t i = 0; i < passage.size(); ++i) {
    const auto c = static_cast<unsigned char>(passage[i]);
    if (std::isalnum(c) && c < 0x80) continue;
    if (c == '+') continue;
    if (c == '%' && i + 2 < passage.size() && IsHexDigit(passage[i + 1]) &&
        IsHexDigit(passage[i + 2])) {
      i += 2;
      continue;
    }
    return ::testing::AssertionFailure() << "byte " << i << " of \"" << passage << "\"";
  }
  return ::testing::AssertionSuccess();
}

}  // namespace

TEST(PassageLookup, SpacesToPlusReplacesEverySpaceInPlace) {
  struct Row {
    const char* text;
    const char* expected;
  } rows[] = {{"", ""},
              {"John", "John"},
              {"a b  c ", "a+b++c+"},
              {" ", "+"},
              {"1 peter\t1:21\r", "1+peter\t1:21\r"}};
  for (const Row& row : rows) {
    char text[64];
    std::strcpy(text, row.text);
    SpacesToPlus(text);
    EXPECT_STREQ(row.expected, text) << "for \"" << row.text << "\"";
  }
}

TEST(PassageLookup, AddressNamesTheChapterOfTheReference) {
  struct Row {
    const char* reference;
    const char* passage;
  } rows[] = {
      {"Leviticus 19:11\r", "Leviticus+19"},
      {"Leviticus 19:11", "Leviticus+19"},
      {"2 Corinthians 4:16,17\r", "2+Corinthians+4"},
      {"Psalm 94:12, 13\r", "Psalm+94"},
      {"1 peter 1:21\r", "1+peter+1"},
      {"Song of Solomon 2:1\r", "Song+of+Solomon+2"},
      {"Genesis 1", "Genesis+1"},
      {"Genesis 1\r", "Genesis+1%0D"},  // no colon: appended whole, as stored
      {"", ""},
      {":1", ""},
      {"Jude 1::2", "Jude+1"},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(PREFIX + row.passage, Build(row.reference)) << "for \"" << row.reference << "\"";
  }
}

TEST(PassageLookup, HostileReferencesAreEncodedAndCannotAddQueryKeys) {
  struct Row {
    const char* reference;
    const char* passage;
  } rows[] = {
      {"John 3:16&x=1", "John+3"},
      {"John 3&x=1:16", "John+3%26x%3D1"},
      {"a#b:1", "a%23b"},
      {"%", "%25"},
      {"%41", "%2541"},
      {"a+b", "a%2Bb"},
      {"../../x?y=z", "%2E%2E%2F%2E%2E%2Fx%3Fy%3Dz"},
      {"\xE9p\xEEtre \x80\xFF", "%E9p%EEtre+%80%FF"},
      {"tab\there\nnew\rline", "tab%09here%0Anew%0Dline"},
      {"\"<script>\"", "%22%3Cscript%3E%22"},
      {"x;y,z'w", "x%3By%2Cz%27w"},
  };
  for (const Row& row : rows) {
    const std::string address = Build(row.reference);
    EXPECT_EQ(PREFIX + row.passage, address) << "for \"" << row.reference << "\"";
    const std::string passage = address.substr(PREFIX.size());
    EXPECT_TRUE(IsSafePassage(passage)) << "for \"" << row.reference << "\"";
  }
  // Every single byte on its own, as the whole reference.
  for (int c = 1; c < 256; ++c) {
    const std::string reference(1, static_cast<char>(c));
    const std::string address = Build(reference);
    ASSERT_EQ(0u, address.find(PREFIX)) << "byte " << c;
    const std::string passage = address.substr(PREFIX.size());
    EXPECT_TRUE(IsSafePassage(passage)) << "byte " << c;
    if (c == ':') {
      EXPECT_EQ("", passage);
    } else if (c == ' ') {
      EXPECT_EQ("+", passage);
    } else if (!std::isalnum(c) || c >= 0x80) {
      char escape[4];
      std::snprintf(escape, sizeof escape, "%%%02X", c);
      EXPECT_EQ(escape, passage) << "byte " << c;
    }
  }
}

// The reference copy holds 49 bytes: what follows, a colon included, never arrives.
TEST(PassageLookup, OnlyTheFirst49BytesOfTheReferenceCount) {
  struct Row {
    std::string reference;
    std::string passage;
  } rows[] = {
      {std::string(49, 'A'), std::string(49, 'A')},
      {std::string(60, 'A'), std::string(49, 'A')},
      {std::string(49, 'B') + ":1", std::string(49, 'B')},
      {std::string(48, 'C') + " D:1", std::string(48, 'C') + "+"},
      {std::string(48, 'E') + "&F", std::string(48, 'E') + "%26"},
      {std::string(200, '%'),
       [] {
         std::string s;
         for (int i = 0; i < 49; ++i) s += "%25";
         return s;
       }()},
      {std::string(49, '\xFF'),
       [] {
         std::string s;
         for (int i = 0; i < 49; ++i) s += "%FF";
         return s;
       }()},
  };
  for (const Row& row : rows) {
    EXPECT_EQ(PREFIX + row.passage, Build(row.reference))
        << "for " << row.reference.size() << " bytes";
  }
}

// In a buffer of any smaller size the address is the start of the full one, ends in
// NUL within the buffer, writes nothing past it and never ends inside a %XX escape.
TEST(PassageLookup, SmallerBuffersCutBeforeAnEscapeNeverInside) {
  const std::string reference = "Ps&alm 9%4:1";
  const std::string full = Build(reference);
  ASSERT_EQ(PREFIX + "Ps%26alm+9%254", full);
  for (std::size_t capacity = 0; capacity <= full.size() + 2; ++capacity) {
    std::vector<char> buffer(capacity + 8, '\xBD');
    BuildLookupAddress(reference.c_str(), 0, 0, buffer.data(), capacity);
    for (std::size_t i = capacity; i < buffer.size(); ++i) {
      ASSERT_EQ('\xBD', buffer[i]) << "byte " << i << " with capacity " << capacity;
    }
    if (capacity == 0) continue;
    const std::size_t length = BoundedLength(buffer.data(), capacity);
    ASSERT_LT(length, capacity) << "capacity " << capacity;
    const std::string address(buffer.data(), length);
    EXPECT_EQ(full.substr(0, address.size()), address) << "capacity " << capacity;
    if (address.size() > PREFIX.size()) {
      EXPECT_TRUE(IsSafePassage(address.substr(PREFIX.size()))) << "capacity " << capacity;
    }
    // Only a unit that does not fit is left out: one escape at most.
    EXPECT_GE(address.size() + 3, std::min(full.size(), capacity - 1)) << "capacity " << capacity;
  }
}

// The service's short name of each translation of the table; other codes name none.
TEST(PassageLookup, AddressNamesTheTranslationOfTheCode) {
  // Codes 1000 to 1014, of which the first and last are outside the table.
  const char* const names[] = {"",     "NIV", "KJV",  "AMP",  "ASV", "CEV", "DARBY", "ESV",
                               "KJ21", "MSG", "NASB", "NKJV", "NLT", "NLV", ""};
  for (std::uint32_t i = 0; i < 15; ++i) {
    const std::string version = *names[i] ? std::string("&version=") + names[i] : "";
    EXPECT_EQ(PREFIX + "Leviticus+19" + version, Build("Leviticus 19:11\r", 1000 + i))
        << "for code " << 1000 + i;
    // Collections 140, 142 and 152 (codes 1013, 1004, 1012) stand in with the World
    // English Bible: their chapter opens in that text, the card's.
    const bool standsIn = i == 13 || i == 4 || i == 12;
    EXPECT_EQ(PREFIX + "Leviticus+19" + (standsIn ? "&version=WEB" : version),
              Build("Leviticus 19:11\r", 1000 + i, CollectionsOf(140, 142, 152)))
        << "for code " << 1000 + i << " with stand-ins";
  }
  for (std::uint32_t code : {0u, 0xFFFFFFFFu}) {
    EXPECT_EQ(PREFIX + "Leviticus+19", Build("Leviticus 19:11\r", code)) << "for code " << code;
  }
  // The longest passage still leaves room for the longest name.
  const std::string longest = Build(std::string(49, '%'), 1006);
  EXPECT_EQ("%25&version=DARBY", longest.substr(longest.size() - 17)) << longest;

  // In a smaller buffer the name comes whole or not at all.
  const std::string full = PREFIX + "Ps+9&version=DARBY";
  for (std::size_t capacity = PREFIX.size() + 5; capacity <= full.size() + 1; ++capacity) {
    std::vector<char> buffer(capacity, '\xBD');
    BuildLookupAddress("Ps 9:1", 1006, 0, buffer.data(), capacity);
    EXPECT_EQ(capacity > full.size() ? full : PREFIX + "Ps+9",
              std::string(buffer.data(), BoundedLength(buffer.data(), capacity)))
        << "capacity " << capacity;
  }
}
