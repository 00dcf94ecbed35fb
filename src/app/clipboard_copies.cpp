#include "app/clipboard_copies.h"

#include "app/database_view.h"
#include "app/lists/clipboard_text.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/player_list_view.h"
#include "runtime/win32/gui.h"

void CopyLogToClipboard() {
  std::vector<Text> lines;
  const int count = CountGadgetItems(kLogList);
  for (int line = 0; line < count; ++line) lines.push_back(GadgetItemText(kLogList, line));
  PutClipboardText(JoinWithLineEnds(lines));
}

void CopyPlayerSelection(int what) {
  static const int kColumnOf[] = {-1, 0, 5, 6};
  if (what < 0 || what > 3) return;
  const int row = GadgetState(kPlayersList);
  if (what == 0) {
    std::vector<Text> cells(7);
    if (row >= 0) cells = ReportRowCells(kPlayersList, row);
    PutClipboardText(JoinWithLineEnds(cells));
    return;
  }
  PutClipboardText(row >= 0 ? GadgetItemText(kPlayersList, row, kColumnOf[what]) : Text());
}

void CopyDatabaseSelection(int what) {
  if (what < 0 || what > 4) return;
  const int row = GadgetState(kDatabaseList);
  if (what == 0) {
    std::vector<Text> cells;
    for (int column = 0; column < 5; ++column) cells.push_back(DatabaseListCell(row, column));
    PutClipboardText(JoinWithLineEnds(cells));
    return;
  }
  PutClipboardText(DatabaseListCell(row, what - 1));
}
