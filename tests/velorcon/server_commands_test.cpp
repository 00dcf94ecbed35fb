// The user's commands reach the mailbox only while a server is connected; otherwise the log says so.
#include "velorcon/server_commands.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "rcon_fixture.h"
#include "velorcon/disconnect.h"

namespace {

using ::testing::ElementsAre;
using ServerCommandTest = HandDrivenTest;

TEST_F(ServerCommandTest, QueuedOnlyWhileConnectedAndOtherwiseTheLogSaysWhy) {
  CommandParameters ban;
  ban.BanTarget = u"192.0.2.9";
  ban.CommandReason = u"wallhack";
  EXPECT_TRUE(QueueServerCommand(kCommandAddBan, ban));
  const QueuedCommand queued = TakePendingCommand();
  EXPECT_EQ(queued.PendingCommand, kCommandAddBan);
  EXPECT_EQ(queued.Parameters.BanTarget, u"192.0.2.9");
  EXPECT_TRUE(window.Log().empty());

  ResetAfterDisconnect(0);  // what the time-out runs
  window.Clear();
  CommandParameters message;
  message.BroadcastText = u"hello";
  EXPECT_FALSE(QueueServerCommand(kCommandSayToAll, message));
  EXPECT_FALSE(QueueServerCommand(kCommandRefreshPlayers));
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
  EXPECT_THAT(window.Log(), ElementsAre("[Not connected to a server.]", "[Not connected to a server.]"));
  EXPECT_FALSE(ServerConnectedOrSay());
  EXPECT_EQ(window.Log().size(), 3u);
}

void ResetDuringPrompt() { ResetAfterDisconnect(0); }

// The box stayed open while the server went: the value entered goes nowhere, and the user is told.
TEST_F(ServerCommandTest, AMaxPingEnteredAfterTheServerWentIsReportedAsNotSent) {
  window.PromptAnswer = u"150";
  window.DuringPrompt = ResetDuringPrompt;
  QueueCommand(kCommandSetMaxPing);
  PumpNetwork();
  EXPECT_TRUE(FromClient(50).empty());
  EXPECT_THAT(window.Log(), ElementsAre("[Not connected to a server.]"));
}

}  // namespace
