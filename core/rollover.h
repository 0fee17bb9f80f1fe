#pragma once
#include <cstdint>

#include "core/local_time.h"

// A rollover is due once a whole day (86,400 s) or more has passed since the reference,
// both counts taken in whole seconds. A clock set back by up to a day waits for the
// reference again; a reference more than a day ahead of the clock is due at once.
bool IsRolloverDue(std::int64_t nowTicks, std::int64_t referenceTicks);

// The reference a rollover at `now` leaves: 05:00 of that day with the seconds and
// milliseconds of `now`, so the next one comes the following morning. Zero for a time
// the calendar does not have.
std::int64_t NewReferenceTime(const LocalTime& now);
