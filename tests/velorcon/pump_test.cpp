#include "velorcon/pump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "rcon_fixture.h"
#include "velorcon/disconnect.h"
#include "velorcon/parsers.h"
#include "velorcon/pending.h"

namespace {

using rcon_test_server::MessageDatagram;
using rcon_test_server::ReplyDatagram;
using rcon_test_server::ReplyPartDatagram;
using ::testing::ElementsAre;

class PumpTest : public HandDrivenTest {
 protected:
  void SetUp() override {  // a 100-player list in the server's tersest layout, in three near-equal parts
    HandDrivenTest::SetUp();
    const std::string reply = rcon_test_server::PlayersText(rcon_test_server::MakeTersePlayers(100), true);
    const std::size_t third = reply.size() / 3 + 1;
    ASSERT_LE(third + 12, kPacketBufferSize);
    for (std::size_t i = 0; i < 3; ++i) parts.push_back(reply.substr(i * third, third));
  }
  std::vector<std::uint8_t> Part(int index) { return ReplyPartDatagram(5, 3, index, parts[static_cast<std::size_t>(index)]); }
  void ExpectFullPlayerList() {
    EXPECT_THAT(window.Of("players"), ElementsAre("100"));
    ASSERT_EQ(Rcon.PlayerRecords.size(), 100u);
    EXPECT_EQ(Rcon.PlayerRecords[99].Number, 99);
    EXPECT_EQ(Rcon.PlayerRecords[99].Ping, 20 + 7 * 99);
  }
  static std::size_t MultipartCount() { return Rcon.MultipartReplies.size(); }

  std::vector<std::string> parts;
};

// Parts are joined in index order whatever order they arrive in, and handled once.
TEST_F(PumpTest, ThreePartReplyIsHandledOnceAfterItsLastPartInAnyOrder) {
  for (const auto& order : {std::vector<int>{0, 1, 2}, std::vector<int>{2, 1, 0}}) {
    window.Clear();
    AddPendingRequest(5, ParsePlayerList, 1, u"");
    UseFakeTicks(CurrentTick() + 20000);  // a keep-alive would be due in any full pass
    EXPECT_EQ(Deliver(Part(order[0])), 1);
    EXPECT_EQ(Deliver(Part(order[1])), 1);
    EXPECT_EQ(window.Count("players"), 0) << "no handler runs on an incomplete reply";
    EXPECT_TRUE(FromClient(50).empty()) << "no keep-alive after a stored part";
    EXPECT_EQ(Deliver(Part(order[2])), 0);
    ExpectFullPlayerList();
    EXPECT_EQ(PendingCount(), 1u) << "only the keep-alive of the completing pass is pending";
    EXPECT_EQ(MultipartCount(), 0u);
    Deliver(ReplyDatagram(FromClient()[8], ""));  // answers that keep-alive
    ASSERT_EQ(PendingCount(), 0u);
  }
}

TEST_F(PumpTest, RepeatedOutOfRangeAndMiscountedPartsAreDropped) {
  AddPendingRequest(5, ParsePlayerList, 1, u"");
  const std::string junk(2000, 'X');
  // Repeated; index = count; 200 (read unsigned, not negative); another count.
  for (const auto& bytes : {Part(0), Part(0), ReplyPartDatagram(5, 3, 3, junk), ReplyPartDatagram(5, 3, 200, junk),
                            ReplyPartDatagram(5, 4, 1, junk), Part(1), Part(1)}) Deliver(bytes);
  EXPECT_EQ(window.Count("players"), 0);
  Deliver(Part(2));
  ExpectFullPlayerList();
}

// A part count of one is a whole reply; eleven bytes (no index byte) are no part but a reply.
TEST_F(PumpTest, APartCountOfOneAndAnElevenByteDatagramCompleteAtOnce) {
  std::vector<std::uint8_t> eleven = ReplyPartDatagram(5, 3, 0, "");
  eleven.pop_back();
  for (const auto& bytes : {ReplyPartDatagram(5, 1, 0, "whole"), eleven}) {
    window.Clear();
    AddPendingRequest(5, nullptr, 1, u"done");
    EXPECT_EQ(Deliver(bytes), 0);
    EXPECT_THAT(window.Log(), ElementsAre("[done]"));
    EXPECT_EQ(MultipartCount(), 0u);
  }
}

// Ten seconds, also across the wrap of the tick count; a later connect forgets unfinished replies.
TEST_F(PumpTest, AnUnfinishedReplyOrAnUnansweredRequestIsGivenUpAfterTenSeconds) {
  UseFakeTicks(0xFFFFFF00u);
  Rcon.LastKeepAliveTick = 0xFFFFFF00u;
  EXPECT_EQ(CheckPendingTimeouts(), 1);
  AddPendingRequest(0, nullptr, 1, u"");
  Deliver(Part(0));
  AdvanceFakeTicks(kReplyTimeoutMs);
  PumpIdle();
  EXPECT_EQ(MultipartCount(), 1u);
  EXPECT_EQ(CheckPendingTimeouts(), 1);
  AdvanceFakeTicks(1);
  PumpIdle();
  EXPECT_EQ(MultipartCount(), 0u);
  EXPECT_EQ(CheckPendingTimeouts(), 0);
  Deliver(Part(0));
  ASSERT_EQ(MultipartCount(), 1u);
  ResetAfterDisconnect(0);
  EXPECT_EQ(MultipartCount(), 0u);
}

// A request sent just before the tick count wraps and looked at just after it times out when more than ten seconds
// have passed, neither early nor never; the network thread's wait for it is measured across the wrap as well.
TEST_F(PumpTest, ARequestSentJustBeforeTheTickCountWrapsTimesOutNeitherEarlyNorNever) {
  for (const TickCount beforeWrap : {TickCount{1}, TickCount{kReplyTimeoutMs}}) {
    SCOPED_TRACE(beforeWrap);
    Rcon.PendingRequests.clear();
    UseFakeTicks(static_cast<TickCount>(0 - beforeWrap));
    AddPendingRequest(0, nullptr, 1, u"");
    AdvanceFakeTicks(beforeWrap);  // tick 0
    EXPECT_EQ(CheckPendingTimeouts(), 1);
    EXPECT_EQ(MillisecondsUntilTimeout(), std::int64_t{kReplyTimeoutMs} + 1 - beforeWrap);
    AdvanceFakeTicks(kReplyTimeoutMs - beforeWrap);
    EXPECT_EQ(CheckPendingTimeouts(), 1);
    EXPECT_EQ(MillisecondsUntilTimeout(), 1);
    AdvanceFakeTicks(1);
    EXPECT_EQ(CheckPendingTimeouts(), 0);
    EXPECT_EQ(MillisecondsUntilTimeout(), 0);
  }
}

// Version/MaxPing answers match once a connect asked, foreign datagrams never; a repeat is acknowledged each time.
TEST_F(PumpTest, RepeatedAnswersAndServerMessagesAreLoggedOnce) {
  AddPendingRequest(9, nullptr, 1, u"The server has been locked.");
  for (const auto& bytes : {ReplyDatagram(0, "2.14.0"), ReplyDatagram(255, "x"), rcon_test_server::Datagram(7, "\x09"),
                            std::vector<std::uint8_t>{'X', 'Y', 0, 0, 0, 0, 0xFF, 1, 9}}) Deliver(bytes);
  Rcon.VersionSequence = 0;
  Rcon.MaxPingSequence = 1;
  for (std::uint8_t sequence : {0x21, 0x22}) {
    for (const auto& bytes : {ReplyDatagram(0, "2.14.0"), ReplyDatagram(1, "250"), ReplyDatagram(9, ""),
                              MessageDatagram(sequence, "Player #3 connected")}) Deliver(bytes);
    EXPECT_EQ(FromClient(), rcon_test_server::Datagram(2, std::string(1, static_cast<char>(sequence))));
  }
  const auto log = window.Log();
  ASSERT_EQ(log.size(), 4u);
  EXPECT_THAT(std::vector(log.begin(), log.begin() + 3),
              ElementsAre("Version: 2.14.0", "MaxPing: 250", "[The server has been locked.]"));
  EXPECT_TRUE(std::regex_match(
      log[3], std::regex(R"(\(\d{4}-\d{2}-\d{2} \| \d{2}:\d{2}:\d{2}\) : Player #3 connected)")))
      << log[3];
  EXPECT_EQ(PendingCount(), 0u);
}

// Payload text ends at the bytes received, even when they fill the whole buffer or more.
TEST_F(PumpTest, PayloadsAreReadToTheirEndOnlyWithInvalidUtf8Replaced) {
  Rcon.VersionSequence = 3;
  const std::string filler(kPacketBufferSize - 9, 'A');
  Deliver(MessageDatagram(9, std::string(3000, 'L')));  // longer than the buffer: cut or refused
  Deliver(ReplyDatagram(3, filler));
  Deliver(MessageDatagram(7, "ok \xC3\x28 \xFF end"));
  const auto log = window.Log();
  ASSERT_GE(log.size(), 2u);
  for (const std::string& line : log) EXPECT_LE(line.size(), 2100u);
  EXPECT_EQ(log[log.size() - 2], "Version: " + filler);
  EXPECT_NE(log.back().find("ok \xEF\xBF\xBD( \xEF\xBF\xBD end"), std::string::npos) << log.back();
}

TEST_F(PumpTest, AHandlerThatResetsEndsThePassWithoutKeepAlive) {
  UseFakeTicks(CurrentTick() + 20000);
  AddPendingRequest(2, ResetAfterDisconnect, 1, u"The server is shutting down now. Please reconnect.");
  EXPECT_EQ(Deliver(ReplyDatagram(2, "")), 0);
  EXPECT_THAT(window.Log(), ElementsAre("[The server is shutting down now. Please reconnect.]"));
  EXPECT_EQ(window.Count("reset"), 1);
  EXPECT_TRUE(FromClient(50).empty());
  EXPECT_EQ(Rcon.ServerConnection, nullptr);
  EXPECT_FALSE(Rcon.Connected);
  EXPECT_TRUE(Rcon.PendingRequests.empty());
}

TEST_F(PumpTest, NothingHappensWhileNotConnected) {
  UseFakeTicks(CurrentTick() + 20000);
  Rcon.Connected = false;
  QueueCommand(kCommandLock);
  EXPECT_EQ(Deliver(ReplyDatagram(0, "")), 0);
  EXPECT_EQ(PollSocketReadable(connection->Socket), 1) << "nothing was received";
  EXPECT_EQ(PeekPendingCommand(), kCommandLock);
  EXPECT_TRUE(FromClient(50).empty()) << "no command and no keep-alive";
}

TEST_F(PumpTest, KeepAliveGoesOutEveryFifteenSecondsWithAPendingEntry) {
  UseFakeTicks(1000000);
  Rcon.LastKeepAliveTick = 0;  // as at start: the first pass sends one at once
  Rcon.CommandSequence = 40;
  PumpIdle();
  EXPECT_EQ(FromClient(), ReplyDatagram(40, ""));
  EXPECT_EQ(PendingCount(), 1u);
  AdvanceFakeTicks(kKeepAliveIntervalMs);
  PumpIdle();
  EXPECT_TRUE(FromClient(50).empty()) << "not before more than 15 000 ms";
  AdvanceFakeTicks(1);
  PumpIdle();
  EXPECT_EQ(FromClient(), ReplyDatagram(41, ""));
  EXPECT_EQ(PendingCount(), 2u);
  Deliver(ReplyDatagram(40, ""));
  Deliver(ReplyDatagram(41, ""));
  EXPECT_EQ(PendingCount(), 0u);
}

}  // namespace
