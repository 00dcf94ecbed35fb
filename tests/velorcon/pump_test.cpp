#include "velorcon/pump.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <regex>

#include "rcon_fixture.h"
#include "velorcon/disconnect.h"
#include "velorcon/selected_rows.h"
#include "velorcon/mailbox.h"
#include "velorcon/parsers.h"
#include "velorcon/pending.h"

namespace {

using rcon_test_server::MessageDatagram;
using rcon_test_server::PlayersText;
using rcon_test_server::ReplyDatagram;
using rcon_test_server::ReplyPartDatagram;
using ::testing::ElementsAre;

// A 100-player list in the server's tersest layout, so that it fits three datagrams.
std::string HundredPlayers() { return PlayersText(rcon_test_server::MakeTersePlayers(100), true); }

class PumpTest : public PeerConnectedTest {
 protected:
  // A 100-player list cut into three parts of nearly equal size.
  void SetUp() override {
    PeerConnectedTest::SetUp();
    reply = HundredPlayers();
    const std::size_t third = reply.size() / 3 + 1;
    ASSERT_LE(third + 12, kPacketBufferSize);
    for (std::size_t i = 0; i < 3; ++i) parts.push_back(reply.substr(i * third, third));
  }
  std::vector<std::uint8_t> Part(int index, int count = 3) {
    return ReplyPartDatagram(5, count, index, parts[static_cast<std::size_t>(index)]);
  }
  void ExpectFullPlayerList() {
    ASSERT_EQ(window.Count("players"), 1);
    const auto players = window.LastPlayers();
    ASSERT_EQ(players.size(), 100u);
    EXPECT_EQ(players[99].Number, 99);
    EXPECT_EQ(players[99].Ping, 20 + 7 * 99);
  }
  std::size_t MultipartCount() {
    RconLockGuard guard;
    return Rcon.MultipartReplies.size();
  }

  std::string reply;
  std::vector<std::string> parts;
};

// Parts are joined in index order whatever order they arrive in, and handled once.
TEST_F(PumpTest, ThreePartReplyIsHandledOnceAfterItsLastPartInAnyOrder) {
  for (const auto& order : {std::vector<int>{0, 1, 2}, std::vector<int>{1, 2, 0}}) {
    window.Clear();
    AddPending(5, ParsePlayerList, 1, u"");
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
  AddPending(5, ParsePlayerList, 1, u"");
  Deliver(Part(0));
  Deliver(Part(0));  // repeated
  Deliver(ReplyPartDatagram(5, 3, 3, std::string(2000, 'X')));    // index = count
  Deliver(ReplyPartDatagram(5, 3, 200, std::string(2000, 'X')));  // read as 200, not negative
  Deliver(ReplyPartDatagram(5, 4, 1, std::string(2000, 'X')));    // another count
  Deliver(Part(1));
  Deliver(Part(1));
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
    AddPending(5, nullptr, 0, u"done");
    EXPECT_EQ(Deliver(bytes), 0);
    EXPECT_THAT(window.Log(), ElementsAre("[done]"));
    EXPECT_EQ(MultipartCount(), 0u);
  }
}

TEST_F(PumpTest, AReplyWhoseLastPartNeverComesIsGivenUpAfterTheTimeout) {
  UseFakeTicks(100000);
  {
    RconLockGuard guard;
    Rcon.LastKeepAliveTick = 100000;
  }
  Deliver(Part(0));
  AdvanceFakeTicks(kReplyTimeoutMs);
  PumpIdle();
  EXPECT_EQ(MultipartCount(), 1u);
  AdvanceFakeTicks(1);
  PumpIdle();
  EXPECT_EQ(MultipartCount(), 0u);
}

TEST_F(PumpTest, ALaterConnectForgetsUnfinishedReplies) {
  Deliver(Part(0));
  ASSERT_EQ(MultipartCount(), 1u);
  {
    RconLockGuard guard;
    ResetAfterDisconnect(0);
  }
  EXPECT_EQ(MultipartCount(), 0u);
}

TEST_F(PumpTest, ARepeatedServerMessageIsAcknowledgedTwiceAndLoggedOnce) {
  Deliver(MessageDatagram(0x21, "Player #3 connected"));
  Deliver(MessageDatagram(0x22, "Player #3 connected"));
  const auto first = FromClient();
  const auto second = FromClient();
  ASSERT_EQ(first.size(), 9u);
  EXPECT_EQ(first, rcon_test_server::Datagram(2, "\x21"));
  EXPECT_EQ(second, rcon_test_server::Datagram(2, "\x22"));
  const auto log = window.Log();
  ASSERT_EQ(log.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      log[0], std::regex(R"(\(\d{4}-\d{2}-\d{2} \| \d{2}:\d{2}:\d{2}\) : Player #3 connected)")))
      << log[0];
}

TEST_F(PumpTest, ALockReplyAnsweredTwiceIsLoggedOnce) {
  AddPending(9, nullptr, 0, u"The server has been locked.");
  Deliver(ReplyDatagram(9, ""));
  Deliver(ReplyDatagram(9, ""));
  EXPECT_THAT(window.Log(), ElementsAre("[The server has been locked.]"));
  EXPECT_EQ(PendingCount(), 0u);
}

TEST_F(PumpTest, VersionAndMaxPingAnswersAreLoggedOncePerConnection) {
  Deliver(ReplyDatagram(0, "2.14.0"));  // nothing matches them before a connect asked
  Deliver(ReplyDatagram(255, "x"));
  EXPECT_TRUE(window.Log().empty());
  {
    RconLockGuard guard;
    Rcon.VersionSequence = 0;
    Rcon.MaxPingSequence = 1;
  }
  Deliver(ReplyDatagram(0, "2.14.0"));
  Deliver(ReplyDatagram(1, "250"));
  Deliver(ReplyDatagram(0, "2.14.0"));
  Deliver(ReplyDatagram(1, "250"));
  EXPECT_THAT(window.Log(), ElementsAre("Version: 2.14.0", "MaxPing: 250"));
}

TEST_F(PumpTest, APayloadFillingTheWholeBufferIsReadToItsEndOnly) {
  {
    RconLockGuard guard;
    Rcon.VersionSequence = 3;
  }
  const std::string filler(kPacketBufferSize - 9, 'A');
  Deliver(ReplyDatagram(3, filler));
  ASSERT_EQ(window.Log().size(), 1u);
  EXPECT_EQ(window.Log()[0], "Version: " + filler);
}

TEST_F(PumpTest, InvalidUtf8IsDecodedWithReplacementCharacters) {
  Deliver(MessageDatagram(7, "ok \xC3\x28 \xFF end"));
  ASSERT_EQ(window.Log().size(), 1u);
  EXPECT_NE(window.Log()[0].find("ok \xEF\xBF\xBD( \xEF\xBF\xBD end"), std::string::npos) << window.Log()[0];
}

TEST_F(PumpTest, DatagramsWithoutTheSignatureOrOfOtherTypesChangeNothing) {
  AddPending(1, nullptr, 0, u"kept");
  Deliver({'X', 'Y', 0, 0, 0, 0, 0xFF, 1, 1});
  Deliver(rcon_test_server::Datagram(7, "\x01payload"));
  EXPECT_TRUE(window.Log().empty());
  EXPECT_EQ(PendingCount(), 1u);
}

TEST_F(PumpTest, AHandlerThatResetsEndsThePassWithoutKeepAlive) {
  UseFakeTicks(CurrentTick() + 20000);
  AddPending(2, ResetAfterDisconnect, 0, u"The server is shutting down now. Please reconnect.");
  EXPECT_EQ(Deliver(ReplyDatagram(2, "")), 0);
  EXPECT_THAT(window.Log(), ElementsAre("[The server is shutting down now. Please reconnect.]"));
  EXPECT_EQ(window.Count("reset"), 1);
  RconLockGuard guard;
  EXPECT_EQ(Rcon.ServerConnection, nullptr);
  EXPECT_EQ(Rcon.Connected, 0);
  EXPECT_TRUE(Rcon.PendingRequests.empty());
  connection = nullptr;
}

TEST_F(PumpTest, NothingHappensWhileNotConnected) {
  UseFakeTicks(CurrentTick() + 20000);
  {
    RconLockGuard guard;
    Rcon.Connected = 0;
  }
  QueueCommand(kCommandLock);
  peer.SendTo(client, ReplyDatagram(0, ""));
  ASSERT_TRUE(WaitUntil([&] { return PollSocketReadable(connection->Socket) == 1; }));
  EXPECT_EQ(PumpNetwork(), 0);
  EXPECT_EQ(PollSocketReadable(connection->Socket), 1) << "nothing was received";
  EXPECT_EQ(PeekPendingCommand(), kCommandLock);
  EXPECT_TRUE(FromClient(50).empty()) << "no command and no keep-alive";
}

TEST_F(PumpTest, KeepAliveGoesOutEveryFifteenSecondsWithAPendingEntry) {
  UseFakeTicks(1000000);
  {
    RconLockGuard guard;
    Rcon.LastKeepAliveTick = 0;  // as at start: the first pass sends one at once
    Rcon.CommandSequence = 40;
  }
  PumpIdle();
  EXPECT_EQ(FromClient(), rcon_test_server::ReplyDatagram(40, ""));
  EXPECT_EQ(PendingCount(), 1u);
  AdvanceFakeTicks(kKeepAliveIntervalMs);
  PumpIdle();
  EXPECT_TRUE(FromClient(50).empty()) << "not before more than 15 000 ms";
  AdvanceFakeTicks(1);
  PumpIdle();
  EXPECT_EQ(FromClient(), rcon_test_server::ReplyDatagram(41, ""));
  EXPECT_EQ(PendingCount(), 2u);
  Deliver(ReplyDatagram(40, ""));
  Deliver(ReplyDatagram(41, ""));
  EXPECT_EQ(PendingCount(), 0u);
}

TEST(PendingTimeouts, ARequestHasTenSecondsToBeAnswered) {
  ResetRconState();
  UseFakeTicks(500);
  RconLockGuard guard;
  EXPECT_EQ(CheckPendingTimeouts(), 1);
  AddPendingRequest(0, nullptr, 0, u"");
  AdvanceFakeTicks(kReplyTimeoutMs);
  EXPECT_EQ(CheckPendingTimeouts(), 1);
  AdvanceFakeTicks(1);
  EXPECT_EQ(CheckPendingTimeouts(), 0);
  // Elapsed time stays right across the wrap of the tick count.
  ResetRconState();
  UseFakeTicks(0xFFFFFF00u);
  AddPendingRequest(0, nullptr, 0, u"");
  AdvanceFakeTicks(0x200);  // wraps to 0x100
  EXPECT_EQ(CheckPendingTimeouts(), 1);
  AdvanceFakeTicks(kReplyTimeoutMs);
  EXPECT_EQ(CheckPendingTimeouts(), 0);
  ResetRconState();
  UseRealTicks();
}

}  // namespace
