#pragma once
// The one-slot command mailbox from the GUI thread to the network thread. The code and its
// parameters are written together and taken together under the slot's own lock; a command
// the user queues before the previous one was performed replaces it.
#include <cstdint>

#include "runtime/portable/text.h"

enum CommandCode : std::int32_t {
  kCommandNone = 0,
  kCommandRefreshPlayers = 1,
  kCommandReassign = 2,
  kCommandRestart = 3,
  kCommandShutdown = 4,
  kCommandKick = 5,
  kCommandBan = 6,
  kCommandFetchBans = 7,
  kCommandRemoveBan = 8,
  kCommandSetMaxPing = 9,
  kCommandLock = 10,
  kCommandUnlock = 11,
  kCommandAddBan = 12,
  kCommandReloadBans = 13,
  kCommandFetchMissions = 14,
  kCommandLoadMission = 15,
  kCommandSayToAll = 16,
  kCommandLoadScripts = 17,
};

struct CommandParameters {
  std::int32_t CommandTarget = 0;  // player number for kick and ban
  std::int32_t BanMinutes = 0;     // 0 = permanent
  Text CommandReason;              // kick, ban and add-ban
  Text BanTarget;                  // GUID or IP address of an add-ban
  Text BroadcastText;              // message to all players
};

struct QueuedCommand {
  CommandCode PendingCommand = kCommandNone;
  CommandParameters Parameters;
};

// GUI thread: fills the slot, replacing whatever was queued, and wakes the network thread.
void QueueCommand(CommandCode code, CommandParameters parameters = {});
// Fills the slot only when it is empty (checked and filled under the slot's lock), so that a
// command of the program's own never pushes out one the user queued; false when it was not.
bool QueueCommandIfEmpty(CommandCode code);
// The performer: takes the code with its parameters and leaves the slot empty.
QueuedCommand TakePendingCommand();
// The code waiting in the slot, kCommandNone when empty.
CommandCode PeekPendingCommand();
// Drops a queued command, so that nothing meant for one server reaches the next.
void ClearPendingCommand();
