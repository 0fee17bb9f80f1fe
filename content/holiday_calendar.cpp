#include "content/holiday_calendar.h"

#include <cstring>

HolidayList holidayList{};

namespace {

constexpr char DELIMITERS[] = "|\t\n";

bool IsDelimiter(unsigned char c) { return c != 0 && std::strchr(DELIMITERS, c) != nullptr; }

// Splits the calendar like a C tokenizer over "|\t\n": runs of delimiters are one
// separator and no token is empty. The first NUL ends the text.
struct Tokenizer {
  const unsigned char* data;
  std::size_t size;
  std::size_t position;

  bool Next(ByteView* token) {
    while (position < size && IsDelimiter(data[position])) ++position;
    if (position >= size) return false;
    const std::size_t start = position;
    while (position < size && !IsDelimiter(data[position])) ++position;
    *token = ByteView{data + start, position - start};
    return true;
  }
};

// The decimal value of the token's leading digits, 0 if there are none. Values too
// large for any date are held at a bound so a long run of digits cannot overflow.
std::int32_t LeadingNumber(ByteView token) {
  constexpr std::int32_t BOUND = 1000000;
  std::int32_t value = 0;
  for (std::size_t i = 0; i < token.size && token.data[i] >= '0' && token.data[i] <= '9'; ++i) {
    value = value * 10 + (token.data[i] - '0');
    if (value > BOUND) value = BOUND;
  }
  return value;
}

void CopyText(ByteView token, char* text) {
  const std::size_t length =
      token.size < HOLIDAY_TEXT_CAPACITY - 1 ? token.size : HOLIDAY_TEXT_CAPACITY - 1;
  std::memcpy(text, token.data, length);
  text[length] = '\0';
}

// OLE dates before 1899-12-30 count the time of day away from zero; turned back into
// a continuous count of days so a difference is the wall-clock difference for any date.
double ContinuousOleDate(double oleDate) {
  if (oleDate >= 0) return oleDate;
  const double wholeDays = static_cast<double>(static_cast<std::int64_t>(oleDate));
  return 2 * wholeDays - oleDate;
}

LocalTime HolidayMoment(const HolidayEntry& entry) {
  LocalTime moment{};
  moment.year = static_cast<std::uint16_t>(entry.year);
  moment.month = static_cast<std::uint16_t>(entry.month);
  moment.day = static_cast<std::uint16_t>(entry.day);
  moment.hour = 23;
  moment.minute = 59;
  return moment;
}

// Whole days from now until the holiday moment, counted on OLE dates to the second with
// half a second of slack against rounding, so that it equals the calendar days to the
// date from midnight until 23:59:00 and one less from 23:59:01.
std::int32_t DaysUntil(const LocalTime& now, const LocalTime& holiday) {
  double nowDate = 0;
  double holidayDate = 0;
  LocalTimeToOleDate(now, &nowDate);
  LocalTimeToOleDate(holiday, &holidayDate);
  constexpr double HALF_SECOND = 0.5 / 86400;
  const double difference = ContinuousOleDate(holidayDate) - ContinuousOleDate(nowDate);
  return static_cast<std::int32_t>(difference >= 0 ? difference + HALF_SECOND
                                                   : difference - HALF_SECOND);
}

}  // namespace

void ReadHolidays(ByteView calendar, const LocalTime& now, HolidayList* list) {
  list->count = 0;
  std::int64_t nowTicks = 0;
  if (!LocalTimeToTicks(now, &nowTicks)) return;

  const void* nul = calendar.size ? std::memchr(calendar.data, 0, calendar.size) : nullptr;
  const std::size_t size =
      nul ? static_cast<std::size_t>(static_cast<const unsigned char*>(nul) - calendar.data)
          : calendar.size;
  Tokenizer tokens{calendar.data, size, 0};
  ByteView token{};
  if (!tokens.Next(&token)) return;  // the leading field, whatever it holds

  while (list->count < HOLIDAY_SLOTS) {
    HolidayEntry& entry = list->entries[list->count];
    ByteView fields[5];
    for (ByteView& field : fields) {
      if (!tokens.Next(&field)) return;
    }
    entry.month = LeadingNumber(fields[0]);
    entry.day = LeadingNumber(fields[1]);
    entry.year = LeadingNumber(fields[2]);
    CopyText(fields[3], entry.name);
    CopyText(fields[4], entry.description);
    // The description token carries the CR of its line ending.
    const std::size_t descriptionLength = std::strlen(entry.description);
    if (descriptionLength > 0) entry.description[descriptionLength - 1] = '\0';

    if (!IsValidDate(entry.year, entry.month, entry.day)) continue;
    const LocalTime holiday = HolidayMoment(entry);
    std::int64_t holidayTicks = 0;
    LocalTimeToTicks(holiday, &holidayTicks);
    if (nowTicks > holidayTicks) continue;

    entry.daysUntil = DaysUntil(now, holiday);
    ++list->count;
  }
}
