#include "database/player_date.h"

#include "runtime/portable/date_mask.h"

Text PlayerSeenDate(const std::tm& time) {
  const LocalDateTime when{time.tm_year + 1900, time.tm_mon + 1, time.tm_mday,
                           time.tm_hour,        time.tm_min,     time.tm_sec};
  return FormatDateMask(kPlayerDateMask, when);
}

Text PlayerSeenDateNow() { return FormatDateMask(kPlayerDateMask, CurrentLocalDateTime()); }
