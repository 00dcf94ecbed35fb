#include "velorcon/parsers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

#include "rcon_fixture.h"
#include "runtime/portable/date_mask.h"
#include "velorcon/selected_rows.h"

namespace {

using ::testing::ElementsAre;

class ParserTest : public RconTest {
 protected:
  RconLockGuard guard;
};

// Each record as "number|ip|port|ping|guid|name".
std::vector<std::string> PlayerRows() {
  std::vector<std::string> rows;
  for (const PlayerRecord& p : Rcon.PlayerRecords)
    rows.push_back(std::to_string(p.Number) + "|" + Utf8(p.IP) + "|" + std::to_string(p.Port) + "|" +
                   std::to_string(p.Ping) + "|" + Utf8(p.GUID) + "|" + Utf8(p.Name));
  return rows;
}

TEST_F(ParserTest, PlayerLinesGiveOneRecordEach) {
  const std::string heading(kPlayerHeadingLength, 'h');
  const struct { std::string Text; std::vector<std::string> Records; int UpdateView = 1; } cases[] = {
      // A GUID followed by its status is cut to 32 characters.
      {heading + "0   127.0.0.1:2304   63   0123456789abcdef0123456789abcdef(OK) Some One\n",
       {"0|127.0.0.1|2304|63|0123456789abcdef0123456789abcdef|Some One"}},
      // The total line without a line feed adds no record; numbers saturate.
      {heading + "4 10.0.0.2:2304 20 abc(OK) A\n99999999999 10.0.0.3:99999999999 -99999999999 def(OK) B\n(2 players in total)",
       {"4|10.0.0.2|2304|20|abc(OK)|A", "2147483647|10.0.0.3|2147483647|-2147483648|def(OK)|B"}},
      // Names keep their blanks, or are empty; a line without blanks is all name; read, not shown.
      {heading + "1 1.2.3.4:5 6 g(OK)    J\xC3\xB6rg  the  Second  \n2 1.2.3.4:6 7 h   \nlonely\n",
       {"1|1.2.3.4|5|6|g(OK)|J\xC3\xB6rg  the  Second  ", "2|1.2.3.4|6|7|h|", "0||0|0||lonely"}, 0},
      {"shorter than the heading\n", {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text.substr(c.Text.find_first_not_of('h')));
    window.Clear();
    Rcon.PlayerRecords.resize(3);
    PutReply(c.Text);
    ParsePlayerList(c.UpdateView);
    EXPECT_EQ(PlayerRows(), c.Records);
    EXPECT_EQ(window.Count("players"), c.UpdateView);
    EXPECT_TRUE(Rcon.PlayersReceived);
  }
}

std::string ExpiryAfter(std::time_t from, int minutes) {
  const std::time_t then = from + minutes * 60;
  const std::tm* t = std::localtime(&then);
  char text[64];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d - %02d:%02d", t->tm_mday, t->tm_mon + 1, t->tm_year + 1900,
                t->tm_hour, t->tm_min);
  return text;
}

// GUID bans up to the IP bans, with sorting suspended; empty lines skipped.
TEST_F(ParserTest, BansShowPermanentlyOrTheExpiryDate) {
  const std::string heading(kBanHeadingLength, 'h');
  const std::time_t before = std::time(nullptr);
  PutReply(heading + "0  aaaa  perm  Cheating/Hacking\n\n1 bbbb 90 Abusive  language\n\nIP Bans:\n0 1.2.3.4 perm x\n");
  ParseBanList(0);
  const std::time_t after = std::time(nullptr);
  const auto events = window.Events();
  ASSERT_EQ(events.size(), 5u);
  EXPECT_THAT(std::vector(events.begin(), events.begin() + 3),
              ElementsAre("clear bans: ", "sort suspended: bans 1", "ban row: aaaa|permanently|Cheating/Hacking"));
  EXPECT_TRUE(events[3] == "ban row: bbbb|" + ExpiryAfter(before, 90) + "|Abusive  language" ||
              events[3] == "ban row: bbbb|" + ExpiryAfter(after, 90) + "|Abusive  language")
      << events[3];
  EXPECT_EQ(events[4], "sort suspended: bans 0");
  // Without the IP bans the list is emptied and nothing added.
  window.Clear();
  PutReply(heading + "0 aaaa perm r\n1 bbbb perm s\n");
  ParseBanList(0);
  EXPECT_EQ(window.Count("clear bans"), 1);
  EXPECT_EQ(window.Count("ban row"), 0);
}

TEST_F(ParserTest, AMissionsReplyEndingInLineFeedAddsAnEmptyLastRow) {
  PutReply(std::string(kMissionHeadingBytes, 'h') + "one.map\ntwo.map\n");
  ParseMissionList(0);
  EXPECT_THAT(window.Of("mission row"), ElementsAre("one.map", "two.map", ""));
  EXPECT_THAT(window.Of("sort suspended"), ElementsAre("missions 1", "missions 0"));
  window.Clear();
  PutReply("tiny");  // shorter than the heading: one empty row
  ParseMissionList(0);
  EXPECT_THAT(window.Of("mission row"), ElementsAre(""));
}

TEST(MissionName, TheExtensionAfterTheLastDotOfTheLastPathPartIsRemoved) {
  EXPECT_EQ(MissionNameWithoutExtension(u"siege.v2.mountain"), u"siege.v2");
  EXPECT_EQ(MissionNameWithoutExtension(u"plain"), u"plain");
  EXPECT_EQ(MissionNameWithoutExtension(u"maps.v1/plain"), u"maps.v1/plain");
  EXPECT_EQ(MissionNameWithoutExtension(u"maps\\a.b\\coop.map"), u"maps\\a.b\\coop");
  EXPECT_EQ(MissionNameWithoutExtension(u"dir/.hidden"), u"dir/");
}

const LocalDateTime kEvening{2012, 3, 3, 21, 5, 0};

TEST(DateMask, ServerMessageBanExpiryAndDatabaseMasksAndOtherCharactersCopied) {
  const LocalDateTime t{987, 12, 31, 0, 59, 9};
  EXPECT_EQ(FormatDateMask(u"(%yyyy-%mm-%dd | %hh:%ii:%ss) : ", kEvening), u"(2012-03-03 | 21:05:00) : ");
  EXPECT_EQ(FormatDateMask(u"%dd.%mm.%yyyy - %hh:%ii", t), u"31.12.0987 - 00:59");
  EXPECT_EQ(FormatDateMask(u"%dd.%mm.%yyyy %hh:%ii", kEvening), u"03.03.2012 21:05");
  EXPECT_EQ(FormatDateMask(u"%hh:%ii:%ss", t), u"00:59:09");
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
