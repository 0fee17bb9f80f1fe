#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

// The committed holiday calendar, checked against the rules of its twenty feasts.

namespace {

struct Date {
  int year, month, day;
  bool operator==(const Date& o) const {
    return year == o.year && month == o.month && day == o.day;
  }
  bool operator<(const Date& o) const {
    if (year != o.year) return year < o.year;
    if (month != o.month) return month < o.month;
    return day < o.day;
  }
};

std::string Show(const Date& d) {
  return std::to_string(d.year) + "-" + std::to_string(d.month) + "-" + std::to_string(d.day);
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
long DayNumber(const Date& d) {
  const int y = d.month <= 2 ? d.year - 1 : d.year;
  const int era = y / 400;
  const int yearOfEra = y - era * 400;
  const int monthFromMarch = (d.month + 9) % 12;
  const int dayOfYear = (153 * monthFromMarch + 2) / 5 + d.day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097L + dayOfEra - 719468L;
}

Date FromDayNumber(long n) {
  n += 719468L;
  const long era = n / 146097L;
  const long dayOfEra = n - era * 146097L;
  const long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
  const long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
  const long monthFromMarch = (5 * dayOfYear + 2) / 153;
  const int day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
  const int month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
  const int year = static_cast<int>(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
  return {year, month, day};
}

Date AddDays(const Date& d, int days) { return FromDayNumber(DayNumber(d) + days); }

// Western Easter by the Gregorian epact (golden number, solar and lunar corrections,
// then the Sunday after the paschal full moon); a different route from the generator's.
Date WesternEaster(int year) {
  const int golden = year % 19 + 1;
  const int century = year / 100 + 1;
  const int solar = 3 * century / 4 - 12;
  const int lunar = (8 * century + 5) / 25 - 5;
  const int sunday = 5 * year / 4 - solar - 10;
  int epact = (11 * golden + 20 + lunar - solar) % 30;
  if ((epact == 25 && golden > 11) || epact == 24) ++epact;
  int fullMoon = 44 - epact;
  if (fullMoon < 21) fullMoon += 30;
  fullMoon += 7 - (sunday + fullMoon) % 7;
  return fullMoon > 31 ? Date{year, 4, fullMoon - 31} : Date{year, 3, fullMoon};
}

struct Feast {
  const char* name;
  int month, day;    // a fixed date, or month 0 and ...
  int easterOffset;  // ... this many days from Easter Sunday
};

// In file order for feasts that share a date.
const Feast FEASTS[] = {
    {"Twelfth Night (Epiphany)", 1, 6, 0},
    {"St. David's Day", 3, 1, 0},
    {"Ash Wednesday", 0, 0, -46},
    {"Women's World Day of Prayer", 3, 4, 0},
    {"Annunciation Day", 3, 25, 0},
    {"Palm Sunday", 0, 0, -7},
    {"Maundy Thursday", 0, 0, -3},
    {"Good Friday", 0, 0, -2},
    {"Easter Sunday", 0, 0, 0},
    {"St. George's Day", 4, 23, 0},
    {"Ascension Day", 0, 0, 39},
    {"Pentecost Day", 0, 0, 49},
    {"The Day of Transfiguration", 8, 6, 0},
    {"Assumption Day", 8, 15, 0},
    {"Reformation Day", 10, 31, 0},
    {"All Saints' Day", 11, 1, 0},
    {"All Souls' Day", 11, 2, 0},
    {"St. Andrew's Day", 11, 30, 0},
    {"Immaculate Conception", 12, 8, 0},
    {"Christmas Day", 12, 25, 0},
};
constexpr int FEASTS_PER_YEAR = 20;
constexpr int FIRST_YEAR = 2006;
constexpr int LAST_YEAR = 2099;

struct Expected {
  Date date;
  std::string name;
};

// A year's feasts in date order; a stable insertion keeps feasts of one date in list order.
std::vector<Expected> ExpectedYear(int year) {
  std::vector<Expected> rows;
  for (const Feast& f : FEASTS) {
    const Date when =
        f.month != 0 ? Date{year, f.month, f.day} : AddDays(WesternEaster(year), f.easterOffset);
    auto at = rows.begin();
    while (at != rows.end() && !(when < at->date)) ++at;
    rows.insert(at, {when, f.name});
  }
  return rows;
}

std::vector<unsigned char> ReadCalendar() {
  std::ifstream in(QUILLANE_SOURCE_DIR "/resources/holidays.txt", std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>());
}

struct Record {
  int line;  // 1-based
  std::vector<std::string> fields;
  bool endsInCrLf;
};

// After the leading "0|", one record a line; fields split at "|" only, so that an
// empty field or a stray TAB stays visible.
std::vector<Record> Records(const std::vector<unsigned char>& bytes) {
  std::vector<Record> records;
  std::size_t at = 2;
  int line = 1;
  while (at < bytes.size()) {
    Record r = {line++, {""}, false};
    while (at < bytes.size() && bytes[at] != '\n') {
      if (bytes[at] == '|') {
        r.fields.push_back("");
      } else {
        r.fields.back() += static_cast<char>(bytes[at]);
      }
      ++at;
    }
    r.endsInCrLf = at < bytes.size() && !r.fields.back().empty() && r.fields.back().back() == '\r';
    if (r.endsInCrLf) r.fields.back().pop_back();
    ++at;
    records.push_back(r);
  }
  return records;
}

// Decimal without a leading zero, as the reader's digit scan and the format expect.
bool ParseNumber(const std::string& text, int* value) {
  if (text.empty() || text.size() > 4 || text[0] == '0') return false;
  int v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *value = v;
  return true;
}

bool ValidDate(const Date& d) {
  return d.month >= 1 && d.month <= 12 && d.day >= 1 && FromDayNumber(DayNumber(d)) == d;
}

TEST(CalendarData, EasterRuleGivesTheKnownDates) {
  const Date known[] = {{2006, 4, 16}, {2007, 4, 8},  {2008, 3, 23}, {2009, 4, 12}, {2010, 4, 4},
                        {2019, 4, 21}, {2027, 3, 28}, {2038, 4, 25}, {2000, 4, 23}, {2011, 4, 24},
                        {2024, 3, 31}, {2025, 4, 20}, {2285, 3, 22}, {1954, 4, 18}, {1981, 4, 19}};
  for (const Date& d : known) {
    EXPECT_EQ(Show(d), Show(WesternEaster(d.year)));
  }
  // Always a Sunday from 22 March to 25 April (1970-01-01, day 0, was a Thursday).
  for (int year = 1900; year <= 2199; ++year) {
    const Date easter = WesternEaster(year);
    EXPECT_EQ(3, (DayNumber(easter) % 7 + 7) % 7) << Show(easter) << " is no Sunday";
    EXPECT_FALSE(easter < (Date{year, 3, 22})) << Show(easter);
    EXPECT_FALSE((Date{year, 4, 25}) < easter) << Show(easter);
  }
  EXPECT_EQ(Show({2008, 2, 6}), Show(AddDays({2008, 3, 23}, -46))) << "across a leap day";
  EXPECT_EQ(Show({2010, 3, 1}), Show(AddDays({2010, 2, 28}, 1)));
}

TEST(CalendarData, EveryRecordHasFiveCleanFieldsAndEndsInCrLf) {
  const std::vector<unsigned char> bytes = ReadCalendar();
  ASSERT_GT(bytes.size(), 2u) << "cannot read resources/holidays.txt";
  EXPECT_EQ('0', bytes[0]);
  EXPECT_EQ('|', bytes[1]);
  // Printable ASCII, and CR only with LF: no TAB, no bare LF, no stray CR.
  int reported = 0;
  for (std::size_t i = 0; i < bytes.size() && reported < 5; ++i) {
    const unsigned char c = bytes[i];
    const bool lineEnd = (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n') ||
                         (c == '\n' && i > 0 && bytes[i - 1] == '\r');
    if (!lineEnd && (c < 0x20 || c >= 0x7F)) {
      ADD_FAILURE() << "byte " << int(c) << " at offset " << i;
      ++reported;
    }
  }
  ASSERT_EQ('\n', bytes.back()) << "the last record ends in CR LF";

  for (const Record& r : Records(bytes)) {
    const std::string at = "line " + std::to_string(r.line);
    ASSERT_EQ(5u, r.fields.size()) << at;
    EXPECT_TRUE(r.endsInCrLf) << at;
    for (const std::string& field : r.fields) {
      EXPECT_FALSE(field.empty()) << at;
      EXPECT_EQ(std::string::npos, field.find_first_of("\t\r")) << at;
    }
    Date d = {};
    EXPECT_TRUE(ParseNumber(r.fields[0], &d.month)) << at << ": month " << r.fields[0];
    EXPECT_TRUE(ParseNumber(r.fields[1], &d.day)) << at << ": day " << r.fields[1];
    EXPECT_TRUE(r.fields[2].size() == 4 && ParseNumber(r.fields[2], &d.year))
        << at << ": year " << r.fields[2];
    EXPECT_TRUE(ValidDate(d)) << at << ": " << Show(d);
    EXPECT_LE(r.fields[3].size(), 254u) << at;
    const std::size_t description = r.fields[4].size();
    EXPECT_TRUE(description >= 60 && description <= 190) << at << ": " << description << " bytes";
  }
}

TEST(CalendarData, TwentyKnownFeastsEachYearInDateOrder) {
  const std::vector<Record> records = Records(ReadCalendar());
  ASSERT_EQ(static_cast<std::size_t>(FEASTS_PER_YEAR * (LAST_YEAR - FIRST_YEAR + 1)),
            records.size());
  std::set<std::string> names;
  for (const Feast& f : FEASTS) names.insert(f.name);
  Date previous = {0, 0, 0};
  for (const Record& r : records) {
    if (r.fields.size() != 5) continue;
    const std::string at = "line " + std::to_string(r.line);
    const Date d = {std::stoi(r.fields[2]), std::stoi(r.fields[0]), std::stoi(r.fields[1])};
    EXPECT_FALSE(d < previous) << at << ": " << Show(d) << " after " << Show(previous);
    previous = d;
    EXPECT_EQ(1u, names.count(r.fields[3])) << at << ": unknown name \"" << r.fields[3] << "\"";
  }
  EXPECT_EQ("Twelfth Night (Epiphany)", records.front().fields[3]);
  EXPECT_EQ("Christmas Day", records.back().fields.size() == 5 ? records.back().fields[3] : "");
}

// Every year against the rules; the years 2006-2010 the card was made for are among them.
TEST(CalendarData, RecordsFollowTheFeastRulesYearByYear) {
  const std::vector<Record> records = Records(ReadCalendar());
  ASSERT_EQ(static_cast<std::size_t>(FEASTS_PER_YEAR * (LAST_YEAR - FIRST_YEAR + 1)),
            records.size());
  std::size_t index = 0;
  for (int year = FIRST_YEAR; year <= LAST_YEAR; ++year) {
    for (const Expected& e : ExpectedYear(year)) {
      const Record& r = records[index++];
      ASSERT_EQ(5u, r.fields.size()) << "line " << r.line;
      const std::string seen =
          r.fields[2] + "-" + r.fields[0] + "-" + r.fields[1] + " " + r.fields[3];
      EXPECT_EQ(Show(e.date) + " " + e.name, seen) << "line " << r.line;
    }
  }
}

// The orders that the moveable feasts bring about, spelled out for the first years.
TEST(CalendarData, FirstYearsReadInTheirOrder) {
  const std::vector<Record> records = Records(ReadCalendar());
  ASSERT_GE(records.size(), 100u);
  struct Row {
    std::size_t index;
    const char* dateAndName;
  };
  const Row rows[] = {
      {0, "1|6|2006 Twelfth Night (Epiphany)"},
      {1, "3|1|2006 St. David's Day"},
      {2, "3|1|2006 Ash Wednesday"},
      {8, "4|16|2006 Easter Sunday"},
      {28, "4|8|2007 Easter Sunday"},
      {44, "3|16|2008 Palm Sunday"},
      {47, "3|23|2008 Easter Sunday"},
      {48, "3|25|2008 Annunciation Day"},
      {50, "5|1|2008 Ascension Day"},
      {51, "5|11|2008 Pentecost Day"},
      {68, "4|12|2009 Easter Sunday"},
      {88, "4|4|2010 Easter Sunday"},
      {99, "12|25|2010 Christmas Day"},
      {100, "1|6|2011 Twelfth Night (Epiphany)"},
  };
  for (const Row& row : rows) {
    const Record& r = records[row.index];
    ASSERT_EQ(5u, r.fields.size()) << "record " << row.index;
    EXPECT_EQ(row.dateAndName,
              r.fields[0] + "|" + r.fields[1] + "|" + r.fields[2] + " " + r.fields[3])
        << "record " << row.index;
  }
}

}  // namespace
