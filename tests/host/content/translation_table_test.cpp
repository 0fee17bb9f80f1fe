#include <gtest/gtest.h>

#include <iterator>

#include "content/translation_table.h"

// Written out apart from the program's table: the collections do not follow the codes,
// and the list name and the attribution name a translation differently.
TEST(TranslationTable, EveryRowAsListed) {
  const TranslationEntry rows[] = {
      {1001, "New International Version", 150, "*Taken from the New International Version"},
      {1002, "King James Version", 147, "*Taken from the King James Version"},
      {1003, "Amplified Bible", 141, "*Taken from Amplified Bible"},
      {1004, "American Standard Version", 142, "*Taken from the American Standard Version"},
      {1005, "Contemporary Version", 143, "*Taken from the Contemporary English Version"},
      {1006, "Darby Translation", 144, "*Taken from the Darby Translation"},
      {1007, "English Standard Version", 145, "*Taken from the English Standard Version"},
      {1008, "21st Century Version", 146, "*Taken from the 21st Century King James Version"},
      {1009, "Message Bible Version", 148, "*Taken from the Message Bible translation"},
      {1010, "New American Standard Version", 149, "*Taken from the New American Standard Bible"},
      {1011, "New King James Version", 151, "*Taken from the New King James Version"},
      {1012, "New Living Translation", 152, "*Taken from the New Living Translation"},
      {1013, "New Life Version", 140, "*Taken from the New Life Version"},
  };
  ASSERT_EQ(std::size(rows), static_cast<std::size_t>(TRANSLATION_COUNT));
  for (const TranslationEntry& row : rows) {
    const TranslationEntry* seen = FindTranslation(row.code);
    ASSERT_NE(nullptr, seen) << "code " << row.code;
    EXPECT_EQ(&TranslationTable[row.code - 1001], seen) << "code " << row.code;
    EXPECT_EQ(row.code, seen->code);
    EXPECT_STREQ(row.listName, seen->listName) << "code " << row.code;
    EXPECT_EQ(row.collectionId, seen->collectionId) << "code " << row.code;
    EXPECT_STREQ(row.attribution, seen->attribution) << "code " << row.code;
  }
}
