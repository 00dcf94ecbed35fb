// The shell's window-free rules, its error report and its pictures.
#include <gtest/gtest.h>

#include <limits>

#include "app/logic/dialog_rules.h"
#include "app/logic/embedded_images.h"
#include "app/logic/error_report_text.h"
#include "app/logic/main_loop_rules.h"
#include "runtime/portable/png_decode.h"

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

// Never 0 (permanent) nor wrapped: no number means 7 days; 1491309 days pass 2^31 - 1 minutes, 2982616 are 2^32.
TEST(BanMinutes, DaysBecomeMinutesAndHugeDaysStopAtTheLargest32BitValueInsteadOfWrapping) {
  constexpr std::int32_t kWeek = 7 * 24 * 60, kLargest = std::numeric_limits<std::int32_t>::max();
  const std::pair<const char16_t*, std::int32_t> kDays[] = {
      {u"3", 4320}, {u"", kWeek}, {u"a5", kWeek}, {u" x", kWeek}, {u"0", kWeek}, {u"00", kWeek},
      {u"1491308", 2147483520}, {u"1491309", kLargest}, {u"2982616", kLargest},
      {u"99999999999999999999999999", kLargest}};
  for (const auto& [days, minutes] : kDays) EXPECT_EQ(BanMinutesFromDays(days), minutes) << TextToUtf8(days);
}

TEST(DonationCountdown, CountsDownByRoundedSecondsThenReadsClose) {
  const std::pair<int, const char16_t*> kTimes[] = {{0, u"Close (5)"}, {499, u"Close (5)"}, {501, u"Close (4)"},
      {1499, u"Close (4)"}, {4999, u"Close (0)"}, {5000, u"Close"}, {60000, u"Close"}};
  for (const auto& [elapsed, text] : kTimes) EXPECT_EQ(DonationCloseText(elapsed), text) << elapsed;
}

// Name, IP, port, ping, GUID, number: aaaa 4, "" 9 (a GUID the server has not checked yet), AAAA 11.
static std::vector<PlayerRecord> Players() {
  return {{u"", u"", 0, 0, u"aaaa", 4}, {u"", u"", 0, 0, u"", 9}, {u"", u"", 0, 0, u"AAAA", 11}};
}

// An empty GUID names nobody, even beside a player without GUID.
TEST(FindPlayerNumber, MatchesTheGuidExactlyAndNeverAnEmptyOne) {
  const std::pair<const char16_t*, std::int32_t> kCases[] = {{u"AAAA", 11}, {u"aaaa", 4}, {u"aaa", -1}, {u"", -1}};
  for (const auto& [guid, expected] : kCases) {
    std::int32_t number = -1;
    EXPECT_EQ(FindPlayerNumber(Players(), guid, number), expected != -1) << TextToUtf8(guid);
    EXPECT_EQ(number, expected) << TextToUtf8(guid);
  }
}

TEST(FindPlayerAgain, SameGuidAndNumberFirstThenTheGuidAloneButNeverAnEmptyGuidAlone) {
  const struct { const char16_t* guid; std::int32_t number; int row; } kCases[] = {
      {u"AAAA", 11, 2}, {u"AAAA", 3, 2}, {u"aaaa", 4, 0}, {u"", 9, 1}, {u"", 4, -1}, {u"bbbb", 4, -1}};
  for (const auto& [guid, number, row] : kCases) {
    EXPECT_EQ(FindPlayerAgain(Players(), guid, number), row) << TextToUtf8(guid) << " " << number;
  }
}

TEST(ExportFileName, AddsTheEndingUnlessItIsThereInAnyCase) {
  const std::pair<const char16_t*, const char16_t*> kNames[] = {{u"C:\\backup", u"C:\\backup.db"},
      {u"C:\\BACKUP.DB", u"C:\\BACKUP.DB"}, {u"x.Db", u"x.Db"}, {u"players.db.txt", u"players.db.txt.db"},
      {u"mydb", u"mydb.db"}, {u"db", u"db.db"}};  // shorter than the ending
  for (const auto& [chosen, name] : kNames) EXPECT_EQ(ExportFileName(chosen), name);
}

TEST(ErrorReportText, AnAccessViolationWithoutLineInformationAndTargetZero) {
  ErrorReport report;
  report.ErrorCode = 0xC0000005;
  report.CodeAddress = 0x4017A3;
  EXPECT_EQ(ProgramErrorText(report),
            u"A program error was detected:\r\r"
            u"Error Message:   Invalid memory access\r"
            u"Error Code:      -1073741819\r"
            u"Code Address:    $4017A3\r"
            u"Target Address:  $0\r"  // zero as one digit
            u"Sourcecode line: Enable OnError lines support to get code line information.\r");
}

TEST(ErrorReportText, OtherCodesHaveNoTargetLineAndShowAKnownLine) {
  ErrorReport report;
  report.ErrorCode = 0xE06D7363;  // a code without a text of its own
  report.CodeAddress = 0xABCDEF01;
  report.TargetAddress = 0x1234;
  report.SourceLine = 812;
  EXPECT_EQ(ProgramErrorText(report),
            u"A program error was detected:\r\r"
            u"Error Message:   Unknown error code\r"
            u"Error Code:      -529697949\r"
            u"Code Address:    $ABCDEF01\r"
            u"Sourcecode line: 812\r");
}

TEST(EmbeddedImages, EveryPictureDecodesToItsSizeOpaqueOrWithATransparentCorner) {
  for (int image = 0; image < kEmbeddedImageCount; ++image) {
    RgbaImage decoded;
    ASSERT_TRUE(DecodePng(EmbeddedImageBytes(image), decoded)) << image;
    EXPECT_EQ(kEmbeddedImageTable[image].Width, decoded.width) << image;
    EXPECT_EQ(kEmbeddedImageTable[image].Height, decoded.height) << image;
    bool opaque = true;
    for (std::size_t i = 3; i < decoded.pixels.size(); i += 4) opaque = opaque && decoded.pixels[i] == 255;
    if (!IsEmbeddedIcon(image)) {
      EXPECT_TRUE(opaque) << image;  // shown as plain bitmaps on the window's face
    } else if (image <= kPlayerRowImage) {
      EXPECT_EQ(decoded.pixels[3], 0) << image;  // the round and star icons leave their corner clear
    }
  }
}
