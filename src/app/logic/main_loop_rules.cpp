#include "app/logic/main_loop_rules.h"

#include "runtime/portable/text_ops.h"

CommandCode MenuItemCommand(int item) {
  switch (item) {
    case 6: return kCommandRemoveBan;
    case 9: return kCommandReassign;
    case 10: return kCommandRestart;
    case 11: return kCommandShutdown;
    case 12: return kCommandSetMaxPing;
    case 13: return kCommandRefreshPlayers;
    case 14: return kCommandLock;
    case 15: return kCommandUnlock;
    case 17: return kCommandReloadBans;
    case 34: return kCommandLoadMission;
    case 38: return kCommandLoadScripts;
    default: return kCommandNone;
  }
}

CommandCode TabCommand(int tab) {
  if (tab == 1) return kCommandFetchBans;
  if (tab == 2) return kCommandFetchMissions;
  return kCommandNone;
}

Text ExportFileName(TextView chosen) {
  const TextView ending = chosen.size() >= 3 ? chosen.substr(chosen.size() - 3) : chosen;
  if (LowerText(ending) == u".db") return Text(chosen);
  return Text(chosen) + u".db";
}
