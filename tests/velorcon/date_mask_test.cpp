#include "runtime/portable/date_mask.h"

#include <gtest/gtest.h>

namespace {

const LocalDateTime kEvening{2012, 3, 3, 21, 5, 0};

TEST(DateMask, ServerMessageBanExpiryAndDatabaseMasks) {
  const LocalDateTime t{987, 12, 31, 0, 59, 9};
  EXPECT_EQ(FormatDateMask(u"(%yyyy-%mm-%dd | %hh:%ii:%ss) : ", kEvening), u"(2012-03-03 | 21:05:00) : ");
  EXPECT_EQ(FormatDateMask(u"%dd.%mm.%yyyy - %hh:%ii", t), u"31.12.0987 - 00:59");
  EXPECT_EQ(FormatDateMask(u"%dd.%mm.%yyyy %hh:%ii", kEvening), u"03.03.2012 21:05");
  EXPECT_EQ(FormatDateMask(u"%hh:%ii:%ss", t), u"00:59:09");
}

TEST(DateMask, OtherCharactersAreCopied) {
  EXPECT_EQ(FormatDateMask(u"%y %m %yyy %%dd 100%", kEvening), u"%y %m %yyy %03 100%");
  EXPECT_EQ(FormatDateMask(u"", kEvening), u"");
}

TEST(DateMask, HugeOffsetsAreClampedInsteadOfOverflowing) {
  const LocalDateTime far = LocalDateTimeAfterMinutes(INT64_MAX / 2);
  EXPECT_GE(far.Year, 2038);
  const LocalDateTime past = LocalDateTimeAfterMinutes(-(INT64_MAX / 2));
  EXPECT_LE(past.Year, 1970);
  EXPECT_GE(past.Year, 1969);  // the epoch in a time zone west of it
}

}  // namespace
