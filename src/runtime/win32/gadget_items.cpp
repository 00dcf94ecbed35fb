// Items and columns of the list-like gadgets.

#include <vector>

#include "runtime/win32/gui_state.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

std::vector<Text> Columns(TextView text) {
  std::vector<Text> cells;
  std::size_t start = 0;
  while (true) {
    const auto end = text.find(u'\n', start);
    cells.emplace_back(text.substr(start, end == TextView::npos ? TextView::npos : end - start));
    if (end == TextView::npos) return cells;
    start = end + 1;
  }
}

HTREEITEM TreeItemAt(HWND tree, int index) {
  HTREEITEM item = TreeView_GetRoot(tree);
  for (int i = 0; item != nullptr && i < index; ++i) item = TreeView_GetNextSibling(tree, item);
  return index >= 0 ? item : nullptr;
}

// The control copies at most the buffer less one character: a full buffer may mean more.
Text ListViewCell(HWND list, int item, int column) {
  for (std::size_t size = 256;; size *= 4) {
    Text cell(size, u'\0');
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.pszText = WideBuffer(cell);
    lv.cchTextMax = static_cast<int>(cell.size());
    const auto n = static_cast<std::size_t>(
        SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv)));
    if (n + 1 < size || size >= (1u << 20)) {
      cell.resize(n < size ? n : size - 1);
      return cell;
    }
  }
}

Text TreeItemText(HWND tree, HTREEITEM handle) {
  for (std::size_t size = 256;; size *= 4) {
    Text text(size, u'\0');
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = handle;
    tv.pszText = WideBuffer(text);
    tv.cchTextMax = static_cast<int>(text.size());
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    const std::size_t n = text.find(u'\0');
    if (n + 1 < size || size >= (1u << 20)) {
      text.resize(n == Text::npos ? size - 1 : n);
      return text;
    }
  }
}

}  // namespace

int GadgetImageIndex(GadgetRecord& gadget, int image, bool forTree) {
  const auto found = Gui.images.find(image);
  if (found == Gui.images.end()) return -1;
  if (const auto known = gadget.imageIndex.find(image); known != gadget.imageIndex.end()) return known->second;
  const ImageRecord& picture = found->second;
  if (gadget.imageList == nullptr) {
    gadget.imageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 4, 4);
    if (forTree) {
      TreeView_SetImageList(gadget.handle, gadget.imageList, TVSIL_NORMAL);
    } else {
      ListView_SetImageList(gadget.handle, gadget.imageList, LVSIL_SMALL);
    }
  }
  const int index = picture.icon != nullptr ? ImageList_AddIcon(gadget.imageList, picture.icon)
                                            : ImageList_Add(gadget.imageList, picture.bitmap, nullptr);
  gadget.imageIndex[image] = index;
  return index;
}

int AddGadgetItem(int gadget, int position, TextView text, int image) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return -1;
  QuietScope quiet;
  const HWND h = record->handle;
  Text value(text);
  switch (record->kind) {
    case GadgetKind::ReportList: {
      auto cells = Columns(text);
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = position < 0 ? ListView_GetItemCount(h) : position;
      item.pszText = WideBuffer(cells[0]);
      const int icon = image >= 0 ? GadgetImageIndex(*record, image, false) : -1;
      if (icon >= 0) {
        item.mask |= LVIF_IMAGE;
        item.iImage = icon;
      }
      const int row = static_cast<int>(SendMessageW(h, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
      for (std::size_t c = 1; c < cells.size(); ++c) SetGadgetItemText(gadget, row, cells[c], static_cast<int>(c));
      return row;
    }
    case GadgetKind::ListBox:
      return static_cast<int>(SendMessageW(h, position < 0 ? LB_ADDSTRING : LB_INSERTSTRING,
                                           static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(Wide(value))));
    case GadgetKind::ComboBox:
      return static_cast<int>(SendMessageW(h, position < 0 ? CB_ADDSTRING : CB_INSERTSTRING,
                                           static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(Wide(value))));
    case GadgetKind::Tree: {
      TVINSERTSTRUCTW insert{};
      insert.hParent = TVI_ROOT;
      insert.hInsertAfter = position <= 0 ? (position == 0 ? TVI_FIRST : TVI_LAST) : TreeItemAt(h, position - 1);
      insert.item.mask = TVIF_TEXT;
      insert.item.pszText = WideBuffer(value);
      const int icon = image >= 0 ? GadgetImageIndex(*record, image, true) : -1;
      if (icon >= 0) {
        insert.item.mask |= TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        insert.item.iImage = insert.item.iSelectedImage = icon;
      }
      SendMessageW(h, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert));
      return position < 0 ? CountGadgetItems(gadget) - 1 : position;
    }
    case GadgetKind::TabPanel: AddTab(gadget, position, text); return position;
    default: return -1;
  }
}

void RemoveGadgetItem(int gadget, int position) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return;
  QuietScope quiet;
  const HWND h = record->handle;
  switch (record->kind) {
    case GadgetKind::ReportList: ListView_DeleteItem(h, position); break;
    case GadgetKind::ListBox: SendMessageW(h, LB_DELETESTRING, static_cast<WPARAM>(position), 0); break;
    case GadgetKind::ComboBox: SendMessageW(h, CB_DELETESTRING, static_cast<WPARAM>(position), 0); break;
    case GadgetKind::Tree:
      if (HTREEITEM item = TreeItemAt(h, position)) TreeView_DeleteItem(h, item);
      break;
    default: break;
  }
}

void ClearGadgetItems(int gadget) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return;
  QuietScope quiet;
  const HWND h = record->handle;
  switch (record->kind) {
    case GadgetKind::ReportList: ListView_DeleteAllItems(h); break;
    case GadgetKind::ListBox: SendMessageW(h, LB_RESETCONTENT, 0, 0); break;
    case GadgetKind::ComboBox: SendMessageW(h, CB_RESETCONTENT, 0, 0); break;
    case GadgetKind::Tree: TreeView_DeleteAllItems(h); break;
    default: break;
  }
}

int CountGadgetItems(int gadget) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return 0;
  const HWND h = record->handle;
  switch (record->kind) {
    case GadgetKind::ReportList: return ListView_GetItemCount(h);
    case GadgetKind::ListBox: return static_cast<int>(SendMessageW(h, LB_GETCOUNT, 0, 0));
    case GadgetKind::ComboBox: return static_cast<int>(SendMessageW(h, CB_GETCOUNT, 0, 0));
    case GadgetKind::Tree: return static_cast<int>(TreeView_GetCount(h));
    case GadgetKind::TabPanel: return TabCtrl_GetItemCount(h);
    default: return 0;
  }
}

Text GadgetItemText(int gadget, int item, int column) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr || item < 0 || item >= CountGadgetItems(gadget)) return Text();
  const HWND h = record->handle;
  switch (record->kind) {
    case GadgetKind::ReportList: return ListViewCell(h, item, column);
    case GadgetKind::ListBox:
    case GadgetKind::ComboBox: {
      const bool list = record->kind == GadgetKind::ListBox;
      const auto length = SendMessageW(h, list ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, static_cast<WPARAM>(item), 0);
      if (length < 0) return Text();
      Text text(static_cast<std::size_t>(length) + 1, u'\0');
      SendMessageW(h, list ? LB_GETTEXT : CB_GETLBTEXT, static_cast<WPARAM>(item),
                   reinterpret_cast<LPARAM>(WideBuffer(text)));
      text.resize(static_cast<std::size_t>(length));
      return text;
    }
    case GadgetKind::Tree: return TreeItemText(h, TreeItemAt(h, item));
    case GadgetKind::TabPanel: {
      Text text(256, u'\0');
      TCITEMW tab{};
      tab.mask = TCIF_TEXT;
      tab.pszText = WideBuffer(text);
      tab.cchTextMax = static_cast<int>(text.size());
      SendMessageW(h, TCM_GETITEMW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&tab));
      text.resize(text.find(u'\0'));
      return text;
    }
    default: return Text();
  }
}

void SetGadgetItemText(int gadget, int item, TextView text, int column) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr || item < 0) return;
  QuietScope quiet;
  Text value(text);
  const HWND h = record->handle;
  if (record->kind == GadgetKind::ReportList) {
    LVITEMW lv{};
    lv.iSubItem = column;
    lv.pszText = WideBuffer(value);
    SendMessageW(h, LVM_SETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&lv));
  } else if (record->kind == GadgetKind::Tree) {
    TVITEMW tv{};
    tv.mask = TVIF_TEXT;
    tv.hItem = TreeItemAt(h, item);
    tv.pszText = WideBuffer(value);
    if (tv.hItem != nullptr) SendMessageW(h, TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
  } else if (record->kind == GadgetKind::ListBox || record->kind == GadgetKind::ComboBox) {
    const int selected = GadgetState(gadget);
    RemoveGadgetItem(gadget, item);
    AddGadgetItem(gadget, item, text);
    if (selected == item) SetGadgetState(gadget, item);
  }
}

void AddGadgetColumn(int gadget, int position, TextView title, int width) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr || record->kind != GadgetKind::ReportList) return;
  Text value(title);
  LVCOLUMNW column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH;
  column.pszText = WideBuffer(value);
  column.cx = width;
  SendMessageW(record->handle, LVM_INSERTCOLUMNW, static_cast<WPARAM>(position < 0 ? CountGadgetColumns(gadget) : position),
               reinterpret_cast<LPARAM>(&column));
}

int CountGadgetColumns(int gadget) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr || record->kind != GadgetKind::ReportList) return 0;
  return Header_GetItemCount(ListView_GetHeader(record->handle));
}

int GadgetColumnWidth(int gadget, int column) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr || record->kind != GadgetKind::ReportList) return 0;
  return ListView_GetColumnWidth(record->handle, column);
}

void SetGadgetColumnWidth(int gadget, int column, int width) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr || record->kind != GadgetKind::ReportList) return;
  ListView_SetColumnWidth(record->handle, column, width);
}
