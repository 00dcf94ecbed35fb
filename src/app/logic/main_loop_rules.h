#pragma once
// What the main loop decides without a window: the mailbox code behind a menu item or a tab,
// and the name an export is written to.
#include "runtime/portable/text.h"
#include "velorcon/mailbox.h"

// The code a menu item puts into the mailbox; kCommandNone for items that do something else.
CommandCode MenuItemCommand(int item);
// Choosing the "Bans" (1) or "Missions" (2) tab while connected asks for that list.
CommandCode TabCommand(int tab);
// The chosen name with ".db" added unless it ends so already (in any letter case).
Text ExportFileName(TextView chosen);
