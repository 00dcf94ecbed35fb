#include "app/database_view.h"

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <vector>

#include "app/window_interface.h"
#include "app/database_transfer.h"
#include "app/log_view.h"
#include "app/lists/database_search.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "database/player_database.h"
#include "runtime/win32/gui_state.h"
#include "veloui/menus/menus.h"

namespace {

struct DatabaseViewState {
  // Mirror rows shown while the list is not full; the full list shows the mirror itself.
  std::vector<std::uint32_t> shown;
  std::size_t fullCount = 0;
  // The worker has read the whole file.
  bool loaded = false;
};
DatabaseViewState g_view;

PlayerDatabaseMirror g_rows;
std::unique_ptr<PlayerDatabaseWorker> g_worker;
std::atomic<PlayerDatabaseWorker*> g_runningWorker{nullptr};

bool ListIsFull() { return PlayerDb.DatabaseListIsFull.load() != 0; }

std::size_t ShownCount() { return ListIsFull() ? g_view.fullCount : g_view.shown.size(); }

TextView CellOf(const DatabaseRow& row, int column) {
  switch (column) {
    case 0: return row.Name;
    case 1: return row.GUID;
    case 2: return row.IP;
    case 3: return row.Server;
    case 4: return row.Date;
    default: return {};
  }
}

// The list asks for each cell it draws.
void FillDisplayInfo(NMLVDISPINFOW& info) {
  if (!(info.item.mask & LVIF_TEXT) || info.item.pszText == nullptr || info.item.cchTextMax <= 0) return;
  info.item.pszText[0] = L'\0';
  std::size_t index = 0;
  if (!DatabaseListRowIndex(info.item.iItem, index)) return;
  const LockedDatabaseRows rows(g_rows);
  if (index >= rows.Count()) return;
  const DatabaseRow row = rows.Row(index);
  const TextView cell = CellOf(row, info.item.iSubItem);
  const std::size_t length = std::min<std::size_t>(cell.size(), static_cast<std::size_t>(info.item.cchTextMax) - 1);
  for (std::size_t i = 0; i < length; ++i) info.item.pszText[i] = static_cast<wchar_t>(cell[i]);
  info.item.pszText[length] = L'\0';
}

LRESULT CALLBACK DatabasePageSubclass(HWND page, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                      DWORD_PTR) {
  if (message == WM_NOTIFY) {
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->hwndFrom == GadgetHandle(kDatabaseList)) {
      if (header->code == LVN_GETDISPINFOW) {
        FillDisplayInfo(*reinterpret_cast<NMLVDISPINFOW*>(lParam));
        return 0;
      }
      if (header->code == LVN_ODFINDITEMW) return -1;
    }
  }
  return DefSubclassProc(page, message, wParam, lParam);
}

// Import and Export are on whenever the database is, but never two at once: the worker answers
// one before it takes the next. Before the file is read whole the worker reads it first; a file
// it could not read still exports as it stands, and an import into it fails.
void SetTransfersDisabled(bool disabled) {
  SetMenuItemDisabled(kMenuBar, kItemImport, disabled);
  SetMenuItemDisabled(kMenuBar, kItemExport, disabled);
}

// The search asked for while the database was loading runs now, on the whole of it.
void ShowLoadedDatabase() {
  const int field = GadgetState(kSearchFieldCombo) - 1;
  if (GadgetText(kSearchText).empty() || field < 0 || field > 3) {
    FillDatabaseList();
  } else {
    SearchDatabaseList(field);
  }
}

void OnDatabaseAnswer(const PlayerDatabaseAnswer& answer) {
  using Kind = PlayerDatabaseAnswer::Kind;
  switch (answer.What) {
    case Kind::Loaded:
      g_view.loaded = true;
      ShowLoadedDatabase();
      break;
    case Kind::LoadFailed: AddLogLine(u"[The player database could not be read.]"); break;
    case Kind::RowsAdded: ShowNewDatabaseRows(); break;
    case Kind::RowsDropped:
      AddLogLine(u"[" + DecimalText(static_cast<std::int64_t>(answer.Rows)) +
                 u" players could not be recorded in the player database.]");
      break;
    default:
      SetTransfersDisabled(false);
      ShowDatabaseTransferResult(answer.What);
      break;
  }
}

// The list is emptied (selection and scroll position with it) and shows `count` rows.
void ShowRows(std::size_t count) {
  const HWND list = GadgetHandle(kDatabaseList);
  if (list == nullptr) return;
  // Shrinking a list that holds no rows of its own to nothing drops the selection and the
  // scroll position as deleting every row would, without a step per row; both counts are
  // set with redrawing off, so that the list and its scroll bar are redrawn once.
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  ListView_SetItemCountEx(list, 0, LVSICF_NOINVALIDATEALL);
  ListView_SetItemCountEx(list, static_cast<int>(count), LVSICF_NOINVALIDATEALL);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(list, nullptr, TRUE);
}

}  // namespace

void CreateDatabaseList(int x, int y, int w, int h, const std::array<std::int32_t, 5>& widths) {
  auto& lists = Gui.gadgetLists;
  if (lists.empty()) return;
  const HWND page = lists.back();
  if (IsGadgetNumber(kDatabaseList)) FreeGadget(kDatabaseList);
  HWND list = nullptr;
  {
    QuietScope quiet;
    list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                           WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS |
                               LVS_OWNERDATA,
                           x, y, w, h, page, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kDatabaseList)),
                           GetModuleHandleW(nullptr), nullptr);
  }
  if (list == nullptr) return;
  SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  ListView_SetExtendedListViewStyle(list, LVS_EX_DOUBLEBUFFER | LVS_EX_FULLROWSELECT);
  GadgetRecord record;
  record.handle = list;
  record.kind = GadgetKind::ReportList;
  Gui.gadgets[kDatabaseList] = std::move(record);
  static const char16_t* const kTitles[5] = {u"Name", u"GUID", u"IP", u"Server", u"Date"};
  for (int column = 0; column < 5; ++column) AddGadgetColumn(kDatabaseList, column, kTitles[column], widths[column]);
  SetWindowSubclass(page, DatabasePageSubclass, 0, 0);
  g_view = DatabaseViewState();
}

void StartLoadingDatabase(TextView path) {
  StopPlayerDatabase();
  // The answers wait in the GUI thread's queue: the worker never waits for the window.
  g_worker = std::make_unique<PlayerDatabaseWorker>(
      g_rows, [](const PlayerDatabaseAnswer& answer) { AppHandOff.Post([answer] { OnDatabaseAnswer(answer); }); });
  g_worker->Start(path);
  g_runningWorker = g_worker.get();
}

PlayerDatabaseWorker* RunningDatabaseWorker() { return g_runningWorker.load(); }

bool PlayerDatabaseLoaded() { return g_view.loaded; }

void StopPlayerDatabase() {
  g_runningWorker = nullptr;
  if (g_worker != nullptr) g_worker->Stop();
  g_worker.reset();
  g_view.loaded = false;
  g_rows.Change([](DatabaseMirror& rows) { rows.Clear(); });
}

void StartDatabaseTransfer(bool import, TextView file) {
  if (g_worker == nullptr) return;
  SetTransfersDisabled(true);
  if (import) {
    g_worker->Import(file);
  } else {
    g_worker->Export(file);
  }
}

std::size_t DatabaseRowCount() { return LockedDatabaseRows(g_rows).Count(); }

void FillDatabaseList() {
  // Until the load is complete the list stays empty; the load fills it when it ends.
  if (!g_view.loaded) return;
  g_view.shown = {};
  PlayerDb.DatabaseListIsFull = 1;
  g_view.fullCount = DatabaseRowCount();
  ShowRows(g_view.fullCount);
}

void SearchDatabaseList(int field) {
  // A search of half the rows would present a wrong answer as whole; the load runs it later.
  if (!g_view.loaded) return;
  const Text search = GadgetText(kSearchText);
  // Also with "Search for" in the combo: emptying the text always brings the whole list back.
  if (search.empty()) {
    FillDatabaseList();
    return;
  }
  if (field < 0 || field > 3) return;
  const bool exact = GadgetState(kExactMatchBox) == 1;
  PlayerDb.DatabaseListIsFull = 0;
  {
    const LockedDatabaseRows rows(g_rows);
    g_view.shown = SearchDatabaseRows(rows, static_cast<DatabaseField>(field), search, exact);
  }
  ShowRows(g_view.shown.size());
}

void ShowAssociations() {
  if (!g_view.loaded) return;
  const Text guid = DatabaseListCell(GadgetState(kDatabaseList), 1);
  PlayerDb.DatabaseListIsFull = 0;
  {
    const LockedDatabaseRows rows(g_rows);
    g_view.shown = AssociatedDatabaseRows(rows, guid);
  }
  ShowRows(g_view.shown.size());
}

void ShowNewDatabaseRows() {
  if (!ListIsFull()) return;
  g_view.fullCount = DatabaseRowCount();
  const HWND list = GadgetHandle(kDatabaseList);
  if (list != nullptr) {
    ListView_SetItemCountEx(list, static_cast<int>(g_view.fullCount), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }
}

bool DatabaseListRowIndex(int item, std::size_t& row) {
  if (item < 0 || static_cast<std::size_t>(item) >= ShownCount()) return false;
  row = ListIsFull() ? static_cast<std::size_t>(item) : g_view.shown[static_cast<std::size_t>(item)];
  return true;
}

Text DatabaseListCell(int item, int column) {
  std::size_t index = 0;
  if (!DatabaseListRowIndex(item, index)) return {};
  const LockedDatabaseRows rows(g_rows);
  if (index >= rows.Count()) return {};
  return Text(CellOf(rows.Row(index), column));
}
