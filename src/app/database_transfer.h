#pragma once
// The Database menu's Import and Export: another database file merged into "db.db", or a copy
// of "db.db" written where the user chooses. Each ends with a message box. GUI thread only.

void ImportDatabaseFromFile();
// The copy is made while no recording or import is under way, so it is never half-written.
void ExportDatabaseToFile();
