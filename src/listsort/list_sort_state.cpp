#include "listsort/list_sort_state.h"

ListSortGlobals ListSort;

void SetListSortGadgetLookup(GadgetWindowLookup lookup) { ListSort.lookup = lookup; }

HWND GadgetWindow(int gadget) {
  const GadgetWindowLookup lookup = ListSort.lookup;
  HWND window = lookup != nullptr ? lookup(gadget) : nullptr;
  return window != nullptr && IsWindow(window) ? window : nullptr;
}

SortableListRecord* FindRecordByGadget(int gadget) {
  for (SortableListRecord& record : ListSort.records) {
    if (record.gadget == gadget) return &record;
  }
  return nullptr;
}

SortableListRecord* FindRecordByList(HWND list) {
  if (list == nullptr) return nullptr;
  for (SortableListRecord& record : ListSort.records) {
    if (record.listWindow == list) return &record;
  }
  return nullptr;
}

int ListRowCount(HWND list) {
  return list != nullptr ? static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
}

void RenumberRows(HWND list) {
  const int count = ListRowCount(list);
  for (int row = 0; row < count; ++row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = row;
    SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  }
}
