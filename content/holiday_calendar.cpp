#include "content/holiday_calendar.h"

#include <cstring>

HolidayList holidayList{};

namespace {

bool IsDelimiter(unsigned char c) { return c == '|' || c == '\t' || c == '\n'; }

// A machine word of bytes, scanned at once: 0x01 and 0x80 in every byte.
using Word = std::size_t;
constexpr Word ONES = static_cast<Word>(-1) / 0xFF;
constexpr Word HIGHS = ONES * 0x80;

// Nonzero when a byte of `word` is below `n` (at most 128).
Word HasByteBelow(Word word, unsigned char n) { return (word - ONES * n) & ~word & HIGHS; }

// Nonzero when a byte of `word` equals `c`.
Word HasByte(Word word, unsigned char c) { return HasByteBelow(word ^ (ONES * c), 1); }

// Splits the calendar like a C tokenizer over "|\t\n": runs of delimiters are one
// separator and no token is empty. The first NUL ends the text, as it would end a
// C string; found on the way, so the calendar is read once.
struct Tokenizer {
  const unsigned char* data;
  std::size_t size;
  std::size_t position;

  bool Next(ByteView* token) {
    while (position < size && IsDelimiter(data[position])) ++position;
    if (position >= size || data[position] == 0) return false;
    const std::size_t start = position;
    position = DelimiterFrom(start);
    *token = ByteView{data + start, position - start};
    return true;
  }

  // The first delimiter or NUL at or after `from`, or the size. The whole calendar is
  // read at every paint, so words without either are passed a machine word at a time.
  std::size_t DelimiterFrom(std::size_t from) const {
    std::size_t i = from;
    for (; size - i >= sizeof(Word); i += sizeof(Word)) {
      Word word = 0;
      std::memcpy(&word, data + i, sizeof word);
      // NUL, TAB and LF all lie below LF + 1; other control bytes there only end the
      // fast part early.
      if (HasByte(word, '|') | HasByteBelow(word, '\n' + 1)) break;
    }
    while (i < size && data[i] != 0 && !IsDelimiter(data[i])) ++i;
    return i;
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

  Tokenizer tokens{calendar.data, calendar.data ? calendar.size : 0, 0};
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
    if (!IsValidDate(entry.year, entry.month, entry.day)) continue;
    const LocalTime holiday = HolidayMoment(entry);
    std::int64_t holidayTicks = 0;
    LocalTimeToTicks(holiday, &holidayTicks);
    if (nowTicks > holidayTicks) continue;

    // Texts only for kept records: most records of the calendar are long over.
    CopyText(fields[3], entry.name);
    CopyText(fields[4], entry.description);
    // The description token carries the CR of its line ending.
    const std::size_t descriptionLength = std::strlen(entry.description);
    if (descriptionLength > 0) entry.description[descriptionLength - 1] = '\0';
    entry.daysUntil = DaysUntil(now, holiday);
    ++list->count;
  }
}
