#pragma once
// The Database menu's Import and Export: another database file merged into "db.db", or a copy
// of "db.db" written where the user chooses. The player database's worker does either while the
// window goes on; its answer ends with a message box. GUI thread only.
#include "database/player_database.h"

void ImportDatabaseFromFile();
void ExportDatabaseToFile();
// The worker's answer to an import or export: the list refilled after an import, then the box.
void ShowDatabaseTransferResult(PlayerDatabaseAnswer::Kind result);
