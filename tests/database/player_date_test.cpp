#include "database/player_date.h"

#include <gtest/gtest.h>

namespace {

std::tm Time(int year, int month, int day, int hour, int minute, int second) {
  std::tm t{};
  t.tm_year = year - 1900;
  t.tm_mon = month - 1;
  t.tm_mday = day;
  t.tm_hour = hour;
  t.tm_min = minute;
  t.tm_sec = second;
  return t;
}

TEST(PlayerDate, DayMonthYearHourMinuteWithLeadingZeros) {
  EXPECT_EQ(PlayerSeenDate(Time(2024, 3, 5, 7, 9, 59)), u"05.03.2024 07:09");
  EXPECT_EQ(PlayerSeenDate(Time(1999, 12, 31, 23, 59, 0)), u"31.12.1999 23:59");
  EXPECT_EQ(PlayerSeenDate(Time(2030, 1, 1, 0, 0, 0)), u"01.01.2030 00:00");
}

}  // namespace
