#include "app/database_transfer.h"

#include "app/database_view.h"
#include "app/logic/main_loop_rules.h"
#include "runtime/win32/gui.h"

namespace {

constexpr char16_t kProgramTitle[] = u"Velo 2 DUro";
constexpr char16_t kDatabasePattern[] = u"DB File (*.db)|*.db";

}  // namespace

void ImportDatabaseFromFile() {
  const Text file = AskOpenFileName(u"Import Database...", u"", kDatabasePattern, 0);
  if (!file.empty()) StartDatabaseTransfer(true, file);
}

void ExportDatabaseToFile() {
  const Text chosen = AskSaveFileName(u"Export Database...", u"", kDatabasePattern, 0);
  if (!chosen.empty()) StartDatabaseTransfer(false, ExportFileName(chosen));
}

void ShowDatabaseTransferResult(PlayerDatabaseAnswer::Kind result) {
  using Kind = PlayerDatabaseAnswer::Kind;
  switch (result) {
    case Kind::Imported:
      FillDatabaseList();
      ShowMessage(kProgramTitle, u"Database was imported successfully!");
      break;
    case Kind::ImportFailed: ShowMessage(kProgramTitle, u"Could not import database!"); break;
    case Kind::Exported: ShowMessage(kProgramTitle, u"Database was exported successfully!"); break;
    case Kind::ExportFailed: ShowMessage(kProgramTitle, u"Could not export database!"); break;
    default: break;
  }
}
