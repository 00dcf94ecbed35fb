#pragma once
// Local dates and times written through masks: "%yyyy" four-digit year, "%mm" month,
// "%dd" day, "%hh" hour 00-23, "%ii" minutes, "%ss" seconds; every other character is
// copied. Used for log stamps, ban expiry texts and the player database.
#include <cstdint>

#include "runtime/portable/text.h"

struct LocalDateTime {
  int Year = 1970;
  int Month = 1;
  int Day = 1;
  int Hour = 0;
  int Minute = 0;
  int Second = 0;
};

LocalDateTime CurrentLocalDateTime();
// The local date and time `minutes` from now (negative: in the past). Values beyond what
// the calendar functions can hold are clamped, so a huge server number cannot overflow.
LocalDateTime LocalDateTimeAfterMinutes(std::int64_t minutes);
Text FormatDateMask(TextView mask, const LocalDateTime& when);
