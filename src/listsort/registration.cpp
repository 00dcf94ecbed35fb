// Registration of lists and the operations a program calls on them.
#include "listsort/column_click.h"
#include "listsort/list_sort_state.h"
#include "listsort/window_proc.h"

#include <cwchar>

namespace {


bool IsProgramTopWindow(HWND window) {
  wchar_t className[256] = {};
  GetClassNameW(window, className, 256);
  return std::wcsncmp(className, L"WindowClass", 11) == 0;
}

HWND ParentOf(HWND window) {
  HWND parent = GetAncestor(window, GA_PARENT);
  return parent == GetDesktopWindow() ? nullptr : parent;
}

// Subclasses the list and its ancestors up to the program's top-level window, which is
// returned. A list outside such a window stops at its outermost ancestor.
HWND SubclassListAndAncestors(HWND list) {
  SubclassForSorting(list);
  HWND top = list;
  for (HWND parent = ParentOf(list); parent != nullptr; parent = ParentOf(parent)) {
    SubclassForSorting(parent);
    top = parent;
    if (IsProgramTopWindow(parent)) break;
  }
  return top;
}

SortResult RegisterOnGuiThread(int gadget, SortIndicator indicator) {
  ListSortGlobals& state = ListSort;
  HWND list = GadgetWindow(gadget);
  if (list == nullptr) return SortResult::NoSuchGadget;
  SortableListRecord* record = FindRecordByGadget(gadget);
  if (record == nullptr) record = &state.records.emplace_back();
  // Column types, the sorted flag and column are kept: registering again changes none of them.
  record->topWindow = SubclassListAndAncestors(list);
  record->gadget = gadget;
  record->listWindow = list;
  record->sortedList = nullptr;
  record->nextDirection = 1;
  record->indicatorOption = static_cast<int>(indicator);
  if (state.headerImages != nullptr) {
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    if (header != nullptr) SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(state.headerImages));
  }
  return SortResult::Done;
}

// The checks every per-list operation makes, in this order.
SortResult CheckListAndColumn(int gadget, int column, SortableListRecord*& record) {
  if (GadgetWindow(gadget) == nullptr) return SortResult::NoSuchGadget;
  record = FindRecordByGadget(gadget);
  if (record == nullptr) return SortResult::NotRegistered;
  if (column < 0 || column >= kSortableColumns) return SortResult::ColumnOutOfRange;
  return SortResult::Done;
}

SortResult SetColumnSortTypeOnGuiThread(int gadget, int column, SortType sortType) {
  SortableListRecord* record = nullptr;
  const SortResult checked = CheckListAndColumn(gadget, column, record);
  if (checked == SortResult::Done) record->columnTypes[static_cast<std::size_t>(column)] = sortType;
  return checked;
}

const SortableListRecord* SortedRecord(int gadget) {
  if (GadgetWindow(gadget) == nullptr) return nullptr;
  const SortableListRecord* record = FindRecordByGadget(gadget);
  return record != nullptr && record->sorted ? record : nullptr;
}

SortResult SortListByColumnOnGuiThread(int gadget, int column, int direction) {
  SortableListRecord* record = nullptr;
  const SortResult checked = CheckListAndColumn(gadget, column, record);
  if (checked != SortResult::Done) return checked;
  HWND list = record->listWindow;
  if (ListRowCount(list) <= 0 || record->topWindow == nullptr) return SortResult::Done;
  CurrentSort& current = ListSort.current;
  current.direction = direction;
  current.directionPending = true;
  NMLISTVIEW click{};
  click.hdr.hwndFrom = list;
  click.hdr.idFrom = 0;
  click.hdr.code = LVN_COLUMNCLICK;
  click.iSubItem = column;
  SendMessageW(record->topWindow, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  // Not consumed while suspended: it must not carry over to the next click by the user.
  current.directionPending = false;
  return SortResult::Done;
}

void SetListSortSuspendedOnGuiThread(bool suspended) {
  ListSortGlobals& state = ListSort;
  state.suspended = suspended;
  if (!state.suspended) {
    // Rows inserted or deleted while suspended were not tracked.
    for (const SortableListRecord& record : state.records) RenumberRows(record.listWindow);
  }
}

}  // namespace

SortResult RegisterSortableList(int gadget, SortIndicator indicator) {
  return OnGuiThread([&] { return RegisterOnGuiThread(gadget, indicator); });
}

SortResult SetColumnSortType(int gadget, int column, SortType sortType) {
  return OnGuiThread([&] { return SetColumnSortTypeOnGuiThread(gadget, column, sortType); });
}

int GetSortedColumn(int gadget) {
  return OnGuiThread([&] {
    const SortableListRecord* record = SortedRecord(gadget);
    return record != nullptr ? record->sortedColumn : -1;
  });
}

int GetSortDirection(int gadget) {
  return OnGuiThread([&] {
    const SortableListRecord* record = SortedRecord(gadget);
    return record != nullptr ? -record->nextDirection : 0;
  });
}

SortResult SortListByColumn(int gadget, int column, int direction) {
  return OnGuiThread([&] { return SortListByColumnOnGuiThread(gadget, column, direction); });
}

void SetListSortSuspended(bool suspended) {
  OnGuiThread([&] { SetListSortSuspendedOnGuiThread(suspended); });
}
