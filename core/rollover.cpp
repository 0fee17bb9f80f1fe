#include "core/rollover.h"

bool IsRolloverDue(std::int64_t nowTicks, std::int64_t referenceTicks) {
  // Whole seconds of any two 64-bit counts differ by far less than 2^63: no overflow.
  const std::int64_t nowSeconds = nowTicks / TICKS_PER_SECOND;
  const std::int64_t referenceSeconds = referenceTicks / TICKS_PER_SECOND;
  const std::int64_t elapsed = nowSeconds - referenceSeconds;
  // A reference more than a day ahead was stored while the clock ran ahead (a wrong
  // year, a failing battery); waiting for it would freeze the card until that date.
  return elapsed >= SECONDS_PER_DAY || elapsed < -SECONDS_PER_DAY;
}

std::int64_t NewReferenceTime(const LocalTime& now) {
  std::int64_t ticks = 0;
  return LocalTimeToTicks(AtFiveOClock(now), &ticks) ? ticks : 0;
}
