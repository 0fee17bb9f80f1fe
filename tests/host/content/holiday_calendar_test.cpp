#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "content/holiday_calendar.h"

#include "tests/support/local_time_support.h"

namespace {

std::string ShippedCalendar() {
  std::ifstream file(QUILLANE_SOURCE_DIR "/resources/holidays.txt", std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The shipped calendar up to the last record of 2010: the years 2006 to 2010.
std::string Calendar2006To2010() {
  const std::string all = ShippedCalendar();
  const std::size_t firstOf2011 = all.rfind('\n', all.find("|2011|")) + 1;
  return all.substr(0, firstOf2011);
}

// The list as the reader leaves it, every byte it did not write still 0xBD.
HolidayList Read(const std::string& calendar, const LocalTime& now) {
  HolidayList list;
  std::memset(&list, 0xBD, sizeof list);
  ReadHolidays(ByteView{reinterpret_cast<const unsigned char*>(calendar.data()), calendar.size()},
               now, &list);
  return list;
}

struct Expected {
  const char* name;
  int month;
  int day;
  int year;
  int daysUntil;
};

void ExpectList(const std::vector<Expected>& expected, const HolidayList& list,
                const std::string& context) {
  ASSERT_EQ(static_cast<int>(expected.size()), list.count) << context;
  for (std::size_t i = 0; i < expected.size(); ++i) {
    const HolidayEntry& e = list.entries[i];
    EXPECT_STREQ(expected[i].name, e.name) << context << ", entry " << i;
    EXPECT_EQ(expected[i].month, e.month) << context << ", entry " << i;
    EXPECT_EQ(expected[i].day, e.day) << context << ", entry " << i;
    EXPECT_EQ(expected[i].year, e.year) << context << ", entry " << i;
    EXPECT_EQ(expected[i].daysUntil, e.daysUntil) << context << ", entry " << i;
  }
}

std::string Record(int month, int day, int year, const std::string& name,
                   const std::string& description) {
  return std::to_string(month) + "|" + std::to_string(day) + "|" + std::to_string(year) + "|" +
         name + "|" + description + "\r\n";
}

// Days since 1 March of year 0, a count of its own kept apart from the code under test.
long DayNumber(int year, int month, int day) {
  if (month <= 2) --year;
  const long era = year / 400;
  const long yearOfEra = year - era * 400;
  const long dayOfYear = (153L * (month > 2 ? month - 3 : month + 9) + 2) / 5 + day - 1;
  return era * 146097 + yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
}

}  // namespace

TEST(HolidayCalendar, FixtureHoldsTheHundredRecordsOf2006To2010) {
  const std::string calendar = Calendar2006To2010();
  EXPECT_EQ(0u, calendar.find("0|1|6|2006|Twelfth Night (Epiphany)|"));
  std::size_t lines = 0;
  for (std::size_t at = calendar.find("\r\n"); at != std::string::npos;
       at = calendar.find("\r\n", at + 2)) {
    ++lines;
  }
  EXPECT_EQ(100u, lines);
  EXPECT_NE(std::string::npos, calendar.find("12|25|2010|Christmas Day|"));
}

TEST(HolidayCalendar, NextFourHolidaysAtTheKnownDates) {
  const std::string calendar = Calendar2006To2010();
  struct Row {
    LocalTime now;
    std::vector<Expected> expected;
  } rows[] = {
      {At(2006, 1, 1, 10),
       {{"Twelfth Night (Epiphany)", 1, 6, 2006, 5},
        {"St. David's Day", 3, 1, 2006, 59},
        {"Ash Wednesday", 3, 1, 2006, 59},
        {"Women's World Day of Prayer", 3, 4, 2006, 62}}},
      {At(2009, 12, 24, 10),
       {{"Christmas Day", 12, 25, 2009, 1},
        {"Twelfth Night (Epiphany)", 1, 6, 2010, 13},
        {"Ash Wednesday", 2, 17, 2010, 55},
        {"St. David's Day", 3, 1, 2010, 67}}},
      {At(2008, 3, 22, 12),
       {{"Easter Sunday", 3, 23, 2008, 1},
        {"Annunciation Day", 3, 25, 2008, 3},
        {"St. George's Day", 4, 23, 2008, 32},
        {"Ascension Day", 5, 1, 2008, 40}}},
      {At(2010, 11, 29, 10),
       {{"St. Andrew's Day", 11, 30, 2010, 1},
        {"Immaculate Conception", 12, 8, 2010, 9},
        {"Christmas Day", 12, 25, 2010, 26}}},
      {At(2010, 12, 25, 10), {{"Christmas Day", 12, 25, 2010, 0}}},
      {At(2010, 12, 25, 23, 59, 0, 0), {{"Christmas Day", 12, 25, 2010, 0}}},
      {At(2010, 12, 25, 23, 59, 0, 1), {}},
      {At(2010, 12, 26, 0), {}},
      {At(2010, 12, 24, 23, 59, 0, 0), {{"Christmas Day", 12, 25, 2010, 1}}},
      {At(2010, 12, 24, 23, 59, 0, 999), {{"Christmas Day", 12, 25, 2010, 1}}},
      {At(2010, 12, 24, 23, 59, 1), {{"Christmas Day", 12, 25, 2010, 0}}},
      {At(2010, 12, 24, 23, 59, 30), {{"Christmas Day", 12, 25, 2010, 0}}},
      {At(2005, 12, 31, 23, 59, 59, 999),
       {{"Twelfth Night (Epiphany)", 1, 6, 2006, 5},
        {"St. David's Day", 3, 1, 2006, 59},
        {"Ash Wednesday", 3, 1, 2006, 59},
        {"Women's World Day of Prayer", 3, 4, 2006, 62}}},
  };
  for (const Row& row : rows) ExpectList(row.expected, Read(calendar, row.now), Describe(row.now));
}

TEST(HolidayCalendar, ShippedCalendarRunsPast2010) {
  ExpectList({{"Immaculate Conception", 12, 8, 2026, 1},
              {"Christmas Day", 12, 25, 2026, 18},
              {"Twelfth Night (Epiphany)", 1, 6, 2027, 30},
              {"Ash Wednesday", 2, 10, 2027, 65}},
             Read(ShippedCalendar(), At(2026, 12, 7, 10)), "7 Dec 2026");
}

TEST(HolidayCalendar, FirstTokenIsDiscardedWhateverItHolds) {
  const std::string records = Calendar2006To2010().substr(2);
  const HolidayList reference = Read("0|" + records, At(2006, 1, 1, 10));
  ASSERT_EQ(4, reference.count);
  for (const std::string head : {"7|", "header|", "\t\n|0|", "1\r\n", "x\t"}) {
    const HolidayList list = Read(head + records, At(2006, 1, 1, 10));
    ASSERT_EQ(reference.count, list.count) << head;
    for (int i = 0; i < list.count; ++i) {
      EXPECT_EQ(0, std::memcmp(&reference.entries[i], &list.entries[i], sizeof list.entries[i]))
          << head << ", entry " << i;
    }
  }
}

TEST(HolidayCalendar, DescriptionsLoseTheirLineEndingAndNamesStayAsWritten) {
  const std::string calendar = Calendar2006To2010();
  const HolidayList list = Read(calendar, At(2006, 1, 1, 10));
  ASSERT_EQ(4, list.count);
  EXPECT_STREQ(
      "The feast of the Epiphany, remembering the wise men from the east who followed "
      "the star to Bethlehem and worshipped the infant Jesus.",
      list.entries[0].description);
  // Every record of the fixture, read in turn at 00:00 of its own date.
  int checked = 0;
  std::istringstream lines(calendar.substr(2));
  for (std::string line; std::getline(lines, line);) {
    int month = 0, day = 0, year = 0;
    ASSERT_EQ(3, std::sscanf(line.c_str(), "%d|%d|%d|", &month, &day, &year)) << line;
    const HolidayList one = Read("0|" + line + "\n", At(year, month, day, 0));
    ASSERT_EQ(1, one.count) << line;
    const std::string text =
        line.substr(line.find('|', line.find('|', line.find('|') + 1) + 1) + 1);
    EXPECT_EQ(text.substr(0, text.find('|')), one.entries[0].name) << line;
    EXPECT_EQ(text.substr(text.find('|') + 1, text.size() - text.find('|') - 2),
              one.entries[0].description)
        << line;
    EXPECT_EQ(0, one.entries[0].daysUntil) << line;
    ++checked;
  }
  EXPECT_EQ(100, checked);
}

TEST(HolidayCalendar, RecordsWhoseDateTheCalendarLacksTakeNoSlot) {
  const std::string calendar =
      "0|" + Record(2, 31, 2009, "Feb 31", "x") + Record(13, 1, 2009, "Month 13", "x") +
      Record(0, 5, 2009, "Month 0", "x") + Record(1, 0, 2009, "Day 0", "x") +
      Record(1, 5, 0, "Year 0", "x") + Record(2, 29, 2009, "Feb 29 2009", "x") +
      "x|5|2009|No digits|x\r\n" + "99999999999999999999|5|2009|Huge|x\r\n" +
      "2|29|2008|Leap day|Kept\r\n" + "3rd|1x|2009 AD|Leading digits|Kept\r\n" +
      Record(4, 31, 2009, "Apr 31", "x") + Record(12, 31, 2009, "New Year's Eve", "Kept");
  ExpectList({{"Leading digits", 3, 1, 2009, 59}, {"New Year's Eve", 12, 31, 2009, 364}},
             Read(calendar, At(2009, 1, 1, 0)), "2009");
  ExpectList({{"Leap day", 2, 29, 2008, 59},
              {"Leading digits", 3, 1, 2009, 425},
              {"New Year's Eve", 12, 31, 2009, 730}},
             Read(calendar, At(2008, 1, 1, 0)), "2008");
}

// Cut after each byte of four records, the reader keeps exactly the records whose
// description had begun; the unfinished one never counts.
TEST(HolidayCalendar, CalendarCutInsideARecordKeepsTheRecordsBeforeIt) {
  const std::string calendar = "0|" + Record(1, 6, 2006, "A", "first") +
                               Record(3, 1, 2006, "B", "second") +
                               Record(3, 4, 2006, "C", "third") + Record(4, 1, 2006, "D", "fourth");
  std::vector<std::size_t> descriptionStarts;
  for (const char* text : {"first", "second", "third", "fourth"}) {
    descriptionStarts.push_back(calendar.find(text));
  }
  for (std::size_t length = 0; length <= calendar.size(); ++length) {
    int expected = 0;
    for (std::size_t start : descriptionStarts) expected += start < length ? 1 : 0;
    const HolidayList list = Read(calendar.substr(0, length), At(2006, 1, 1, 10));
    ASSERT_EQ(expected, list.count) << "cut at " << length;
    if (expected > 0) {
      EXPECT_STREQ("A", list.entries[0].name) << "cut at " << length;
    }
  }
  // A description cut short still loses its last character.
  const HolidayList cut = Read(calendar.substr(0, descriptionStarts[0] + 3), At(2006, 1, 1, 10));
  ASSERT_EQ(1, cut.count);
  EXPECT_STREQ("fi", cut.entries[0].description);
}

TEST(HolidayCalendar, TheFirstNulEndsTheCalendar) {
  std::string calendar = "0|" + Record(1, 6, 2006, "A", "a") + Record(3, 1, 2006, "B", "b");
  const std::size_t second = calendar.find("3|1|2006");
  calendar[second] = '\0';
  const HolidayList list = Read(calendar, At(2006, 1, 1, 10));
  ASSERT_EQ(1, list.count);
  EXPECT_STREQ("A", list.entries[0].name);
  // A NUL inside the first record's description leaves that record whole.
  std::string early = "0|" + Record(1, 6, 2006, "A", "ab");
  early[early.find("b\r")] = '\0';
  const HolidayList first = Read(early, At(2006, 1, 1, 10));
  ASSERT_EQ(1, first.count);
  EXPECT_STREQ("", first.entries[0].description);
}

// Names and descriptions are copied to at most 254 bytes and end in NUL; nothing is
// written past an entry's own fields.
TEST(HolidayCalendar, OverlongNamesAndDescriptionsAreCutAt254Bytes) {
  struct Row {
    std::size_t nameLength;
    std::size_t descriptionLength;  // CR included
    std::size_t storedName;
    std::size_t storedDescription;
  } rows[] = {
      {254, 254, 254, 253}, {255, 255, 254, 253}, {1000, 1000, 254, 253},
      {1, 1, 1, 0},         {253, 2, 253, 1},
  };
  for (const Row& row : rows) {
    const std::string name(row.nameLength, 'N');
    const std::string description =
        std::string(row.descriptionLength - 1, 'D');  // Record adds the CR
    const HolidayList list = Read("0|" + Record(1, 6, 2006, name, description), At(2006, 1, 1, 10));
    ASSERT_EQ(1, list.count) << row.nameLength;
    const HolidayEntry& e = list.entries[0];
    EXPECT_EQ(std::string(row.storedName, 'N'), std::string(e.name)) << row.nameLength;
    EXPECT_EQ(std::string(row.storedDescription, 'D'), std::string(e.description))
        << row.descriptionLength;
    for (int i = 1; i < HOLIDAY_SLOTS; ++i) {
      const auto* bytes = reinterpret_cast<const unsigned char*>(&list.entries[i]);
      for (std::size_t b = 0; b < sizeof list.entries[i]; ++b) {
        ASSERT_EQ(0xBD, bytes[b]) << "entry " << i << " byte " << b << " for " << row.nameLength;
      }
    }
  }
}

TEST(HolidayCalendar, EmptyOrDelimiterOnlyCalendarsHoldNothing) {
  for (const std::string& calendar :
       {std::string(), std::string("0"), std::string("0|"), std::string("|||\t\n\n|\t"),
        std::string("\0|1|6|2006|A|a\r\n", 16), std::string("0|1|6|2006|A")}) {
    EXPECT_EQ(0, Read(calendar, At(2006, 1, 1, 10)).count) << calendar.size() << " bytes";
  }
  HolidayList list;
  std::memset(&list, 0xBD, sizeof list);
  ReadHolidays(ByteView{nullptr, 0}, At(2006, 1, 1, 10), &list);
  EXPECT_EQ(0, list.count);
}

// Runs of "|", TAB and LF are one separator; CR belongs to the token it stands in.
TEST(HolidayCalendar, TabsLineFeedsAndRunsOfDelimitersSeparateCarriageReturnsDoNot) {
  const std::string calendar = "0\t\t1\n\n6||2006|\tA\rB|text\r\n|\n3|1|2006|C|\r\r\n";
  const HolidayList list = Read(calendar, At(2006, 1, 1, 10));
  ASSERT_EQ(2, list.count);
  EXPECT_STREQ("A\rB", list.entries[0].name);
  EXPECT_STREQ("text", list.entries[0].description);
  EXPECT_STREQ("C", list.entries[1].name);
  EXPECT_STREQ("\r", list.entries[1].description);
}

TEST(HolidayCalendar, StopsAfterFourSlots) {
  std::string calendar = "0|";
  for (int day = 1; day <= 10; ++day)
    calendar += Record(1, day, 2006, "H" + std::to_string(day), "d");
  calendar += "garbage that never ends a record";
  const HolidayList list = Read(calendar, At(2006, 1, 3, 12));
  ExpectList(
      {{"H3", 1, 3, 2006, 0}, {"H4", 1, 4, 2006, 1}, {"H5", 1, 5, 2006, 2}, {"H6", 1, 6, 2006, 3}},
      list, "3 Jan");
}

// The count is of wall-clock days: every hour of a day whose clock jumps gives the same.
TEST(HolidayCalendar, DaysUntilIsTheSameAtEveryHourOfADay) {
  const std::string calendar = "0|" + Record(4, 4, 2010, "Easter Sunday", "e");
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute : {0, 59}) {
      const LocalTime now = At(2010, 3, 28, hour, minute);
      ExpectList({{"Easter Sunday", 4, 4, 2010, 7}}, Read(calendar, now), Describe(now));
    }
  }
  ExpectList({{"Easter Sunday", 4, 4, 2010, 6}}, Read(calendar, At(2010, 3, 28, 23, 59, 1)),
             "23:59:01");
}

// For any moment and any holiday not yet over: the calendar days from today to the
// holiday, one less from 23:59:01 on.
TEST(HolidayCalendar, DaysUntilIsTheCalendarDayDifference) {
  std::mt19937 random(20061225);
  auto uniform = [&random](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  const int monthLengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  auto randomDate = [&](int lowYear, int highYear, int* year, int* month, int* day) {
    *year = uniform(lowYear, highYear);
    *month = uniform(1, 12);
    const bool leap = (*year % 4 == 0 && *year % 100 != 0) || *year % 400 == 0;
    *day = uniform(1, monthLengths[*month - 1] + (*month == 2 && leap ? 1 : 0));
  };
  for (int i = 0; i < 20000; ++i) {
    int year, month, day;
    randomDate(1601, 9998, &year, &month, &day);
    int holidayYear, holidayMonth, holidayDay;
    randomDate(year, i % 4 == 0 ? 9999 : year + 1, &holidayYear, &holidayMonth, &holidayDay);
    // A third of the moments at 23:59:00, where a rounding error would show, a third
    // later in that minute.
    const bool lastMinute = i % 3 != 2;
    const LocalTime now =
        At(year, month, day, lastMinute ? 23 : uniform(0, 23), lastMinute ? 59 : uniform(0, 59),
           i % 3 == 0 ? 0 : uniform(0, 59), uniform(0, 999));
    const long days =
        DayNumber(holidayYear, holidayMonth, holidayDay) - DayNumber(year, month, day);
    const bool afterHolidayMoment =
        now.hour == 23 && now.minute == 59 && (now.second > 0 || now.millisecond > 0);
    const std::string context = Describe(now) + " to " + std::to_string(holidayYear) + "-" +
                                std::to_string(holidayMonth) + "-" + std::to_string(holidayDay);
    const HolidayList list =
        Read("0|" + Record(holidayMonth, holidayDay, holidayYear, "H", "d"), now);
    if (days < 0 || (days == 0 && afterHolidayMoment)) {
      EXPECT_EQ(0, list.count) << context;
      continue;
    }
    const bool lateInTheDay = now.hour == 23 && now.minute == 59 && now.second > 0;
    ASSERT_EQ(1, list.count) << context;
    ASSERT_EQ(days - (lateInTheDay ? 1 : 0), list.entries[0].daysUntil) << context;
  }
}
