#include <benchmark/benchmark.h>

#include <cstring>

#include "bench_data.h"
#include "content/holiday_calendar.h"

// ReadHolidays runs at every paint over the whole shipped calendar. Early in its range
// it stops after four records; at its end it passes over every record first.

namespace {

const std::vector<unsigned char>& Calendar() {
  static const std::vector<unsigned char> bytes = ReadSourceFile("resources/holidays.txt");
  return bytes;
}

void ReadHolidaysAt(benchmark::State& state, LocalTime now, int expectedCount) {
  if (Calendar().empty()) {
    state.SkipWithError("no resources/holidays.txt");
    return;
  }
  const ByteView calendar = ViewOf(Calendar());
  HolidayList list{};
  for (auto _ : state) {
    ReadHolidays(calendar, now, &list);
    benchmark::DoNotOptimize(list.count);
    benchmark::ClobberMemory();
  }
  // A reading that stops early would time a shortcut, not the calendar.
  if (list.count != expectedCount) state.SkipWithError("not the holidays the calendar holds");
}

void ReadHolidaysFirstDay(benchmark::State& state) {
  ReadHolidaysAt(state, LocalTime{2006, 1, 0, 1, 0, 0, 0, 0}, HOLIDAY_SLOTS);
}

// 1 December 2099: every record but the last two (8 and 25 December) is over.
void ReadHolidaysLastMonth(benchmark::State& state) {
  ReadHolidaysAt(state, LocalTime{2099, 12, 2, 1, 0, 0, 0, 0}, 2);
}

void FloorScanCalendar(benchmark::State& state) {
  const ByteView calendar = ViewOf(Calendar());
  for (auto _ : state) {
    const void* found = std::memchr(calendar.data, 0, calendar.size);
    benchmark::DoNotOptimize(found);
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(calendar.size));
}

}  // namespace

BENCHMARK(ReadHolidaysFirstDay)->Unit(benchmark::kMicrosecond);
BENCHMARK(ReadHolidaysLastMonth)->Unit(benchmark::kMicrosecond);
BENCHMARK(FloorScanCalendar)->Unit(benchmark::kMicrosecond);
