#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "card/card_text.h"
#include "card/card_texts.h"
#include "content/translation_table.h"
#include "content/verse_texts.h"

namespace {

constexpr unsigned char SENTINEL = 0xBD;

HolidayEntry Entry(int month, int day, const std::string& name, int daysUntil) {
  HolidayEntry entry;
  std::memset(&entry, SENTINEL, sizeof entry);
  entry.month = month;
  entry.day = day;
  entry.year = 2009;
  entry.daysUntil = daysUntil;
  std::memcpy(entry.name, name.c_str(), name.size() + 1);
  return entry;
}

// The text written, with a check that nothing was touched from `capacity` on.
std::string Format(const HolidayEntry& entry, std::size_t capacity) {
  std::vector<unsigned char> buffer(capacity + 32, SENTINEL);
  FormatHolidayLine(entry, reinterpret_cast<char*>(buffer.data()), capacity);
  for (std::size_t i = capacity; i < buffer.size(); ++i) {
    EXPECT_EQ(SENTINEL, buffer[i]) << "byte " << i << " written past capacity " << capacity;
  }
  if (capacity == 0) return std::string();
  const void* end = std::memchr(buffer.data(), 0, capacity);
  EXPECT_NE(nullptr, end) << "not terminated within capacity " << capacity;
  if (end == nullptr) return std::string();
  return std::string(reinterpret_cast<const char*>(buffer.data()));
}

}  // namespace

TEST(FormatHolidayLine, ChoosesTheWordingByTheDayCount) {
  struct Case {
    int month, day;
    const char* name;
    int daysUntil;
    const char* expected;
  };
  const Case cases[] = {
      {1, 6, "Twelfth Night (Epiphany)", 13, "01/06  Twelfth Night (Epiphany) (in 13 days)"},
      {12, 25, "Christmas Day", 0, "12/25  Christmas Day (today)"},
      {12, 25, "Christmas Day", 1, "12/25  Christmas Day (tomorrow)"},
      {12, 25, "Christmas Day", 2, "12/25  Christmas Day (in 2 days)"},
      {3, 1, "St. David's Day", 67, "03/01  St. David's Day (in 67 days)"},
      {11, 30, "St. Andrew's Day", 365, "11/30  St. Andrew's Day (in 365 days)"},
      {4, 9, "A & B", 1, "04/09  A & B (tomorrow)"},
      {5, 5, "", 0, "05/05   (today)"},
      // Outside what the calendar holds, still formatted as written.
      {12, 25, "Christmas Day", -1, "12/25  Christmas Day (in -1 days)"},
      {-1, -5, "Odd", 3, "-01/-05  Odd (in 3 days)"},
      {123, 0, "Odd", 3, "123/00  Odd (in 3 days)"},
      {INT_MIN, INT_MAX, "X", INT_MIN, "-2147483648/2147483647  X (in -2147483648 days)"},
      {1, 1, "X", INT_MAX, "01/01  X (in 2147483647 days)"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.expected, Format(Entry(c.month, c.day, c.name, c.daysUntil), HOLIDAY_LINE_CAPACITY))
        << "for " << c.month << "/" << c.day << " '" << c.name << "' " << c.daysUntil;
  }
}

TEST(FormatHolidayLine, CutsALongNameToTheBufferAndTerminatesIt) {
  const std::string name(HOLIDAY_TEXT_CAPACITY - 1, 'n');  // 254 bytes, the field's limit
  for (int daysUntil : {0, 1, 2, INT_MIN}) {
    const std::string line = Format(Entry(12, 25, name, daysUntil), HOLIDAY_LINE_CAPACITY);
    EXPECT_EQ(HOLIDAY_LINE_CAPACITY - 1, line.size()) << "daysUntil " << daysUntil;
    EXPECT_EQ("12/25  " + name.substr(0, HOLIDAY_LINE_CAPACITY - 8), line)
        << "daysUntil " << daysUntil;
  }
}

TEST(FormatHolidayLine, ReadsAnUnterminatedNameNoFurtherThanItsField) {
  HolidayEntry entry = Entry(8, 6, "", 0);
  std::memset(entry.name, 'y', sizeof entry.name);  // description follows, full of 0xBD
  const std::string line = Format(entry, 600);
  EXPECT_EQ("08/06  " + std::string(sizeof entry.name, 'y') + " (today)", line);
}

TEST(FormatHolidayLine, SmallBuffersHoldATerminatedPrefix) {
  const HolidayEntry entry = Entry(12, 25, "Christmas Day", 1);
  const std::string full = "12/25  Christmas Day (tomorrow)";
  for (std::size_t capacity : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{8},
                               full.size(), full.size() + 1}) {
    const std::size_t kept = capacity == 0 ? 0 : std::min(capacity - 1, full.size());
    EXPECT_EQ(full.substr(0, kept), Format(entry, capacity)) << "capacity " << capacity;
  }
}

TEST(CopyAttribution, EveryLineFitsTheAttributionBufferWhole) {
  const CollectionSet none = 0;
  const CollectionSet all =
      CollectionsOf(140, 141, 142, 143, 144, 145, 146, 147, 148, 149, 150, 151, 152);
  for (std::uint32_t code = 1001; code <= 1013; ++code) {
    for (const CollectionSet standIns : {none, all}) {
      std::vector<unsigned char> buffer(ATTRIBUTION_CAPACITY + 16, SENTINEL);
      CopyAttribution(code, standIns, reinterpret_cast<char*>(buffer.data()), ATTRIBUTION_CAPACITY);
      const std::string copied(reinterpret_cast<const char*>(buffer.data()));
      EXPECT_EQ(standIns == all ? STAND_IN_ATTRIBUTION : AttributionForCode(code), copied)
          << "code " << code;
      EXPECT_EQ(0u, copied.find("*Taken from ")) << "code " << code;
      for (std::size_t i = ATTRIBUTION_CAPACITY; i < buffer.size(); ++i) {
        EXPECT_EQ(SENTINEL, buffer[i]) << "code " << code << " byte " << i;
      }
    }
  }
}

// A stand-in collection is credited to the text it carries; codes outside the table have no
// line at all.
TEST(CopyAttribution, CreditsTheTextTheCollectionCarries) {
  const CollectionSet committed =
      CollectionsOf(140, 141, 142, 143, 144, 145, 146, 148, 149, 150, 151, 152);
  const CollectionSet nivSupplied =
      CollectionsOf(140, 141, 142, 143, 144, 145, 146, 148, 149, 151, 152);
  struct Case {
    std::uint32_t code;
    CollectionSet standIns;
    const char* expected;
  };
  const Case cases[] = {{1001, committed, "*Taken from the World English Bible"},
                        {1002, committed, "*Taken from the King James Version"},
                        {1013, committed, "*Taken from the World English Bible"},
                        {1001, nivSupplied, "*Taken from the New International Version"},
                        {1013, nivSupplied, "*Taken from the World English Bible"},
                        {1003, CollectionsOf(141), "*Taken from the World English Bible"},
                        {1004, CollectionsOf(141), "*Taken from the American Standard Version"},
                        {1013, 0, "*Taken from the New Life Version"},
                        {1001, ~CollectionSet{0}, "*Taken from the World English Bible"},
                        // This build: the committed collections, which carry samples but for 147.
                        {1001, STAND_IN_COLLECTIONS, "*Taken from the World English Bible"},
                        {1002, STAND_IN_COLLECTIONS, "*Taken from the King James Version"},
                        {1000, committed, ""},
                        {1014, committed, ""},
                        {0, ~CollectionSet{0}, ""},
                        {0xFFFFFFFFu, ~CollectionSet{0}, ""}};
  for (const Case& c : cases) {
    char buffer[ATTRIBUTION_CAPACITY];
    std::memset(buffer, SENTINEL, sizeof buffer);
    CopyAttribution(c.code, c.standIns, buffer, sizeof buffer);
    EXPECT_STREQ(c.expected, buffer)
        << "code " << c.code << " stand-ins 0x" << std::hex << c.standIns << std::dec;
  }
}

TEST(CopyAttribution, CutsToASmallBuffer) {
  char buffer[12];
  std::memset(buffer, SENTINEL, sizeof buffer);
  CopyAttribution(1013, 0, buffer, 8);
  EXPECT_STREQ("*Taken ", buffer);
  EXPECT_EQ(SENTINEL, static_cast<unsigned char>(buffer[8]));
  CopyAttribution(1013, 0, buffer, 0);
  EXPECT_STREQ("*Taken ", buffer) << "a zero capacity must write nothing";
}

// The card's positions at 100 %, written out once: the oracle the layout table and the
// holiday lines computed from it must give.
TEST(CardLayout, PositionsOfTheCardAt100Percent) {
  struct Block {
    TextBlockLayout layout;
    int height, weight, left, top;
  } blocks[] = {
      {CardLayout[CARD_VERSE], 24, 400, 13, 14},
      {CardLayout[CARD_REFERENCE], 20, 700, 13, 295},
      {CardLayout[CARD_ATTRIBUTION], 15, 400, 10, 320},
      {HolidayLineLayout(0), 15, 700, 10, 430},
      {HolidayLineLayout(1), 15, 700, 10, 444},
      {HolidayLineLayout(2), 15, 700, 10, 458},
      {HolidayLineLayout(3), 15, 700, 10, 472},
  };
  for (const Block& b : blocks) {
    EXPECT_EQ(b.height, b.layout.height) << "block at " << b.top;
    EXPECT_EQ(b.weight, b.layout.weight) << "block at " << b.top;
    EXPECT_EQ(b.left, b.layout.left) << "block at " << b.top;
    EXPECT_EQ(b.top, b.layout.top) << "block at " << b.top;
  }
  const ButtonPlace buttons[] = {CONTEXT_BUTTON, NEXT_VERSE_BUTTON, GO_FORTH_BUTTON};
  const int lefts[] = {15, 147, 247}, widths[] = {85, 46, 85};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(lefts[i], buttons[i].left) << "button " << i;
    EXPECT_EQ(widths[i], buttons[i].width) << "button " << i;
  }
  EXPECT_EQ(362, BUTTON_TOP);
  EXPECT_EQ(31, BUTTON_HEIGHT);
  EXPECT_EQ(344, CARD_CLIENT_WIDTH);
  EXPECT_EQ(510, CARD_CLIENT_HEIGHT);
  EXPECT_EQ(336, CARD_TEXT_RIGHT);
  EXPECT_EQ(500, CARD_TEXT_BOTTOM);
}

// What the card shows, in reading order, each in its band at the card's scale: what is painted,
// read aloud and located, and copied. The bands follow one another down the text column,
// the buttons' row between the attribution and the heading.
TEST(CardTexts, ReadingOrderAndBandsAtEachScale) {
  HolidayList holidays{};
  holidays.count = 2;
  holidays.entries[0] = Entry(12, 25, "Christmas Day", 1);
  holidays.entries[1] = Entry(1, 6, "Twelfth Night (Epiphany)", 13);
  struct Case {
    int dpi;
    Rect reference, secondHoliday;
    int verseFont;
  };
  const Case cases[] = {{96, {13, 295, 336, 320}, {10, 444, 336, 458}, 24},
                        {144, {20, 443, 504, 480}, {15, 666, 504, 687}, -31}};
  for (const Case& c : cases) {
    const std::vector<CardText> texts =
        CardTexts("In the beginning.\r", "Genesis 1:1\r", 1002, holidays, c.dpi);
    std::vector<std::string> read;
    for (const CardText& text : texts) read.push_back(text.text);
    EXPECT_EQ((std::vector<std::string>{"In the beginning.", "Genesis 1:1",
                                        "*Taken from the King James Version",
                                        "Upcoming Events:", "12/25  Christmas Day (tomorrow)",
                                        "01/06  Twelfth Night (Epiphany) (in 13 days)"}),
              read);
    const auto same = [](const Rect& a, const Rect& b) {
      return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
    };
    EXPECT_TRUE(same(c.reference, texts[CARD_REFERENCE].box)) << c.dpi;
    EXPECT_TRUE(same(c.secondHoliday, texts[CARD_FIRST_HOLIDAY + 1].box)) << c.dpi;
    EXPECT_EQ(c.verseFont, texts[CARD_VERSE].fontHeight) << c.dpi;
    for (std::size_t i = 1; i < texts.size(); ++i) {
      EXPECT_EQ(i == CARD_PANEL_HEADING ? ScaledForDpi(BUTTON_TOP, c.dpi) : texts[i].box.top,
                texts[i - 1].box.bottom)
          << c.dpi << ", text " << i;
      EXPECT_EQ(texts[i].block >= CARD_FIRST_HOLIDAY, texts[i].oneLine) << c.dpi << ", " << i;
      EXPECT_EQ(texts[i].block != CARD_PANEL_HEADING, texts[i].painted) << c.dpi << ", " << i;
    }
    EXPECT_EQ(ScaledForDpi(CARD_TEXT_BOTTOM, c.dpi), DrawingRect(texts[CARD_VERSE], c.dpi).bottom);
  }
  // A count out of range gives no line or at most four.
  for (int count : {-1, 5, 1000}) {
    holidays.count = count;
    EXPECT_EQ(static_cast<std::size_t>(CARD_FIRST_HOLIDAY + (count < 0 ? 0 : HOLIDAY_LINES)),
              CardTexts("", "", 0, holidays, CARD_BASE_DPI).size())
        << count;
  }
  EXPECT_EQ("In the beginning.\r\nGenesis 1:1\r\n*Taken from the King James Version",
            CardCopyText("In the beginning.\r", "Genesis 1:1\r", 1002));
}

// Scaled fonts are asked for by em, rounded down, so the letters grow no faster than their
// boxes; 100 % keeps the table's cell heights.
TEST(CardFontHeight, EmNeverOutgrowsTheScale) {
  for (int dpi = CARD_BASE_DPI + 1; dpi <= 2 * 192; ++dpi) {
    for (int block = 0; block < CARD_BLOCKS; ++block) {
      const TextBlockLayout layout = BlockLayout(block);
      const int em100 = -CardFontHeight(layout, 2 * CARD_BASE_DPI) / 2;
      EXPECT_LE(-CardFontHeight(layout, dpi) * CARD_BASE_DPI, em100 * dpi) << dpi << " " << block;
      EXPECT_GT((-CardFontHeight(layout, dpi) + 1) * CARD_BASE_DPI, em100 * dpi)
          << dpi << " " << block;
    }
  }
  EXPECT_EQ(24, CardFontHeight(VERSE_BLOCK, CARD_BASE_DPI));
  EXPECT_EQ(-21 * 2, CardFontHeight(VERSE_BLOCK, 192));  // Arial's em in a 24-pixel cell
  EXPECT_EQ(-13 * 2, CardFontHeight(FIRST_HOLIDAY_BLOCK, 192));
}

namespace {

std::vector<unsigned char> ShippedCalendar() {
  std::vector<unsigned char> bytes;
  FILE* file = std::fopen(QUILLANE_SOURCE_DIR "/resources/holidays.txt", "rb");
  if (file == nullptr) return bytes;
  int c;
  while ((c = std::fgetc(file)) != EOF) bytes.push_back(static_cast<unsigned char>(c));
  std::fclose(file);
  return bytes;
}

}  // namespace

// The lines the card shows for the shipped calendar at a few moments.
TEST(FormatHolidayLine, LinesOfTheShippedCalendar) {
  const std::vector<unsigned char> calendar = ShippedCalendar();
  ASSERT_FALSE(calendar.empty());
  struct Case {
    LocalTime now;
    std::vector<std::string> lines;
  };
  const Case cases[] = {
      {{2009, 12, 4, 24, 10, 0, 0, 0},
       {"12/25  Christmas Day (tomorrow)", "01/06  Twelfth Night (Epiphany) (in 13 days)",
        "02/17  Ash Wednesday (in 55 days)", "03/01  St. David's Day (in 67 days)"}},
      {{2010, 11, 1, 29, 10, 0, 0, 0},
       {"11/30  St. Andrew's Day (tomorrow)", "12/08  Immaculate Conception (in 9 days)",
        "12/25  Christmas Day (in 26 days)", "01/06  Twelfth Night (Epiphany) (in 38 days)"}},
      {{2099, 12, 5, 25, 10, 0, 0, 0}, {"12/25  Christmas Day (today)"}},
      // The calendar's last holiday is over a millisecond after 23:59.
      {{2099, 12, 5, 25, 23, 59, 0, 1}, {}},
  };
  for (const Case& c : cases) {
    HolidayList list;
    std::memset(&list, SENTINEL, sizeof list);
    ReadHolidays({calendar.data(), calendar.size()}, c.now, &list);
    std::vector<std::string> lines;
    for (int i = 0; i < list.count && i < HOLIDAY_SLOTS; ++i) {
      lines.push_back(Format(list.entries[i], HOLIDAY_LINE_CAPACITY));
    }
    EXPECT_EQ(c.lines, lines) << "at " << c.now.year << "-" << c.now.month << "-" << c.now.day
                              << " " << c.now.hour << ":" << c.now.minute;
  }
}
