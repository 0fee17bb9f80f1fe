#pragma once
#include "app/local_time.h"
#include "app/platform_types.h"

#ifdef _WIN32
LocalTime CurrentLocalTime();
LocalTime FromSystemTime(const SYSTEMTIME& time);
SYSTEMTIME ToSystemTime(const LocalTime& time);
#endif
