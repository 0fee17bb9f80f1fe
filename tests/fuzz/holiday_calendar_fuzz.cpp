// The calendar reader over arbitrary bytes at an arbitrary local time, invalid dates
// and clock fields included.
//
// Input: the eight 16-bit fields of the local time (little-endian, in LocalTime's
// order), then the calendar's bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "content/holiday_calendar.h"
#include "core/local_time.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr std::size_t HEADER_BYTES = 16;
constexpr int RECORD_FIELDS = 5;

LocalTime TimeFromHeader(const std::uint8_t* data) {
  LocalTime time{};
  std::uint16_t* const fields[] = {&time.year, &time.month,  &time.dayOfWeek, &time.day,
                                   &time.hour, &time.minute, &time.second,    &time.millisecond};
  for (std::size_t i = 0; i < 8; ++i) *fields[i] = ReadU16(data + 2 * i);
  return time;
}

// The calendar's tokens the plain way: up to the first NUL, split at "|", TAB and LF,
// no empty token.
std::vector<std::string> Tokens(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> tokens;
  std::string token;
  for (std::size_t i = 0; i < size && data[i] != 0; ++i) {
    const char c = static_cast<char>(data[i]);
    if (c == '|' || c == '\t' || c == '\n') {
      if (!token.empty()) tokens.push_back(token);
      token.clear();
    } else {
      token += c;
    }
  }
  if (!token.empty()) tokens.push_back(token);
  return tokens;
}

// Leading decimal digits; saturates far above any valid field.
long long Number(const std::string& token) {
  long long value = 0;
  for (char c : token) {
    if (c < '0' || c > '9') break;
    value = value * 10 + (c - '0');
    if (value > 100000000) value = 100000000;
  }
  return value;
}

struct Expected {
  int year, month, day;
  std::string name, description;
  std::int64_t seconds;  // 23:59:00 of the date, in whole seconds since 1601
};

// The records that are not over at `nowTicks`, first four in file order; a record
// cut off by the end of the calendar is not one.
std::vector<Expected> ModelHolidays(const std::vector<std::string>& tokens, std::int64_t nowTicks) {
  std::vector<Expected> found;
  for (std::size_t first = 1; first + RECORD_FIELDS <= tokens.size() && found.size() < 4;
       first += RECORD_FIELDS) {
    const long long month = Number(tokens[first]);
    const long long day = Number(tokens[first + 1]);
    const long long year = Number(tokens[first + 2]);
    if (!IsValidDate(static_cast<int>(year), static_cast<int>(month), static_cast<int>(day))) {
      continue;
    }
    LocalTime moment{};
    moment.year = static_cast<std::uint16_t>(year);
    moment.month = static_cast<std::uint16_t>(month);
    moment.day = static_cast<std::uint16_t>(day);
    moment.hour = 23;
    moment.minute = 59;
    std::int64_t ticks = 0;
    Require(LocalTimeToTicks(moment, &ticks), "a valid date converts");
    if (nowTicks > ticks) continue;
    std::string description = tokens[first + 4].substr(0, HOLIDAY_TEXT_CAPACITY - 1);
    description.pop_back();  // the reader drops the last byte, the line's CR
    found.push_back({static_cast<int>(year), static_cast<int>(month), static_cast<int>(day),
                     tokens[first + 3].substr(0, HOLIDAY_TEXT_CAPACITY - 1), description,
                     ticks / TICKS_PER_SECOND});
  }
  return found;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < HEADER_BYTES) return 0;
  const LocalTime now = TimeFromHeader(data);
  // An exact-size copy: the reader must stay within the size it is given.
  const std::size_t calendarSize = size - HEADER_BYTES;
  std::unique_ptr<std::uint8_t[]> calendar(new std::uint8_t[calendarSize ? calendarSize : 1]);
  if (calendarSize) std::memcpy(calendar.get(), data + HEADER_BYTES, calendarSize);

  std::unique_ptr<HolidayList> list(new HolidayList);
  std::memset(list.get(), 0xBD, sizeof *list);
  ReadHolidays(ByteView{calendar.get(), calendarSize}, now, list.get());

  Require(list->count >= 0 && list->count <= HOLIDAY_SLOTS, "count within the slots",
          std::to_string(list->count));
  std::int64_t nowTicks = 0;
  if (!LocalTimeToTicks(now, &nowTicks)) {
    Require(list->count == 0, "no holidays at an invalid time", std::to_string(list->count));
    return 0;
  }

  const std::vector<Expected> expected =
      ModelHolidays(Tokens(calendar.get(), calendarSize), nowTicks);
  Require(static_cast<std::size_t>(list->count) == expected.size(), "holiday count",
          std::to_string(list->count) + " read, " + std::to_string(expected.size()) + " expected");
  const std::int64_t nowSeconds = nowTicks / TICKS_PER_SECOND;
  for (int i = 0; i < list->count; ++i) {
    const HolidayEntry& entry = list->entries[i];
    const Expected& want = expected[static_cast<std::size_t>(i)];
    const std::string which = "entry " + std::to_string(i);
    Require(IsValidDate(entry.year, entry.month, entry.day), "entry date is valid", which);
    Require(entry.year == want.year && entry.month == want.month && entry.day == want.day,
            "entry date", which);
    Require(want.seconds >= nowSeconds, "entry is not over", which);
    const std::string name = TerminatedWithin(entry.name, sizeof entry.name, "name", false);
    const std::string description =
        TerminatedWithin(entry.description, sizeof entry.description, "description", false);
    Require(name == want.name, "entry name", which + ": " + Printable(name));
    Require(description == want.description, "entry description",
            which + ": " + Printable(description));
    // Whole days from now, to the second, until 23:59:00 on the date.
    const std::int64_t days = (want.seconds - nowSeconds) / SECONDS_PER_DAY;
    Require(entry.daysUntil == days, "days until",
            which + ": " + std::to_string(entry.daysUntil) + ", expected " + std::to_string(days));
  }
  return 0;
}
