#include "app/database_transfer.h"

#include "app/database_view.h"
#include "app/files/settings.h"
#include "app/logic/main_loop_rules.h"
#include "database/player_database.h"
#include "runtime/portable/files.h"
#include "runtime/win32/gui.h"

namespace {

constexpr char16_t kProgramTitle[] = u"Velo 2 DUro";
constexpr char16_t kDatabasePattern[] = u"DB File (*.db)|*.db";

}  // namespace

void ImportDatabaseFromFile() {
  const Text file = AskOpenFileName(u"Import Database...", u"", kDatabasePattern, 0);
  if (file.empty()) return;
  if (ImportPlayerDatabase(file) != 0) {
    FillDatabaseList();
    ShowMessage(kProgramTitle, u"Database was imported successfully!");
  } else {
    ShowMessage(kProgramTitle, u"Could not import database!");
  }
}

void ExportDatabaseToFile() {
  const Text chosen = AskSaveFileName(u"Export Database...", u"", kDatabasePattern, 0);
  if (chosen.empty()) return;
  bool copied = false;
  {
    PlayerDatabaseFileHold hold;
    copied = CopyFileReplacing(AppSettings.DatabaseFilePath, ExportFileName(chosen));
  }
  ShowMessage(kProgramTitle, copied ? u"Database was exported successfully!" : u"Could not export database!");
}
