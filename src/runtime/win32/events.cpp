// The event queue: window procedures turn what the user does into events, and the two
// waiting calls pump the thread's messages until one is there.

#include "runtime/win32/gui_state.h"

namespace {

int ModifiedKey(WPARAM key) {
  int modified = static_cast<int>(key);
  if (GetKeyState(VK_SHIFT) < 0) modified |= kShortcutShift;
  if (GetKeyState(VK_CONTROL) < 0) modified |= kShortcutControl;
  if (GetKeyState(VK_MENU) < 0) modified |= kShortcutAlt;
  return modified;
}

// A shortcut of the window that holds the focus takes the key before any control sees it.
bool TakeShortcut(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
  const int window = TopWindowNumberOf(msg.hwnd);
  const WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return false;
  const int key = ModifiedKey(msg.wParam);
  for (const auto& shortcut : record->shortcuts) {
    if (shortcut.key == key) {
      PushEvent({kEventMenu, window, -1, shortcut.menuItem, 0});
      return true;
    }
  }
  return false;
}

// Return on a window with a default button clicks it, as in a dialog.
bool TakeReturnForDefaultButton(const MSG& msg) {
  if (msg.message != WM_KEYDOWN || msg.wParam != VK_RETURN) return false;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  const int window = WindowNumberOf(root);
  if (window < 0) return false;
  for (const auto& [number, gadget] : Gui.gadgets) {
    if (gadget.kind != GadgetKind::Button || GetAncestor(gadget.handle, GA_ROOT) != root) continue;
    if ((GetWindowLongW(gadget.handle, GWL_STYLE) & 0xF) != BS_DEFPUSHBUTTON) continue;
    if (!IsWindowEnabled(gadget.handle)) return true;
    PushEvent({kEventGadget, window, number, -1, kEventTypeClick});
    return true;
  }
  return false;
}

void Dispatch(MSG& msg) {
  if (TakeShortcut(msg) || TakeReturnForDefaultButton(msg)) return;
  const HWND root = GetAncestor(msg.hwnd, GA_ROOT);
  // Tab moves the focus between controls; Return and Escape are ours to give.
  const bool dialogKey = msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE);
  if (!dialogKey && root != nullptr && WindowNumberOf(root) >= 0 && IsDialogMessageW(root, &msg)) return;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int TakeEvent() {
  auto& gui = Gui;
  gui.current = gui.queue.front();
  gui.queue.pop_front();
  return gui.current.code;
}

}  // namespace

int WaitWindowEvent() {
  auto& gui = Gui;
  MSG msg;
  while (gui.queue.empty()) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      gui.current = Event();
      if (got < 0) return kEventNone;
      PostQuitMessage(static_cast<int>(msg.wParam));
      return kEventQuit;
    }
    Dispatch(msg);
  }
  return TakeEvent();
}

int WindowEvent() {
  auto& gui = Gui;
  MSG msg;
  while (gui.queue.empty() && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    Dispatch(msg);
  }
  if (gui.queue.empty()) {
    gui.current = Event();
    return kEventNone;
  }
  return TakeEvent();
}

int EventWindow() { return Gui.current.window; }
int EventGadget() { return Gui.current.gadget; }
int EventMenu() { return Gui.current.menu; }
int EventType() { return Gui.current.type; }

namespace {

int CommandEventType(GadgetKind kind, int code) {
  switch (kind) {
    case GadgetKind::Button:
    case GadgetKind::CheckBox:
    case GadgetKind::Option: return code == BN_CLICKED ? kEventTypeClick : -1;
    case GadgetKind::StringField: return code == EN_CHANGE ? kEventTypeChange : -1;
    case GadgetKind::ListBox:
      return code == LBN_SELCHANGE ? kEventTypeClick : code == LBN_DBLCLK ? kEventTypeDoubleClick : -1;
    case GadgetKind::ComboBox:
      return code == CBN_SELCHANGE ? kEventTypeClick : code == CBN_EDITCHANGE ? kEventTypeChange : -1;
    case GadgetKind::ImageBox:
    case GadgetKind::TextLabel: return code == STN_CLICKED ? kEventTypeClick : -1;
    default: return -1;
  }
}

// A right click on a tree item selects it, so that a menu shown for it acts on it.
void SelectTreeItemUnderMouse(HWND tree) {
  TVHITTESTINFO hit{};
  const DWORD pos = GetMessagePos();
  hit.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
  ScreenToClient(tree, &hit.pt);
  const HTREEITEM item = TreeView_HitTest(tree, &hit);
  if (item != nullptr) {
    QuietScope quiet;
    TreeView_SelectItem(tree, item);
  }
}

void ShowCurrentPage(GadgetRecord& panel) {
  const int current = TabCtrl_GetCurSel(panel.handle);
  for (std::size_t i = 0; i < panel.pages.size(); ++i) {
    ShowWindow(panel.pages[i], static_cast<int>(i) == current ? SW_SHOW : SW_HIDE);
  }
}

int NotifyEventType(GadgetRecord& gadget, UINT code) {
  if (gadget.kind == GadgetKind::TabPanel) {
    if (code != TCN_SELCHANGE) return -1;
    ShowCurrentPage(gadget);
    return kEventTypeClick;
  }
  if (gadget.kind != GadgetKind::ReportList && gadget.kind != GadgetKind::Tree) return -1;
  switch (code) {
    case NM_CLICK: return kEventTypeClick;
    case NM_RCLICK:
      if (gadget.kind == GadgetKind::Tree) SelectTreeItemUnderMouse(gadget.handle);
      return kEventTypeRightClick;
    case NM_DBLCLK: return kEventTypeDoubleClick;
    default: return -1;
  }
}

}  // namespace

bool HandleParentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  switch (message) {
    case WM_COMMAND: {
      if (lParam == 0) {
        PushEvent({kEventMenu, TopWindowNumberOf(window), -1, LOWORD(wParam), 0});
        result = 0;
        return true;
      }
      const int number = GadgetNumberOf(reinterpret_cast<HWND>(lParam));
      GadgetRecord* gadget = FindGadget(number);
      if (gadget == nullptr) return false;
      const int type = CommandEventType(gadget->kind, HIWORD(wParam));
      if (type >= 0) PushEvent({kEventGadget, TopWindowNumberOf(window), number, -1, type});
      result = 0;
      return true;
    }
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      const int number = GadgetNumberOf(header->hwndFrom);
      GadgetRecord* gadget = FindGadget(number);
      if (gadget == nullptr) return false;
      const int type = NotifyEventType(*gadget, header->code);
      if (type >= 0) PushEvent({kEventGadget, TopWindowNumberOf(window), number, -1, type});
      return false;  // the default handling still runs
    }
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC: {
      GadgetRecord* gadget = FindGadget(GadgetNumberOf(reinterpret_cast<HWND>(lParam)));
      if (gadget == nullptr || gadget->background == nullptr) return false;
      SetBkColor(reinterpret_cast<HDC>(wParam), gadget->backColor);
      result = reinterpret_cast<LRESULT>(gadget->background);
      return true;
    }
    default: return false;
  }
}
