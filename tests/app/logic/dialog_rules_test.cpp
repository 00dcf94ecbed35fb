#include "app/logic/dialog_rules.h"
#include "app/logic/main_loop_rules.h"

#include <gtest/gtest.h>

#include <limits>

TEST(CutReason, KeepsTheFirst32CharactersForKickAndBanAnd22ForAddBanAndLeavesShorterTextsAlone) {
  const Text typed = u"0123456789abcdefghijABCDEFGHIJ!?0123456789";  // 42 characters
  Text cut = u"untouched";
  EXPECT_FALSE(CutReason(Text(32, u'x'), kKickBanReasonLimit, cut));
  EXPECT_FALSE(CutReason(u"", kKickBanReasonLimit, cut));
  EXPECT_EQ(cut, u"untouched");
  ASSERT_TRUE(CutReason(typed, kKickBanReasonLimit, cut));
  EXPECT_EQ(cut, u"0123456789abcdefghijABCDEFGHIJ!?");
  ASSERT_TRUE(CutReason(typed, kAddBanReasonLimit, cut));
  EXPECT_EQ(cut, u"0123456789abcdefghijAB");
}

TEST(DaysText, EmptyOrOnlyZerosGetsTheDefault) {
  for (const char16_t* text : {u"", u"0", u"000"}) EXPECT_TRUE(DaysTextNeedsDefault(text)) << TextToUtf8(text);
  for (const char16_t* text : {u"10", u"01", u"7"}) EXPECT_FALSE(DaysTextNeedsDefault(text)) << TextToUtf8(text);
}

// Never 0, the server's permanent: without a number, the default 7 days; and never wrapped to
// a small or negative number: 1491308 days are 2147483520 minutes, one more passes the largest
// 32-bit value, and 2982616 days, exactly 2^32 minutes, would have become 0.
TEST(BanMinutes, DaysBecomeMinutesAndHugeDaysStopAtTheLargest32BitValueInsteadOfWrapping) {
  constexpr std::int32_t kWeek = 7 * 24 * 60, kLargest = std::numeric_limits<std::int32_t>::max();
  const std::pair<const char16_t*, std::int32_t> kDays[] = {
      {u"3", 4320}, {u"", kWeek}, {u"a5", kWeek}, {u" x", kWeek}, {u"0", kWeek}, {u"00", kWeek},
      {u"1491308", 2147483520}, {u"1491309", kLargest}, {u"2982616", kLargest}, {u"99999999999999999999999999", kLargest}};
  for (const auto& [days, minutes] : kDays) EXPECT_EQ(BanMinutesFromDays(days), minutes) << TextToUtf8(days);
}

TEST(DonationCountdown, CountsDownByRoundedSecondsThenReadsClose) {
  const std::pair<int, const char16_t*> kTimes[] = {{0, u"Close (5)"},    {499, u"Close (5)"},  {501, u"Close (4)"},
                                                    {1499, u"Close (4)"}, {4999, u"Close (0)"}, {5000, u"Close"},
                                                    {60000, u"Close"}};
  for (const auto& [elapsed, text] : kTimes) EXPECT_EQ(DonationCloseText(elapsed), text) << elapsed;
}

namespace {

// Name, IP, port, ping, GUID, number; the middle player's GUID the server has not checked yet.
std::vector<PlayerRecord> Players() {
  return {{u"", u"", 0, 0, u"aaaa", 4}, {u"", u"", 0, 0, u"", 9}, {u"", u"", 0, 0, u"AAAA", 11}};
}

}  // namespace

// An empty GUID names nobody, even beside a player without GUID.
TEST(FindPlayerNumber, MatchesTheGuidExactlyAndNeverAnEmptyOne) {
  const std::pair<const char16_t*, std::int32_t> kCases[] = {{u"AAAA", 11}, {u"aaaa", 4}, {u"aaa", -1}, {u"", -1}};
  for (const auto& [guid, expected] : kCases) {
    std::int32_t number = -1;
    EXPECT_EQ(FindPlayerNumber(Players(), guid, number), expected != -1) << TextToUtf8(guid);
    EXPECT_EQ(number, expected) << TextToUtf8(guid);
  }
  std::int32_t number = -1;
  EXPECT_FALSE(FindPlayerNumber({}, u"aaaa", number));
}

TEST(FindPlayerAgain, SameGuidAndNumberFirstThenTheGuidAloneButNeverAnEmptyGuidAlone) {
  const std::vector<PlayerRecord> players = Players();  // aaaa 4, "" 9, AAAA 11
  const struct { const char16_t* guid; std::int32_t number; int row; } kCases[] = {{u"AAAA", 11, 2}, {u"AAAA", 3, 2}, {u"aaaa", 4, 0}, {u"", 9, 1}, {u"", 4, -1}, {u"bbbb", 4, -1}};
  for (const auto& c : kCases) {
    EXPECT_EQ(FindPlayerAgain(players, c.guid, c.number), c.row) << TextToUtf8(c.guid) << " " << c.number;
  }
}

TEST(ExportFileName, AddsTheEndingUnlessItIsThereInAnyCase) {
  EXPECT_EQ(ExportFileName(u"C:\\backup"), u"C:\\backup.db");
  EXPECT_EQ(ExportFileName(u"C:\\BACKUP.DB"), u"C:\\BACKUP.DB");
  EXPECT_EQ(ExportFileName(u"x.Db"), u"x.Db");
  EXPECT_EQ(ExportFileName(u"players.db.txt"), u"players.db.txt.db");
  EXPECT_EQ(ExportFileName(u"db"), u"db.db");
  EXPECT_EQ(ExportFileName(u"mydb"), u"mydb.db");
}
