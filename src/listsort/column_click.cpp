#include "listsort/column_click.h"

#include "listsort/core/cell_compare.h"
#include "listsort/header_marks.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

Text CellText(HWND list, int row, int column) {
  wchar_t buffer[kCellTextLimit + 1] = {};
  LVITEMW item{};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = kCellTextLimit + 1;
  SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  buffer[kCellTextLimit] = L'\0';
  return FromWide(item.pszText != nullptr ? item.pszText : buffer);
}

// Before a new column is sorted, the previously sorted one loses its mark.
void UnmarkPreviousColumn(SortableListRecord& record, int column) {
  HWND list = record.listWindow;
  if (record.indicatorOption == 1) {
    if (record.sortedList != nullptr) {
      WriteColumnHeading(record.sortedList, record.sortedColumn, record.savedHeaderText);
    }
    record.savedHeaderText = ReadColumnHeading(list, column);
  } else if (record.indicatorOption == 2 || record.indicatorOption == 3) {
    if (record.sortedList != nullptr) ClearSortIndicator(record.sortedList, record.sortedColumn);
  }
}

void MarkSortedColumn(const SortableListRecord& record, int column, bool descending) {
  switch (record.indicatorOption) {
    case 1:
      WriteColumnHeading(record.listWindow, column, MarkedHeading(record.savedHeaderText, descending));
      break;
    case 2: SetSortIndicator(record.listWindow, column, descending, 0); break;
    case 3: SetSortIndicator(record.listWindow, column, descending, kArrowOnRightFormat); break;
    default: break;
  }
}

}  // namespace

bool HandleColumnClick(SortableListRecord& record, int column) {
  CurrentSort& current = ListSort.current;
  const bool directionPending = current.directionPending;
  current.directionPending = false;  // a requested direction serves this click only
  HWND list = record.listWindow;
  const int rows = ListRowCount(list);
  if (rows <= 0 || column < 0 || column >= kSortableColumns) return false;
  current.type = record.columnTypes[static_cast<std::size_t>(column)];
  if (current.type == kSortNotSortable) return false;

  if (column != record.sortedColumn || record.sortedList == nullptr) {
    if (!directionPending) record.nextDirection = 1;
    UnmarkPreviousColumn(record, column);
  }
  SendMessageW(list, WM_SETREDRAW, FALSE, 0);
  current.list = list;
  if (!directionPending) current.direction = record.nextDirection;
  record.sorted = true;
  // Rows are found by their item data, so it must hold every row's index when the sort
  // starts, whatever happened to the list since it was last numbered.
  RenumberRows(list);
  current.cells.clear();
  current.cells.reserve(static_cast<std::size_t>(rows));
  for (int row = 0; row < rows; ++row) current.cells.push_back(CellText(list, row, column));
  SendMessageW(list, LVM_SORTITEMS, static_cast<WPARAM>(column),
               reinterpret_cast<LPARAM>(&CompareListRows));
  current.cells.clear();
  RenumberRows(list);
  record.sortedColumn = column;
  record.sortedList = list;
  record.nextDirection = -current.direction;
  MarkSortedColumn(record, column, current.direction == -1);
  SendMessageW(list, WM_SETREDRAW, TRUE, 0);
  return true;
}

int CALLBACK CompareListRows(LPARAM rowA, LPARAM rowB, LPARAM) {
  const CurrentSort& current = ListSort.current;
  // Rows are numbered from 0, and row 0 is a row like any other; only a number that names
  // no row is "no item data".
  const auto isRow = [&](LPARAM row) { return row >= 0 && static_cast<std::size_t>(row) < current.cells.size(); };
  if (!isRow(rowA) || !isRow(rowB)) return 0;
  return CompareCellTexts(current.cells[static_cast<std::size_t>(rowA)], current.cells[static_cast<std::size_t>(rowB)],
                          current.type, current.direction);
}
