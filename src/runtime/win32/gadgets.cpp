// What every gadget has: text, state, enabling, geometry, font and colour.

#include <algorithm>

#include "runtime/win32/gui_state.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

Text HandleText(HWND handle) {
  Text text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(handle, WideBuffer(text), static_cast<int>(text.size()))));
  return text;
}

RECT PlaceInParent(HWND handle) {
  RECT r{};
  GetWindowRect(handle, &r);
  MapWindowPoints(nullptr, GetParent(handle), reinterpret_cast<POINT*>(&r), 2);
  return r;
}

int TreeSelectedIndex(HWND tree) {
  const HTREEITEM selected = TreeView_GetSelection(tree);
  int index = 0;
  for (HTREEITEM item = TreeView_GetRoot(tree); item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
    if (item == selected) return index;
    ++index;
  }
  return -1;
}

}  // namespace

bool IsGadgetNumber(int gadget) { return FindGadget(gadget) != nullptr; }

HWND GadgetHandle(int gadget) {
  const GadgetRecord* record = FindGadget(gadget);
  return record != nullptr ? record->handle : nullptr;
}

void FreeGadget(int gadget) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return;
  const HWND handle = record->handle;
  if (record->imageList != nullptr) ImageList_Destroy(record->imageList);
  if (record->background != nullptr) DeleteObject(record->background);
  Gui.gadgets.erase(gadget);
  std::erase_if(Gui.gadgetLists, [handle](HWND h) { return h == handle || IsChild(handle, h); });
  QuietScope quiet;
  DestroyWindow(handle);
  // Gadgets inside it went with it.
  std::erase_if(Gui.gadgets, [](const auto& entry) { return !IsWindow(entry.second.handle); });
}

Text GadgetText(int gadget) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return Text();
  switch (record->kind) {
    case GadgetKind::ReportList:
    case GadgetKind::ListBox:
    case GadgetKind::Tree:
    case GadgetKind::TabPanel: {
      const int selected = GadgetState(gadget);
      return selected >= 0 ? GadgetItemText(gadget, selected) : Text();
    }
    default: return HandleText(record->handle);
  }
}

void SetGadgetText(int gadget, TextView text) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return;
  QuietScope quiet;
  const Text value(text);
  if (record->kind == GadgetKind::ComboBox &&
      (GetWindowLongW(record->handle, GWL_STYLE) & 0x3) == CBS_DROPDOWNLIST) {
    SendMessageW(record->handle, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(Wide(value)));
    return;
  }
  SetWindowTextW(record->handle, Wide(value));
}

int GadgetCaret(int gadget) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return 0;
  DWORD start = 0, end = 0;
  if (record->kind == GadgetKind::ComboBox) {
    SendMessageW(record->handle, CB_GETEDITSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  } else if (record->kind == GadgetKind::StringField) {
    SendMessageW(record->handle, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  }
  return static_cast<int>(end);
}

void SetGadgetCaret(int gadget, int position) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return;
  const int at = std::clamp(position, 0, GetWindowTextLengthW(record->handle));
  QuietScope quiet;
  if (record->kind == GadgetKind::ComboBox) {
    SendMessageW(record->handle, CB_SETEDITSEL, 0, MAKELPARAM(at, at));
  } else if (record->kind == GadgetKind::StringField) {
    SendMessageW(record->handle, EM_SETSEL, static_cast<WPARAM>(at), static_cast<LPARAM>(at));
  }
}

int GadgetState(int gadget) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return 0;
  const HWND h = record->handle;
  switch (record->kind) {
    case GadgetKind::CheckBox:
    case GadgetKind::Option: return SendMessageW(h, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    case GadgetKind::ReportList: return ListView_GetNextItem(h, -1, LVNI_SELECTED);
    case GadgetKind::ListBox: return static_cast<int>(SendMessageW(h, LB_GETCURSEL, 0, 0));
    case GadgetKind::ComboBox: return static_cast<int>(SendMessageW(h, CB_GETCURSEL, 0, 0));
    case GadgetKind::Tree: return TreeSelectedIndex(h);
    case GadgetKind::TabPanel: return TabCtrl_GetCurSel(h);
    case GadgetKind::Splitter: return record->position;
    default: return 0;
  }
}

void SetGadgetState(int gadget, int state) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return;
  QuietScope quiet;
  const HWND h = record->handle;
  switch (record->kind) {
    case GadgetKind::CheckBox: SendMessageW(h, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0); break;
    case GadgetKind::Option:
      if (state) {
        // The other options of its group are cleared, as a click would.
        for (auto& [number, other] : Gui.gadgets) {
          if (other.kind == GadgetKind::Option && GetParent(other.handle) == GetParent(h)) {
            SendMessageW(other.handle, BM_SETCHECK, BST_UNCHECKED, 0);
          }
        }
      }
      SendMessageW(h, BM_SETCHECK, state ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case GadgetKind::ReportList:
      ListView_SetItemState(h, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
      if (state >= 0) {
        ListView_SetItemState(h, state, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
        ListView_EnsureVisible(h, state, FALSE);
      }
      break;
    case GadgetKind::ListBox: SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(state), 0); break;
    case GadgetKind::ComboBox: SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(state), 0); break;
    case GadgetKind::Tree: {
      HTREEITEM item = TreeView_GetRoot(h);
      for (int i = 0; item != nullptr && i < state; ++i) item = TreeView_GetNextSibling(h, item);
      TreeView_SelectItem(h, state >= 0 ? item : nullptr);
      break;
    }
    case GadgetKind::TabPanel: {
      TabCtrl_SetCurSel(h, state);
      for (std::size_t i = 0; i < record->pages.size(); ++i) {
        ShowWindow(record->pages[i], static_cast<int>(i) == state ? SW_SHOW : SW_HIDE);
      }
      break;
    }
    case GadgetKind::Splitter:
      record->position = state;
      LayoutSplitter(*record);
      break;
    default: break;
  }
}

void DisableGadget(int gadget, bool disabled) {
  if (HWND h = GadgetHandle(gadget)) EnableWindow(h, disabled ? FALSE : TRUE);
}

void HideGadget(int gadget, bool hidden) {
  QuietScope quiet;
  if (HWND h = GadgetHandle(gadget)) ShowWindow(h, hidden ? SW_HIDE : SW_SHOW);
}

void ResizeGadget(int gadget, int x, int y, int w, int h) {
  HWND handle = GadgetHandle(gadget);
  if (handle == nullptr) return;
  const RECT r = PlaceInParent(handle);
  const bool combo = FindGadget(gadget)->kind == GadgetKind::ComboBox;
  const int height = h == kKeep ? r.bottom - r.top : (combo ? h + 200 : h);
  QuietScope quiet;
  MoveWindow(handle, x == kKeep ? r.left : x, y == kKeep ? r.top : y, w == kKeep ? r.right - r.left : w,
             height, TRUE);
}

int GadgetX(int gadget) {
  HWND h = GadgetHandle(gadget);
  return h != nullptr ? PlaceInParent(h).left : 0;
}

int GadgetY(int gadget) {
  HWND h = GadgetHandle(gadget);
  return h != nullptr ? PlaceInParent(h).top : 0;
}

int GadgetWidth(int gadget) {
  HWND h = GadgetHandle(gadget);
  if (h == nullptr) return 0;
  const RECT r = PlaceInParent(h);
  return r.right - r.left;
}

int GadgetHeight(int gadget) {
  HWND h = GadgetHandle(gadget);
  if (h == nullptr) return 0;
  const RECT r = PlaceInParent(h);
  return r.bottom - r.top;
}

void SetGadgetFont(int gadget, HFONT font) {
  if (HWND h = GadgetHandle(gadget)) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
}

void SetGadgetBackColor(int gadget, COLORREF color) {
  GadgetRecord* record = FindGadget(gadget);
  if (record == nullptr) return;
  if (record->background != nullptr) DeleteObject(record->background);
  record->background = CreateSolidBrush(color);
  record->backColor = color;
  if (record->kind == GadgetKind::ReportList) {
    ListView_SetBkColor(record->handle, color);
    ListView_SetTextBkColor(record->handle, color);
  } else if (record->kind == GadgetKind::Tree) {
    TreeView_SetBkColor(record->handle, color);
  }
  InvalidateRect(record->handle, nullptr, TRUE);
}

void SetActiveGadget(int gadget) {
  QuietScope quiet;
  if (HWND h = GadgetHandle(gadget)) SetFocus(h);
}

void SetGadgetRedraw(int gadget, bool redraw) {
  HWND h = GadgetHandle(gadget);
  if (h == nullptr) return;
  SendMessageW(h, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
  if (redraw) InvalidateRect(h, nullptr, TRUE);
}
