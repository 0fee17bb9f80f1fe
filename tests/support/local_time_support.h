#pragma once
// Building and printing broken-down local times in tests.
#include <cstdint>
#include <sstream>
#include <string>

#include "core/local_time.h"

inline LocalTime At(int year, int month, int day, int hour = 0, int minute = 0, int second = 0,
                    int millisecond = 0) {
  LocalTime t{};
  t.year = static_cast<std::uint16_t>(year);
  t.month = static_cast<std::uint16_t>(month);
  t.day = static_cast<std::uint16_t>(day);
  t.hour = static_cast<std::uint16_t>(hour);
  t.minute = static_cast<std::uint16_t>(minute);
  t.second = static_cast<std::uint16_t>(second);
  t.millisecond = static_cast<std::uint16_t>(millisecond);
  return t;
}

inline std::string Describe(const LocalTime& t) {
  std::ostringstream out;
  out << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute << ":"
      << t.second << "." << t.millisecond;
  return out.str();
}
