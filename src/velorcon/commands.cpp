#include "velorcon/commands.h"

#include "velorcon/disconnect.h"
#include "velorcon/selected_rows.h"
#include "velorcon/packets.h"
#include "velorcon/parsers.h"
#include "velorcon/pending.h"
#include "velorcon/rcon_state.h"
#include "velorcon/rcon_window.h"
#include "velorcon/server_commands.h"
#include "velorcon/reply_text.h"
#include "runtime/portable/text_ops.h"

namespace {

// Sends `text` and records its pending request with the sequence it carried.
void SendWithPending(UdpConnection* connection, TextView text, ReplyHandler handler,
                     std::int32_t argument, TextView doneMessage) {
  const std::uint8_t sequence = SendCommand(connection, text);
  AddPendingRequest(sequence, handler, argument, doneMessage);
}

// An administrative command sent as it stands on the current connection.
void SendDirect(TextView text, ReplyHandler handler, TextView doneMessage) {
  SendWithPending(Rcon.ServerConnection, text, handler, 0, doneMessage);
}

std::int32_t ResetHandler(std::int32_t argument) { return ResetAfterDisconnect(argument); }

}  // namespace

std::int32_t RequestPlayers(std::int32_t updateView) {
  SendWithPending(Rcon.ServerConnection, u"players", ParsePlayerList, updateView, u"");
  return 0;
}

std::int32_t RequestBanList(UdpConnection* connection) {
  SendWithPending(connection, u"writeBans", nullptr, 0, u"");
  SendWithPending(connection, u"loadBans", nullptr, 0, u"");
  // The handler ignores its argument; the connection's serial stands for the connection.
  SendWithPending(connection, u"bans", ParseBanList, static_cast<std::int32_t>(Rcon.ConnectionSerial),
                  u"Received ban list.");
  return 0;
}

std::int32_t RequestMissions(UdpConnection* connection) {
  SendWithPending(connection, u"missions", ParseMissionList, 0, u"Received missions.");
  return 0;
}

std::uint8_t RequestVersion(UdpConnection* connection) { return SendCommand(connection, u"version"); }

std::uint8_t RequestMaxPing(UdpConnection* connection) { return SendCommand(connection, u"maxping"); }

std::uint8_t SetMaxPing(UdpConnection* connection, std::int32_t value) {
  const Text number = DecimalText(value);
  const std::uint8_t sequence = SendCommand(connection, u"maxping " + number);
  AddPendingRequest(sequence, IgnoreReply, value, u"MaxPing changed to " + number + u".");
  return sequence;
}

std::int32_t SendAddBan(UdpConnection* connection, TextView target, TextView minutes, TextView reason) {
  const Text text = u"addban " + Text(target) + u" " + Text(minutes) + u" " + Text(reason);
  SendWithPending(connection, text, nullptr, 0, u"GUID/IP has been banned.");
  return 0;
}

std::int32_t LoadMission(UdpConnection* connection, TextView missionName) {
  const Text name(missionName);
  SendWithPending(connection, u"#mission " + name, nullptr, 0, u"Mission(" + name + u") has been loaded.");
  return 0;
}

std::int32_t SendPrivateMessage(UdpConnection* connection, std::int32_t playerNumber, TextView text) {
  SendWithPending(connection, u"say " + DecimalText(playerNumber) + u" " + Text(text), nullptr, 0, u"");
  return 0;
}

std::int32_t SendBroadcast(UdpConnection* connection, TextView text) {
  SendWithPending(connection, u"say -1 " + Text(text), nullptr, 0, u"");
  return 0;
}

void PerformCommand(const QueuedCommand& command) {
  const CommandParameters& p = command.Parameters;
  UdpConnection* connection = Rcon.ServerConnection;
  switch (command.PendingCommand) {
    case kCommandRefreshPlayers: RequestPlayers(1); break;
    case kCommandReassign: SendDirect(u"#reassign", nullptr, u"The players are being reassigned."); break;
    case kCommandRestart: SendDirect(u"#restart", nullptr, u"The server is restarting now."); break;
    case kCommandShutdown:
      SendDirect(u"#shutdown", ResetHandler, u"The server is shutting down now. Please reconnect.");
      break;
    case kCommandKick: SendKick(connection, p.CommandTarget, p.CommandReason); break;
    case kCommandBan: SendBan(connection, p.CommandTarget, DecimalText(p.BanMinutes), p.CommandReason); break;
    case kCommandFetchBans: RequestBanList(connection); break;
    case kCommandRemoveBan: RemoveSelectedBan(); break;
    case kCommandLock: SendDirect(u"#lock", nullptr, u"The server has been locked."); break;
    case kCommandUnlock: SendDirect(u"#unlock", nullptr, u"The server has been unlocked."); break;
    case kCommandAddBan: SendAddBan(connection, p.BanTarget, DecimalText(p.BanMinutes), p.CommandReason); break;
    case kCommandReloadBans: SendDirect(u"loadbans", nullptr, u"Ban-List has been reloaded."); break;
    case kCommandFetchMissions: RequestMissions(connection); break;
    case kCommandLoadMission: LoadSelectedMission(); break;
    case kCommandSayToAll: SendBroadcast(connection, p.BroadcastText); break;
    case kCommandLoadScripts: SendDirect(u"loadScripts", nullptr, u"Scripts have been loaded."); break;
    default: break;  // none, the prompt (performed by the pump), or no such code
  }
}

void PromptMaxPingAndSend(std::uint32_t connectionSerial) {
  const std::int32_t value = ParseInteger32Text(CurrentRconWindow().PromptMaxPing(), IntegerBases::Decimal, IntegerRange::Saturate32);
  if (value <= 0) return;
  RconLockGuard guard;
  // The box may stay open for long: the connection may have been reset or replaced meanwhile.
  // The value was meant for the server the box was opened for; the user is told it went nowhere.
  if (!Rcon.Connected || Rcon.ConnectionSerial != connectionSerial) {
    CurrentRconWindow().AddLogLine(kNotConnectedLine);
    return;
  }
  SetMaxPing(Rcon.ServerConnection, value);
}
