#include "listsort/window_proc.h"

#include "listsort/column_click.h"
#include "listsort/header_marks.h"
#include "listsort/list_sort_state.h"

namespace {

// The flags of the position change that comes with maximising or restoring a window.
// SWP_STATECHANGED (0x8000) is not in every SDK's headers.
constexpr UINT kStateChangeFlags = 0x8000 | SWP_FRAMECHANGED;

// The previous procedure of `window`; entries of windows that no longer exist, met on the
// way, are dropped.
WNDPROC PreviousProcedure(HWND window) {
  auto& entries = ListSort.subclassed;
  for (auto entry = entries.begin(); entry != entries.end();) {
    if (entry->window == window) return entry->previous;
    entry = IsWindow(entry->window) ? entry + 1 : entries.erase(entry);
  }
  return nullptr;
}

// A destroyed window's handle can be given to a new window: forget it entirely.
void ForgetWindow(HWND window) {
  ListSortGlobals& state = ListSort;
  std::erase_if(state.subclassed, [&](const SubclassEntry& entry) { return entry.window == window; });
  for (SortableListRecord& record : state.records) {
    if (record.listWindow == window) record.listWindow = nullptr;
    if (record.sortedList == window) record.sortedList = nullptr;
    if (record.topWindow == window) record.topWindow = nullptr;
  }
}

void ListEmptied(HWND list) {
  SortableListRecord* record = FindRecordByList(list);
  if (record == nullptr) return;
  record->sorted = false;
  if (record->indicatorOption != 0 && record->sortedList != nullptr) {
    ClearSortIndicator(record->sortedList, record->sortedColumn);
  }
}

// Lists scrolled away from the top left corner are put back there when their window is
// maximised or restored. A list that was hidden (on another tab page) stays hidden.
void ResetScrollingOfLists(HWND top) {
  for (const SortableListRecord& record : ListSort.records) {
    HWND list = record.listWindow;
    if (record.topWindow != top || list == nullptr) continue;
    if (GetScrollPos(list, SB_HORZ) == 0 && GetScrollPos(list, SB_VERT) == 0) continue;
    const bool visible = (GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE) != 0;
    ShowWindow(list, SW_HIDE);
    SendMessageW(list, WM_HSCROLL, SB_LEFT, 0);
    SendMessageW(list, WM_VSCROLL, SB_TOP, 0);
    SetScrollPos(list, SB_HORZ, 0, FALSE);
    SetScrollPos(list, SB_VERT, 0, FALSE);
    if (visible) ShowWindow(list, SW_SHOW);
  }
}

// A list view gives its header the image list of its rows' small images; the header must keep
// showing our arrows instead.
void KeepArrowsInHeader(HWND list) {
  const HIMAGELIST arrows = ListSort.headerImages;
  if (arrows == nullptr || FindRecordByList(list) == nullptr) return;
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (header != nullptr) SendMessageW(header, HDM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(arrows));
}

bool IsTopWindowOfList(HWND window) {
  for (const SortableListRecord& record : ListSort.records) {
    if (record.topWindow == window) return true;
  }
  return false;
}

struct ColumnClick {
  SortableListRecord* record = nullptr;
  int column = 0;
};

ColumnClick ColumnClickOf(UINT message, LPARAM lParam) {
  if (message != WM_NOTIFY || lParam == 0) return {};
  const auto* header = reinterpret_cast<const NMHDR*>(lParam);
  if (header->code != LVN_COLUMNCLICK) return {};
  SortableListRecord* record = FindRecordByList(header->hwndFrom);
  if (record == nullptr) return {};
  return {record, reinterpret_cast<const NMLISTVIEW*>(lParam)->iSubItem};
}

}  // namespace

void SubclassForSorting(HWND window) {
  ListSortGlobals& state = ListSort;
  if (PreviousProcedure(window) != nullptr) return;
  const auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
      window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ListSortWindowProc)));
  if (previous != nullptr) state.subclassed.push_back({window, previous});
}

LRESULT CALLBACK ListSortWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  ListSortGlobals& state = ListSort;
  const WNDPROC previous = PreviousProcedure(window);
  if (previous == nullptr) return DefWindowProcW(window, message, wParam, lParam);

  // A header click reaches the list's parent first; a parent that passes the notification
  // on to its own parent must not have it handled twice, or the direction would not toggle.
  const ColumnClick click = ColumnClickOf(message, lParam);
  const bool firstToSeeClick =
      click.record != nullptr &&
      !(state.click.active && state.click.list == click.record->listWindow &&
        state.click.column == click.column);
  const ClickInProgress outerClick = state.click;
  if (firstToSeeClick) state.click = {true, click.record->listWindow, click.column};

  LRESULT result = CallWindowProcW(previous, window, message, wParam, lParam);

  if (message == WM_NCDESTROY) {
    ForgetWindow(window);
  } else if (message == LVM_SETIMAGELIST && wParam == LVSIL_SMALL) {
    // Also while suspended: a refill is when a list first gets images for its rows.
    KeepArrowsInHeader(window);
  } else if (!state.suspended) {
    switch (message) {
      case LVM_DELETEALLITEMS: ListEmptied(window); break;
      case LVM_INSERTITEMW:
      case LVM_DELETEITEM:
        if (FindRecordByList(window) != nullptr) RenumberRows(window);
        break;
      case WM_WINDOWPOSCHANGING:
        if (lParam != 0 && reinterpret_cast<const WINDOWPOS*>(lParam)->flags == kStateChangeFlags &&
            IsTopWindowOfList(window)) {
          ResetScrollingOfLists(window);
        }
        break;
      case WM_NOTIFY:
        // The record is looked up again: the previous procedure may have destroyed the list.
        if (firstToSeeClick && FindRecordByList(reinterpret_cast<const NMHDR*>(lParam)->hwndFrom) ==
                                   click.record &&
            HandleColumnClick(*click.record, click.column)) {
          result = 0;
        }
        break;
      default: break;
    }
  }
  if (firstToSeeClick) state.click = outerClick;
  return result;
}
