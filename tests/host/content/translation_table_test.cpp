#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "content/translation_table.h"

// What a code gives, for codes written out apart from the table (the collections do not
// follow the codes): its collection's first passage, the attribution the card draws and its
// place in the Options list; any other code reads collection 150 and is credited to nothing.
TEST(TranslationTable, ACodeGivesItsCollectionAndAttribution) {
  struct Case {
    std::uint32_t code;
    const char* firstWords;
    const char* attribution;
  };
  const Case cases[] = {
      {1001, "\x93\x91You shall not steal.", "*Taken from the New International Version"},
      {1002, "Ye shall not steal,", "*Taken from the King James Version"},
      {1006, "\x93\x91You shall not steal.", "*Taken from the Darby Translation"},
      {1013, "\x93\x91You shall not steal.", "*Taken from the New Life Version"},
      {1000, "\x93\x91You shall not steal.", ""},
      {1014, "\x93\x91You shall not steal.", ""},
  };
  for (const Case& c : cases) {
    const std::string path = std::string(QUILLANE_SOURCE_DIR) + "/resources/verses/verses_" +
                             std::to_string(CollectionIdForCode(c.code)) + ".txt";
    std::ifstream file(path, std::ios::binary);
    const std::string collection{std::istreambuf_iterator<char>(file),
                                 std::istreambuf_iterator<char>()};
    EXPECT_EQ(0u, collection.find(c.firstWords)) << c.code << ": " << path;
    EXPECT_STREQ(c.attribution, AttributionForCode(c.code)) << c.code;
    const TranslationEntry* entry = FindTranslation(c.code);
    if (entry != nullptr) {
      EXPECT_EQ(&TranslationTable[c.code - FIRST_TRANSLATION_CODE], entry) << c.code;
    }
  }
  // The Options list shows the table in code order.
  for (int k = 1; k < TRANSLATION_COUNT; ++k) {
    EXPECT_EQ(TranslationTable[k - 1].code + 1, TranslationTable[k].code) << "row " << k;
  }
}
