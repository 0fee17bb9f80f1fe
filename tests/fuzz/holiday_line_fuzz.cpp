// The holiday line of an arbitrary entry: any month, day and day count, a name of any
// bytes (terminated or filling its whole field), into buffers of any capacity. The
// attribution line of an arbitrary code rides along, the month's bytes its code and the
// day count's bits its set of stand-in collections.
//
// Input: month, day, daysUntil (4 bytes each, little-endian), capacity selector
// (1 byte), then the name's bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "card/card_text.h"
#include "content/translation_table.h"
#include "tests/fuzz/fuzz_check.h"

namespace {

constexpr std::size_t HEADER_BYTES = 13;

// "%.2d": at least two digits, the sign before them.
std::string TwoDigits(std::int32_t value) {
  std::string digits = std::to_string(std::llabs(static_cast<long long>(value)));
  if (digits.size() < 2) digits.insert(0, 1, '0');
  return (value < 0 ? "-" : "") + digits;
}

std::string ModelLine(const HolidayEntry& entry) {
  const void* nul = std::memchr(entry.name, 0, sizeof entry.name);
  const std::size_t nameLength =
      nul ? static_cast<std::size_t>(static_cast<const char*>(nul) - entry.name)
          : sizeof entry.name;
  std::string line = TwoDigits(entry.month) + "/" + TwoDigits(entry.day) + "  " +
                     std::string(entry.name, nameLength);
  if (entry.daysUntil == 0) return line + " (today)";
  if (entry.daysUntil == 1) return line + " (tomorrow)";
  return line + " (in " + std::to_string(entry.daysUntil) + " days)";
}

std::size_t Capacity(std::uint8_t selector) {
  return selector == 0xFF ? HOLIDAY_LINE_CAPACITY : selector;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < HEADER_BYTES) return 0;
  std::unique_ptr<HolidayEntry> entry(new HolidayEntry);
  std::memset(entry.get(), 0xBD, sizeof *entry);
  entry->month = ReadI32(data);
  entry->day = ReadI32(data + 4);
  entry->daysUntil = ReadI32(data + 8);
  const std::size_t capacity = Capacity(data[12]);
  // A short name is terminated; one that fills the field is not.
  const std::size_t nameBytes = size - HEADER_BYTES;
  std::memset(entry->name, 0, sizeof entry->name);
  std::memcpy(entry->name, data + HEADER_BYTES,
              nameBytes < sizeof entry->name ? nameBytes : sizeof entry->name);

  const std::string expected = ModelLine(*entry);
  for (const std::size_t lineCapacity : {HOLIDAY_LINE_CAPACITY, capacity}) {
    // Exact size, even 0: any write past it is an overflow the address sanitizer sees.
    std::unique_ptr<char[]> line(new char[lineCapacity]);
    std::memset(line.get(), 0xBD, lineCapacity);
    FormatHolidayLine(*entry, line.get(), lineCapacity);
    if (lineCapacity == 0) continue;
    const std::string held = TerminatedWithin(line.get(), lineCapacity, "holiday line", false);
    Require(held == expected.substr(0, lineCapacity - 1), "holiday line",
            Printable(held) + " for " + Printable(expected));
  }

  const std::uint32_t code = static_cast<std::uint32_t>(ReadI32(data));
  const CollectionSet standIns = static_cast<CollectionSet>(ReadI32(data + 8));
  std::unique_ptr<char[]> attribution(new char[capacity]);
  std::memset(attribution.get(), 0xBD, capacity);
  CopyAttribution(code, standIns, attribution.get(), capacity);
  if (capacity > 0) {
    const TranslationEntry* translation = FindTranslation(code);
    const bool standIn = translation != nullptr && translation->collectionId >= 140 &&
                         (standIns >> (translation->collectionId - 140) & 1u) != 0;
    const std::string model = standIn ? STAND_IN_ATTRIBUTION : AttributionForCode(code);
    const std::string held = TerminatedWithin(attribution.get(), capacity, "attribution", false);
    Require(held == model.substr(0, capacity - 1), "attribution", Printable(held));
    Require(FindTranslation(code) != nullptr || held.empty(), "no attribution outside the table",
            std::to_string(code));
  }
  return 0;
}
