#pragma once
#include "core/local_time.h"
#include "core/platform_types.h"

#ifdef _WIN32
LocalTime CurrentLocalTime();
LocalTime FromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME ToSystemTime(const LocalTime& time);
#endif
