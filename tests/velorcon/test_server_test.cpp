// The scripted server is what every end-to-end test leans on: it must speak the protocol.
#include "rcon_test_server.h"

#include <gtest/gtest.h>

namespace {

using namespace rcon_test_server;

TEST(TestServerTexts, HeadingsHaveTheLengthsTheClientDrops) {
  EXPECT_EQ(PlayersText({}).find("(0 players in total)"), kPlayersHeadingLength);
  EXPECT_EQ(BansText({}, {}).find("\nIP Bans"), kBansHeadingLength);
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

}  // namespace
