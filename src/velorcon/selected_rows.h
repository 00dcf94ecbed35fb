#pragma once
// Mailbox codes 15 and 8: a selected row of the missions or bans list becomes a command.
// They run on the thread that performs the mailbox, with RconLock held.
#include "runtime/portable/text.h"

// "#mission " + the selected mission without its extension.
void LoadSelectedMission();
// "removeBan " + the index of the selected ban row, which is then removed from the list.
void RemoveSelectedBan();
// A mission file name without the extension after the last dot of its last path part.
Text MissionNameWithoutExtension(TextView fileName);
