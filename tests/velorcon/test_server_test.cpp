// The scripted server is what every end-to-end test leans on: it must speak the protocol.
#include "rcon_test_server.h"

#include <gtest/gtest.h>

#include "support/loopback_peer.h"

namespace {

using namespace rcon_test_server;

TEST(TestServerTexts, HeadingsHaveTheLengthsTheClientDrops) {
  const std::string players = PlayersText({});
  EXPECT_EQ(players.find("(0 players in total)"), kPlayersHeadingLength);
  const std::string bans = BansText({}, {});
  EXPECT_EQ(bans.find("\nIP Bans"), kBansHeadingLength);
  EXPECT_EQ(MissionsText({"m"}), std::string("Missions on server:\nm"));
  EXPECT_EQ(MissionsText({"m"}).find('m', 19), kMissionsHeadingLength);
}

TEST(TestServerTexts, DatagramsAreSignedAndTamperingIsNoticed) {
  auto bytes = ReplyDatagram(3, "hello");
  EXPECT_TRUE(IsSignedDatagram(bytes));
  bytes.back() ^= 1;
  EXPECT_FALSE(IsSignedDatagram(bytes));
  EXPECT_FALSE(IsSignedDatagram({'B', 'E', 0, 0}));
}

class TestServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ServerOptions options;
    options.Players = 40;
    options.PartPayloadBytes = 500;
    server = std::make_unique<RconTestServer>(options);
    ASSERT_TRUE(server->Start());
    to = {LoopbackAddress(), server->Port()};
  }
  std::vector<std::uint8_t> Ask(const std::vector<std::uint8_t>& bytes) {
    client.SendTo(to, bytes);
    return client.Receive();
  }

  std::unique_ptr<RconTestServer> server;
  LoopbackPeer client;
  Ipv4Endpoint to;
};

TEST_F(TestServerTest, AcceptsTheRightPasswordAndRejectsAWrongOne) {
  EXPECT_EQ(Ask(Datagram(0, "secret")), Datagram(0, std::string(1, '\x01')));
  EXPECT_EQ(Ask(Datagram(0, "wrong")), Datagram(0, std::string(1, '\x00')));
}

TEST_F(TestServerTest, DropsDatagramsWithABadChecksum) {
  auto bytes = ReplyDatagram(1, "version");
  bytes[2] ^= 0xFF;
  client.SendTo(to, bytes);
  EXPECT_TRUE(client.Receive(100).empty());
  EXPECT_EQ(server->RejectedDatagrams(), 1);
}

TEST_F(TestServerTest, SplitsLongAnswersIntoNumberedParts) {
  client.SendTo(to, ReplyDatagram(9, "players"));
  std::string joined;
  int count = 0;
  for (int index = 0;; ++index) {
    const auto part = client.Receive();
    ASSERT_GE(part.size(), 12u);
    EXPECT_EQ(part[8], 9);
    EXPECT_EQ(part[9], 0);
    count = part[10];
    EXPECT_EQ(part[11], index);
    joined.append(part.begin() + 12, part.end());
    if (index + 1 == count) break;
  }
  EXPECT_GT(count, 1);
  EXPECT_EQ(joined, PlayersText(MakePlayers(40)));
}

TEST_F(TestServerTest, KeepsItsWorldInStepWithKickBanAndRemoveBan) {
  Ask(ReplyDatagram(0, "kick 1 bye"));
  Ask(ReplyDatagram(1, "ban 2 0 Cheating"));
  EXPECT_EQ(server->Players().size(), 38u);
  ASSERT_EQ(server->GuidBans().size(), 4u);
  EXPECT_EQ(server->GuidBans()[3].Reason, "Cheating");
  Ask(ReplyDatagram(2, "removeBan 0"));
  EXPECT_EQ(server->GuidBans().size(), 3u);
}

TEST_F(TestServerTest, PushesServerMessagesAndRecordsTheirAcknowledgement) {
  Ask(Datagram(0, "secret"));
  ASSERT_TRUE(server->PushServerMessage("hello"));
  const auto message = client.Receive();
  EXPECT_EQ(message, MessageDatagram(0, "hello"));
  client.SendTo(to, Datagram(2, std::string(1, '\0')));
  ASSERT_TRUE(server->WaitForReceived(2, 2000));
  EXPECT_EQ(server->Acknowledged(), std::vector<std::uint8_t>{0});
}

TEST_F(TestServerTest, SendsAnUnacknowledgedMessageAgain) {
  server->SetMessageResend(20);
  Ask(Datagram(0, "secret"));
  ASSERT_TRUE(server->PushServerMessage("are you there?"));
  EXPECT_EQ(client.Receive(), MessageDatagram(0, "are you there?"));
  EXPECT_EQ(client.Receive(), MessageDatagram(0, "are you there?")) << "again, with the same sequence";
  client.SendTo(to, Datagram(2, std::string(1, '\0')));
  ASSERT_TRUE(WaitUntil([&] { return server->Acknowledged().size() == 1; }));
  while (!client.Receive(100).empty()) {}  // what crossed the acknowledgement
  EXPECT_TRUE(client.Receive(200).empty()) << "nothing after the acknowledgement";
}

TEST_F(TestServerTest, FallsSilentOnRequest) {
  server->SetSilent(true);
  client.SendTo(to, ReplyDatagram(0, "version"));
  EXPECT_TRUE(client.Receive(100).empty());
  EXPECT_TRUE(server->WaitForCommand("version", 2000));
}

}  // namespace
