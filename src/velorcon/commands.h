#pragma once
// The command senders: each sends one remote-console command and records the pending
// request its reply is matched with. Callers hold RconLock.
#include <cstdint>

#include "network/udp_connection.h"
#include "runtime/portable/text.h"
#include "velorcon/mailbox.h"

// "players" on ServerConnection; the reply rebuilds the player records and, when
// `updateView` is not 0, the players list.
std::int32_t RequestPlayers(std::int32_t updateView);
// "writeBans", "loadBans", "bans"; only the reply to the last fills the bans list.
std::int32_t RequestBanList(UdpConnection* connection);
std::int32_t RequestMissions(UdpConnection* connection);
// "version" and "maxping" without a pending request; they return the sequence used.
std::uint8_t RequestVersion(UdpConnection* connection);
std::uint8_t RequestMaxPing(UdpConnection* connection);
std::uint8_t SetMaxPing(UdpConnection* connection, std::int32_t value);
std::int32_t SendAddBan(UdpConnection* connection, TextView target, TextView minutes, TextView reason);
std::int32_t LoadMission(UdpConnection* connection, TextView missionName);
std::int32_t SendPrivateMessage(UdpConnection* connection, std::int32_t playerNumber, TextView text);
std::int32_t SendBroadcast(UdpConnection* connection, TextView text);

// Performs a command taken from the mailbox, except the MaxPing prompt (PromptMaxPingAndSend),
// which must run without the lock.
void PerformCommand(const QueuedCommand& command);
// Asks the window for a value and sends it when it is greater than 0 and the connection that
// was current when the command was taken (`connectionSerial`) is still up. Takes the lock itself.
void PromptMaxPingAndSend(std::uint32_t connectionSerial);
