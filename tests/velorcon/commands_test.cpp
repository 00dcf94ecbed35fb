// What the client sends: every packet byte for byte, and the mailbox's commands the pump performs.
#include "velorcon/mailbox.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "rcon_fixture.h"
#include "velorcon/commands.h"
#include "velorcon/disconnect.h"

namespace {

using rcon_test_server::Datagram;
using rcon_test_server::ReplyDatagram;  // a command has the layout of its reply
using ::testing::ElementsAre;

using PacketTest = HandDrivenTest;

// Bytes from the test server's own builder (zlib's CRC-32); only commands take the sequence on.
TEST_F(PacketTest, EveryKindOfPacketByteForByte) {
  const std::string longText(3000, 'x');
  const std::string hugeText(kMaxDatagramSize + 100, 'y');
  const struct { int Before; std::function<void()> Send; std::vector<std::uint8_t> Expected; int After; } cases[] = {
      {7, [&] { EXPECT_EQ(SendCommand(connection, u""), 7); }, ReplyDatagram(7, ""), 8},
      {255, [&] { SendCommand(connection, u"x"); }, ReplyDatagram(255, "x"), 0},
      {0, [&] { SendCommand(connection, u"say -1 Gr\u00fc\u00dfe"); }, ReplyDatagram(0, "say -1 Gr\xC3\xBC\xC3\x9F" "e"), 1},
      {4, [&] { SendLogin(connection, u""); }, Datagram(0, ""), 4},
      {0, [&] { SendLogin(connection, u"s\u00e9cret"); }, Datagram(0, "s\xE9" "cret"), 0},
      {3, [] { AcknowledgeServerMessage(0xFE); }, Datagram(2, "\xFE"), 3},
      // Kick and ban reasons go out in the ANSI code page.
      {0, [&] { SendKick(connection, 3, u"abc"); }, ReplyDatagram(0, "kick 3 abc"), 1},
      {1, [&] { SendBan(connection, 12, u"0", u"caf\u00e9 \u4e2d"); }, ReplyDatagram(1, "ban 12 0 caf\xE9 ?"), 2},
      {2, [&] { SendKick(connection, -1, u""); }, ReplyDatagram(2, "kick -1 "), 3},
      // Longer than the checksum scratch area (grown, not overrun), and beyond the largest datagram (cut).
      {0, [&] { SendCommand(connection, AsciiText(longText)); }, ReplyDatagram(0, longText), 1},
      {0, [&] { SendCommand(connection, AsciiText(hugeText)); }, ReplyDatagram(0, hugeText.substr(0, kMaxDatagramSize - 9)), 1},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(i);
    Rcon.CommandSequence = static_cast<std::uint8_t>(cases[i].Before);
    cases[i].Send();
    EXPECT_EQ(FromClient(), cases[i].Expected);
    EXPECT_EQ(Rcon.CommandSequence, cases[i].After);
  }
  EXPECT_EQ(server.RejectedDatagrams(), 0);
}

TEST_F(PacketTest, RemoveBanTakesASequenceNumberOfItsOwn) {
  Rcon.CommandSequence = 41;
  SendRemoveBan(connection, 5);
  EXPECT_EQ(FromClient(), ReplyDatagram(41, "removeBan 5"));
  EXPECT_EQ(SendCommand(connection, u"players"), 42);
}

using MailboxTest = HandDrivenTest;

std::string CommandText(const std::vector<std::uint8_t>& datagram) {
  return datagram.size() > 9 ? std::string(datagram.begin() + 9, datagram.end()) : std::string();
}

// Parameters: target, minutes, reason, ban target, broadcast text; kick and ban wait for no reply.
TEST_F(MailboxTest, EachCommandSendsItsTextAndLogsItsDoneMessageWhenAnswered) {
  const struct { CommandCode Code; CommandParameters Parameters; const char *Text, *Done; bool Waits = true; } cases[] = {
      {kCommandReassign, {}, "#reassign", "[The players are being reassigned.]"},
      {kCommandRestart, {}, "#restart", "[The server is restarting now.]"},
      {kCommandLock, {}, "#lock", "[The server has been locked.]"},
      {kCommandUnlock, {}, "#unlock", "[The server has been unlocked.]"},
      {kCommandReloadBans, {}, "loadbans", "[Ban-List has been reloaded.]"},
      {kCommandLoadScripts, {}, "loadScripts", "[Scripts have been loaded.]"},
      {kCommandFetchMissions, {}, "missions", "[Received missions.]"},
      {kCommandRefreshPlayers, {}, "players", nullptr},
      {kCommandKick, {3, 0, u"Cheating/Hacking", u"", u""}, "kick 3 Cheating/Hacking", nullptr, false},
      {kCommandBan, {12, 0, u"Abusive language", u"", u""}, "ban 12 0 Abusive language", nullptr, false},
      {kCommandAddBan, {0, 4320, u"Excessive teamkilling", u"192.0.2.9", u""},
       "addban 192.0.2.9 4320 Excessive teamkilling", "[GUID/IP has been banned.]"},
      {kCommandSayToAll, {0, 0, u"", u"", u"Restart in 5 minutes \u263A"}, "say -1 Restart in 5 minutes \xE2\x98\xBA", nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Text);
    window.Clear();
    Rcon.CommandSequence = 17;
    EXPECT_EQ(Perform(c.Code, c.Parameters), ReplyDatagram(17, c.Text));
    EXPECT_EQ(PendingCount(), c.Waits ? 1u : 0u);
    Deliver(ReplyDatagram(17, ""));
    EXPECT_EQ(PendingCount(), 0u);
    EXPECT_EQ(window.Log(), c.Done ? std::vector<std::string>{c.Done} : std::vector<std::string>{});
  }
}

TEST_F(MailboxTest, APrivateMessageGoesToOnePlayerAndWaitsForItsReply) {
  SendPrivateMessage(connection, 3, u"meet at the harbour");
  EXPECT_EQ(FromClient(), ReplyDatagram(0, "say 3 meet at the harbour"));
  EXPECT_EQ(PendingCount(), 1u);
  Deliver(ReplyDatagram(0, ""));
  EXPECT_EQ(PendingCount(), 0u);
  EXPECT_TRUE(window.Log().empty()) << "no done message";
}

TEST_F(MailboxTest, FetchingBansSendsThreeCommandsOfWhichOnlyTheThirdRunsAHandler) {
  Rcon.CommandSequence = 254;
  QueueCommand(kCommandFetchBans);
  PumpIdle();
  EXPECT_EQ(FromClient(), ReplyDatagram(254, "writeBans"));
  EXPECT_EQ(FromClient(), ReplyDatagram(255, "loadBans"));
  EXPECT_EQ(FromClient(), ReplyDatagram(0, "bans"));
  const std::string bans = rcon_test_server::BansText(rcon_test_server::MakeGuidBans(), {});
  Deliver(ReplyDatagram(254, bans));
  Deliver(ReplyDatagram(255, bans));
  EXPECT_EQ(window.Count("ban row"), 0);
  Deliver(ReplyDatagram(0, bans));
  EXPECT_EQ(window.Count("ban row"), 3);
  EXPECT_THAT(window.Log(), ElementsAre("[Received ban list.]"));
  EXPECT_EQ(PendingCount(), 0u);
}

TEST_F(MailboxTest, NothingIsSentWithoutASelectedRowOrForAMaxPingBelowOne) {
  QueueCommand(kCommandRemoveBan);
  PumpIdle();
  QueueCommand(kCommandLoadMission);
  PumpIdle();
  for (const Text answer : {u"0", u"-5", u"abc", u""}) {
    window.PromptAnswer = answer;
    QueueCommand(kCommandSetMaxPing);
    PumpIdle();
  }
  EXPECT_TRUE(FromClient(50).empty());
  window.PromptAnswer = u"120";
  EXPECT_EQ(CommandText(Perform(kCommandSetMaxPing)), "maxping 120");
  EXPECT_EQ(window.Count("prompt"), 5);
  Deliver(ReplyDatagram(0, ""));
  EXPECT_THAT(window.Log(), ElementsAre("[MaxPing changed to 120.]"));
}

void ResetWhilePrompting() { ResetAfterDisconnect(0); }
std::uint16_t g_serverPort = 0;
void ReconnectWhilePrompting() {
  ResetWhilePrompting();
  Rcon.ServerConnection = OpenUdpConnection(u"127.0.0.1", g_serverPort);
  Rcon.Connected = true;
  ++Rcon.ConnectionSerial;
}

// The answer belongs to the connection the box was opened for, which was replaced or is gone.
TEST_F(MailboxTest, SetMaxPingSendsNothingWhenTheConnectionWasResetDuringThePrompt) {
  g_serverPort = server.Port();
  window.PromptAnswer = u"150";
  for (void (*during)() : {ReconnectWhilePrompting, ResetWhilePrompting}) {
    window.DuringPrompt = during;
    QueueCommand(kCommandSetMaxPing);
    PumpNetwork();
  }
  EXPECT_TRUE(FromClient(50).empty());
  EXPECT_EQ(window.Count("reset"), 2);
}

TEST_F(MailboxTest, AQueuedCommandIsReplacedByTheNextAndDroppedByAReset) {
  QueueCommand(kCommandRestart);
  EXPECT_EQ(CommandText(Perform(kCommandLock)), "#lock");
  EXPECT_TRUE(FromClient(50).empty());
  QueueCommand(kCommandKick, {4, 0, u"", u"", u""});
  ResetAfterDisconnect(0);
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
}

}  // namespace
