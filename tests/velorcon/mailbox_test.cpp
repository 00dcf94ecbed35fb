#include "velorcon/mailbox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "rcon_fixture.h"
#include "velorcon/commands.h"
#include "velorcon/disconnect.h"
#include "velorcon/selected_rows.h"

namespace {

using rcon_test_server::ReplyDatagram;
using ::testing::ElementsAre;

class MailboxTest : public PeerConnectedTest {
 protected:
  // Performs `code` in an idle pass and returns the command the client sent.
  std::vector<std::uint8_t> Perform(CommandCode code, CommandParameters parameters = {}) {
    QueueCommand(code, std::move(parameters));
    PumpIdle();
    EXPECT_EQ(PeekPendingCommand(), kCommandNone) << "the pass clears the slot";
    return FromClient();
  }
};

struct DirectCommand {
  CommandCode Code;
  const char* Text;
  const char* DoneMessage;
};

class DirectCommandTest : public MailboxTest, public ::testing::WithParamInterface<DirectCommand> {};

TEST_P(DirectCommandTest, SendsItsTextAndLogsItsDoneMessageWhenAnswered) {
  const DirectCommand& command = GetParam();
  {
    RconLockGuard guard;
    Rcon.CommandSequence = 17;
  }
  const auto sent = Perform(command.Code);
  EXPECT_EQ(sent, ReplyDatagram(17, command.Text)) << CommandText(sent);
  EXPECT_EQ(PendingCount(), 1u);
  Deliver(ReplyDatagram(17, ""));
  EXPECT_EQ(PendingCount(), 0u);
  if (*command.DoneMessage != '\0') {
    EXPECT_THAT(window.Log(), ElementsAre(std::string("[") + command.DoneMessage + "]"));
  } else {
    EXPECT_TRUE(window.Log().empty());
  }
}

INSTANTIATE_TEST_SUITE_P(
    EveryCommandSentDirectly, DirectCommandTest,
    ::testing::Values(DirectCommand{kCommandReassign, "#reassign", "The players are being reassigned."},
                      DirectCommand{kCommandRestart, "#restart", "The server is restarting now."},
                      DirectCommand{kCommandLock, "#lock", "The server has been locked."},
                      DirectCommand{kCommandUnlock, "#unlock", "The server has been unlocked."},
                      DirectCommand{kCommandReloadBans, "loadbans", "Ban-List has been reloaded."},
                      DirectCommand{kCommandLoadScripts, "loadScripts", "Scripts have been loaded."},
                      DirectCommand{kCommandFetchMissions, "missions", "Received missions."},
                      DirectCommand{kCommandRefreshPlayers, "players", ""}));

TEST_F(MailboxTest, TwoCodesQueuedBeforeAPassOnlyTheSecondIsPerformed) {
  QueueCommand(kCommandRestart);
  QueueCommand(kCommandLock);
  PumpIdle();
  EXPECT_EQ(CommandText(FromClient()), "#lock");
  EXPECT_TRUE(FromClient(50).empty());
}

TEST_F(MailboxTest, FetchingBansSendsThreeCommandsOfWhichOnlyTheThirdRunsAHandler) {
  {
    RconLockGuard guard;
    Rcon.CommandSequence = 254;
  }
  QueueCommand(kCommandFetchBans);
  PumpIdle();
  EXPECT_EQ(FromClient(), ReplyDatagram(254, "writeBans"));
  EXPECT_EQ(FromClient(), ReplyDatagram(255, "loadBans"));
  EXPECT_EQ(FromClient(), ReplyDatagram(0, "bans"));
  EXPECT_EQ(PendingCount(), 3u);
  const std::string bans = rcon_test_server::BansText(rcon_test_server::MakeGuidBans(), {});
  Deliver(ReplyDatagram(254, bans));
  Deliver(ReplyDatagram(255, bans));
  EXPECT_EQ(window.Count("ban row"), 0);
  Deliver(ReplyDatagram(0, bans));
  EXPECT_EQ(window.Count("ban row"), 3);
  EXPECT_THAT(window.Log(), ElementsAre("[Received ban list.]"));
  EXPECT_EQ(PendingCount(), 0u);
}

TEST_F(MailboxTest, CommandsWithParametersUseThoseQueuedWithTheirCode) {
  CommandParameters p;
  p.CommandTarget = 3;
  p.CommandReason = u"Cheating/Hacking";
  EXPECT_EQ(CommandText(Perform(kCommandKick, p)), "kick 3 Cheating/Hacking");
  p.CommandTarget = 12;
  p.CommandReason = u"Abusive language";
  EXPECT_EQ(CommandText(Perform(kCommandBan, p)), "ban 12 0 Abusive language");
  EXPECT_EQ(PendingCount(), 0u) << "kick and ban wait for no reply";
  p.BanTarget = u"192.0.2.9";
  p.BanMinutes = 4320;
  p.CommandReason = u"Excessive teamkilling";
  EXPECT_EQ(CommandText(Perform(kCommandAddBan, p)), "addban 192.0.2.9 4320 Excessive teamkilling");
  p.BroadcastText = u"Restart in 5 minutes \u263A";
  EXPECT_EQ(CommandText(Perform(kCommandSayToAll, p)), "say -1 Restart in 5 minutes \xE2\x98\xBA");
  Deliver(ReplyDatagram(2, ""));  // the add-ban's sequence: kick and ban took 0 and 1
  EXPECT_THAT(window.Log(), ElementsAre("[GUID/IP has been banned.]"));
}

TEST_F(MailboxTest, RemoveBanWithoutASelectedRowSendsNothing) {
  QueueCommand(kCommandRemoveBan);
  PumpIdle();
  EXPECT_TRUE(FromClient(50).empty());
}

TEST_F(MailboxTest, SetMaxPingSendsOnlyAPositiveAnswer) {
  for (const Text answer : {u"0", u"-5", u"abc", u""}) {
    window.SetPromptAnswer(answer);
    QueueCommand(kCommandSetMaxPing);
    PumpIdle();
    EXPECT_TRUE(FromClient(30).empty()) << Utf8(answer);
  }
  window.SetPromptAnswer(u"120");
  EXPECT_EQ(CommandText(Perform(kCommandSetMaxPing)), "maxping 120");
  EXPECT_EQ(window.Count("prompt"), 5);
  Deliver(ReplyDatagram(0, ""));
  EXPECT_THAT(window.Log(), ElementsAre("[MaxPing changed to 120.]"));
}

void ResetWhilePrompting() { ResetAfterDisconnect(0); }

TEST_F(MailboxTest, SetMaxPingSendsNothingWhenTheConnectionWasResetDuringThePrompt) {
  window.SetPromptAnswer(u"150");
  window.SetDuringPrompt(ResetWhilePrompting);
  QueueCommand(kCommandSetMaxPing);
  PumpIdle();
  connection = nullptr;
  EXPECT_TRUE(FromClient(50).empty());
  EXPECT_EQ(window.Count("reset"), 1);
}

TEST_F(MailboxTest, AResetDropsAStillQueuedCommand) {
  CommandParameters kick;
  kick.CommandTarget = 4;
  QueueCommand(kCommandKick, kick);
  {
    RconLockGuard guard;
    ResetAfterDisconnect(0);
  }
  connection = nullptr;
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
}

TEST_F(MailboxTest, APrivateMessageGoesToOnePlayerAndWaitsForItsReply) {
  {
    RconLockGuard guard;
    SendPrivateMessage(connection, 3, u"meet at the harbour");
  }
  EXPECT_EQ(FromClient(), ReplyDatagram(0, "say 3 meet at the harbour"));
  EXPECT_EQ(PendingCount(), 1u);
  Deliver(ReplyDatagram(0, ""));
  EXPECT_EQ(PendingCount(), 0u);
  EXPECT_TRUE(window.Log().empty()) << "no done message";
}

TEST(Mailbox, TakingEmptiesTheSlotAndKeepsCodeAndParametersTogether) {
  CommandParameters p;
  p.CommandTarget = 7;
  p.CommandReason = u"why";
  QueueCommand(kCommandKick, p);
  const QueuedCommand taken = TakePendingCommand();
  EXPECT_EQ(taken.PendingCommand, kCommandKick);
  EXPECT_EQ(taken.Parameters.CommandTarget, 7);
  EXPECT_EQ(taken.Parameters.CommandReason, u"why");
  EXPECT_EQ(TakePendingCommand().PendingCommand, kCommandNone);
}

}  // namespace
