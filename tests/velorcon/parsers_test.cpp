#include "runtime/portable/text_ops.h"
#include "velorcon/parsers.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>

#include "rcon_fixture.h"
#include "runtime/portable/date_mask.h"
#include "velorcon/disconnect.h"
#include "velorcon/selected_rows.h"
#include "velorcon/reply_text.h"

namespace {

using ::testing::ElementsAre;

class ParserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRconState();
    SetRconWindow(&window);
  }
  void TearDown() override {
    ResetRconState();
    SetRconWindow(nullptr);
  }
  // Puts a command reply with this payload into the packet buffer, as the pump leaves it.
  void Reply(const std::string& payload) {
    const auto bytes = rcon_test_server::ReplyDatagram(1, payload);
    Rcon.PacketBuffer.assign(kPacketBufferSize, 0);
    if (Rcon.PacketBuffer.size() < bytes.size() + 1) Rcon.PacketBuffer.resize(bytes.size() + 1, 0);
    std::copy(bytes.begin(), bytes.end(), Rcon.PacketBuffer.begin());
    Rcon.ReceivedLength = static_cast<std::int32_t>(bytes.size());
    Rcon.ReplyLength = bytes.size();
  }
  static std::string PlayerHeading() { return std::string(kPlayerHeadingLength, 'h'); }
  static std::string BanHeading() { return std::string(kBanHeadingLength, 'h'); }

  RecordingWindow window;
  RconLockGuard guard;
};

// Each record as "number|ip|port|ping|guid|name".
std::vector<std::string> PlayerRows() {
  std::vector<std::string> rows;
  for (const PlayerRecord& p : Rcon.PlayerRecords)
    rows.push_back(std::to_string(p.Number) + "|" + TextToUtf8(p.IP) + "|" + std::to_string(p.Port) + "|" +
                   std::to_string(p.Ping) + "|" + TextToUtf8(p.GUID) + "|" + TextToUtf8(p.Name));
  return rows;
}

TEST_F(ParserTest, PlayerLinesGiveOneRecordEach) {
  const struct {
    std::string Lines;
    std::vector<std::string> Records;
    int UpdateView = 1;
  } cases[] = {
      // A GUID followed by its status is cut to 32 characters.
      {"0   127.0.0.1:2304   63   0123456789abcdef0123456789abcdef(OK) Some One\n",
       {"0|127.0.0.1|2304|63|0123456789abcdef0123456789abcdef|Some One"}},
      // The total line without a line feed adds no record.
      {"4 10.0.0.2:2304 20 abc(OK) A\n7 10.0.0.3:2305 30 def(OK) B\n(2 players in total)",
       {"4|10.0.0.2|2304|20|abc(OK)|A", "7|10.0.0.3|2305|30|def(OK)|B"}},
      // Names keep their blanks; a line without blanks is all name.
      {"1 1.2.3.4:5 6 g(OK)    J\xC3\xB6rg  the  Second  \nlonely\n",
       {"1|1.2.3.4|5|6|g(OK)|J\xC3\xB6rg  the  Second  ", "0||0|0||lonely"}, 0},  // read, not shown
  };
  for (const auto& c : cases) {
    window.Clear();
    Reply(PlayerHeading() + c.Lines);
    ParsePlayerList(c.UpdateView);
    EXPECT_EQ(PlayerRows(), c.Records);
    EXPECT_EQ(window.Count("players"), c.UpdateView);
  }
  EXPECT_EQ(Rcon.PlayersReceived, 1);
}

TEST_F(ParserTest, AReplyShorterThanTheHeadingEmptiesThePlayers) {
  Rcon.PlayerRecords.resize(3);
  Reply("short\n");
  ParsePlayerList(1);
  EXPECT_TRUE(Rcon.PlayerRecords.empty());
  EXPECT_THAT(window.EventsOf("players"), ElementsAre("0"));
}

std::string ExpiryAfter(std::time_t from, int minutes) {
  const std::time_t then = from + minutes * 60;
  const std::tm* t = std::localtime(&then);
  char text[64];
  std::snprintf(text, sizeof text, "%02d.%02d.%04d - %02d:%02d", t->tm_mday, t->tm_mon + 1, t->tm_year + 1900,
                t->tm_hour, t->tm_min);
  return text;
}

TEST_F(ParserTest, BansShowPermanentlyOrTheExpiryDate) {
  const std::time_t before = std::time(nullptr);
  Reply(BanHeading() + "0  aaaa  perm  Cheating/Hacking\n1 bbbb 90 Abusive  language\n\nIP Bans:\n0 1.2.3.4 perm x\n");
  ParseBanList(0);
  const std::time_t after = std::time(nullptr);
  const auto rows = window.EventsOf("ban row");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0], "aaaa|permanently|Cheating/Hacking");
  EXPECT_TRUE(rows[1] == "bbbb|" + ExpiryAfter(before, 90) + "|Abusive  language" ||
              rows[1] == "bbbb|" + ExpiryAfter(after, 90) + "|Abusive  language")
      << rows[1];
}

TEST_F(ParserTest, BansAreFilledWithSortingSuspended) {
  Reply(BanHeading() + "0 aaaa perm r\n\nIP Bans\n");
  ParseBanList(0);
  EXPECT_THAT(window.Events(), ElementsAre("clear bans: ", "sort suspended: bans 1", "ban row: aaaa|permanently|r",
                                           "sort suspended: bans 0"));
}

TEST_F(ParserTest, ABanListWithoutIpBansEmptiesTheListAndAddsNothing) {
  Reply(BanHeading() + "0 aaaa perm r\n1 bbbb perm s\n");
  ParseBanList(0);
  EXPECT_EQ(window.Count("clear bans"), 1);
  EXPECT_EQ(window.Count("ban row"), 0);
}

TEST_F(ParserTest, EmptyBanLinesAreSkippedAndIpBansLeftOut) {
  const std::string text = rcon_test_server::BansText(rcon_test_server::MakeGuidBans(), rcon_test_server::MakeIpBans());
  Reply(text);
  ParseBanList(0);
  const auto rows = window.EventsOf("ban row");
  ASSERT_EQ(rows.size(), 3u);
  EXPECT_EQ(rows[2].substr(rows[2].rfind('|')), "|Excessive teamkilling");
}

TEST_F(ParserTest, AMissionsReplyEndingInLineFeedAddsAnEmptyLastRow) {
  Reply(std::string(kMissionHeadingBytes, 'h') + "one.map\ntwo.map\n");
  ParseMissionList(0);
  EXPECT_THAT(window.EventsOf("mission row"), ElementsAre("one.map", "two.map", ""));
  EXPECT_THAT(window.EventsOf("sort suspended"), ElementsAre("missions 1", "missions 0"));
  window.Clear();
  Reply("tiny");  // shorter than the heading: one empty row
  ParseMissionList(0);
  EXPECT_THAT(window.EventsOf("mission row"), ElementsAre(""));
}

TEST(ReplyText, TokensSplitAtTheFirstBlankAndSkipTheFollowingOnes) {
  Text rest = u"12   34 x";
  EXPECT_EQ(SplitToken(rest), u"12");
  EXPECT_EQ(rest, u"34 x");
  EXPECT_EQ(SplitToken(rest), u"34");
  EXPECT_EQ(SplitToken(rest), u"");
  EXPECT_EQ(rest, u"x");
  Text trailing = u"a   ";
  EXPECT_EQ(SplitToken(trailing), u"a");
  EXPECT_EQ(trailing, u"");
}

TEST(ReplyText, IntegerValuesReadLikeTheServersNumbers) {
  EXPECT_EQ(ParseInteger32Text(u"  \t42abc", IntegerBases::Decimal, IntegerRange::Saturate32), 42);
  EXPECT_EQ(ParseInteger32Text(u"99999999999999999999", IntegerBases::Decimal, IntegerRange::Saturate32), 2147483647);
  EXPECT_EQ(ParseInteger32Text(u"-99999999999999999999", IntegerBases::Decimal, IntegerRange::Saturate32), -2147483647 - 1);
}

TEST(MissionName, TheExtensionAfterTheLastDotOfTheLastPathPartIsRemoved) {
  EXPECT_EQ(MissionNameWithoutExtension(u"siege.v2.mountain"), u"siege.v2");
  EXPECT_EQ(MissionNameWithoutExtension(u"plain"), u"plain");
  EXPECT_EQ(MissionNameWithoutExtension(u"maps.v1/plain"), u"maps.v1/plain");
  EXPECT_EQ(MissionNameWithoutExtension(u"maps\\a.b\\coop.map"), u"maps\\a.b\\coop");
  EXPECT_EQ(MissionNameWithoutExtension(u"dir/.hidden"), u"dir/");
}

}  // namespace
