// Top-level windows: opening with the runtime's flags, their state and geometry, and the
// window procedure that turns size and close into events.
#include "runtime/win32/gui_state.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

constexpr DWORD kStyleBits = kWindowMaximizeBox | kWindowMinimizeBox | kWindowSizeable | kWindowSystemMenu;

// A minimised or maximised window keeps the geometry it last had in normal state.
void RecordNormalGeometry(HWND window) {
  const int number = WindowNumberOf(window);
  WindowRecord* record = FindWindowRecord(number);
  if (record == nullptr || IsIconic(window) || IsZoomed(window)) return;
  record->normal = {WindowX(number), WindowY(number), WindowInnerWidth(number), WindowInnerHeight(number)};
}

LRESULT CALLBACK TopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleParentMessage(window, message, wParam, lParam, result)) return result;
  switch (message) {
    case WM_CLOSE:
      PushEvent({kEventCloseWindow, WindowNumberOf(window), -1, -1, 0});
      return 0;
    case WM_MOVE: RecordNormalGeometry(window); break;
    case WM_SIZE:
      RecordNormalGeometry(window);
      for (const auto& [number, bar] : Gui.statusBars) {
        if (GetParent(bar.handle) != window) continue;
        SendMessageW(bar.handle, WM_SIZE, 0, 0);
        // The bar draws its size grip at its right edge, yet a bar made wider may get only the
        // uncovered strip repainted (Wine's does): the old grip would stay drawn where the edge
        // was, two of them after a maximise.
        InvalidateRect(bar.handle, nullptr, TRUE);
      }
      PushEvent({kEventSizeWindow, WindowNumberOf(window), -1, -1, 0});
      break;
    default: break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

Text ClassNameFor(int window) { return u"WindowClass_" + DecimalText(window); }

bool RegisterWindowClass(const Text& name) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), Wide(name), &existing)) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = TopWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = Wide(name);
  wc.hIcon = LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1));
  return RegisterClassExW(&wc) != 0;
}

RECT CenteredOn(HWND over, int width, int height) {
  RECT area{};
  if (over != nullptr) {
    GetWindowRect(over, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const int x = area.left + (area.right - area.left - width) / 2;
  const int y = area.top + (area.bottom - area.top - height) / 2;
  return {x, y, x + width, y + height};
}

}  // namespace

std::intptr_t OpenWindow(int window, int x, int y, int innerWidth, int innerHeight, TextView title,
                         std::uint32_t flags, HWND owner) {
  if (window < -1) return 0;
  const int number = TakeNumber(window);
  if (IsWindowNumber(number)) FreeWindow(number);
  RegisterGadgetClasses();
  const Text className = ClassNameFor(number);
  if (!RegisterWindowClass(className)) return 0;

  const DWORD style = WS_CAPTION | WS_CLIPCHILDREN | (flags & kStyleBits);
  RECT frame{0, 0, innerWidth, innerHeight};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  // x and y place the outer frame, as WindowX and WindowY report it, so a saved position
  // opens the window where it was.
  int left = x;
  int top = y;
  HWND over = nullptr;
  bool center = (flags & kWindowCentered) != 0;
  if (flags & kWindowCenteredOnOwner) {
    over = owner != nullptr ? owner : GetActiveWindow();
    center = over != nullptr;
  }
  if (center) {
    const RECT placed = CenteredOn(over, width, height);
    left = placed.left;
    top = placed.top;
  }
  const Text titleText(title);
  HWND handle = CreateWindowExW(0, Wide(className), Wide(titleText), style, left, top, width, height,
                                owner, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (handle == nullptr) return 0;
  WindowRecord record;
  record.handle = handle;
  record.showCommand = (flags & kWindowMaximized)   ? SW_SHOWMAXIMIZED
                       : (flags & kWindowMinimized) ? SW_SHOWMINIMIZED
                                                    : SW_SHOW;
  Gui.windows[number] = record;
  RecordNormalGeometry(handle);
  Gui.gadgetLists = {handle};
  Gui.lastWasOption = false;
  if (!(flags & kWindowInvisible)) HideWindow(number, false);
  return window == -1 ? number : reinterpret_cast<std::intptr_t>(handle);
}

void FreeWindow(int window) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return;
  const HWND handle = record->handle;
  auto& gui = Gui;
  for (auto it = gui.gadgets.begin(); it != gui.gadgets.end();) {
    if (GetAncestor(it->second.handle, GA_ROOT) == handle || !IsWindow(it->second.handle)) {
      if (it->second.imageList != nullptr) ImageList_Destroy(it->second.imageList);
      if (it->second.background != nullptr) DeleteObject(it->second.background);
      it = gui.gadgets.erase(it);
    } else {
      ++it;
    }
  }
  for (auto it = gui.statusBars.begin(); it != gui.statusBars.end();) {
    it = GetParent(it->second.handle) == handle ? gui.statusBars.erase(it) : std::next(it);
  }
  gui.windows.erase(window);
  std::erase_if(gui.queue, [window](const Event& e) { return e.window == window; });
  QuietScope quiet;
  DestroyWindow(handle);
}

bool IsWindowNumber(int window) { return FindWindowRecord(window) != nullptr; }

HWND WindowHandle(int window) {
  const WindowRecord* record = FindWindowRecord(window);
  return record != nullptr ? record->handle : nullptr;
}

void SetWindowTitle(int window, TextView title) {
  if (HWND handle = WindowHandle(window)) SetWindowTextW(handle, Wide(Text(title)));
}

Text WindowTitle(int window) {
  HWND handle = WindowHandle(window);
  if (handle == nullptr) return Text();
  Text text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, u'\0');
  text.resize(static_cast<std::size_t>(GetWindowTextW(handle, WideBuffer(text), static_cast<int>(text.size()))));
  return text;
}

void DisableWindow(int window, bool disabled) {
  if (HWND handle = WindowHandle(window)) EnableWindow(handle, disabled ? FALSE : TRUE);
}

void HideWindow(int window, bool hidden) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return;
  QuietScope quiet;
  if (hidden) {
    ShowWindow(record->handle, SW_HIDE);
    return;
  }
  ShowWindow(record->handle, record->shown ? SW_SHOW : record->showCommand);
  record->shown = true;
  UpdateWindow(record->handle);
}

std::int32_t WindowState(int window) {
  HWND handle = WindowHandle(window);
  if (handle == nullptr) return 0;
  if (IsIconic(handle)) return static_cast<std::int32_t>(kWindowMinimized);
  if (IsZoomed(handle)) return static_cast<std::int32_t>(kWindowMaximized);
  return 0;
}

int WindowX(int window) {
  RECT r{};
  if (HWND handle = WindowHandle(window)) GetWindowRect(handle, &r);
  return r.left;
}

int WindowY(int window) {
  RECT r{};
  if (HWND handle = WindowHandle(window)) GetWindowRect(handle, &r);
  return r.top;
}

int WindowInnerWidth(int window) {
  RECT r{};
  if (HWND handle = WindowHandle(window)) GetClientRect(handle, &r);
  return r.right;
}

int WindowInnerHeight(int window) {
  RECT r{};
  if (HWND handle = WindowHandle(window)) GetClientRect(handle, &r);
  return r.bottom;
}

WindowGeometry WindowNormalGeometry(int window) {
  const WindowRecord* record = FindWindowRecord(window);
  return record != nullptr ? record->normal : WindowGeometry();
}

void ResizeWindow(int window, int x, int y, int innerWidth, int innerHeight) {
  HWND handle = WindowHandle(window);
  if (handle == nullptr) return;
  RECT outer{}, inner{};
  GetWindowRect(handle, &outer);
  GetClientRect(handle, &inner);
  const int extraW = (outer.right - outer.left) - inner.right;
  const int extraH = (outer.bottom - outer.top) - inner.bottom;
  const int left = x == kKeep ? outer.left : x;
  const int top = y == kKeep ? outer.top : y;
  const int width = innerWidth == kKeep ? outer.right - outer.left : innerWidth + extraW;
  const int height = innerHeight == kKeep ? outer.bottom - outer.top : innerHeight + extraH;
  QuietScope quiet;
  MoveWindow(handle, left, top, width, height, TRUE);
}

void SetWindowFlickerFree(int window) {
  HWND handle = WindowHandle(window);
  if (handle == nullptr) return;
  SetWindowLongW(handle, GWL_STYLE, GetWindowLongW(handle, GWL_STYLE) | WS_CLIPCHILDREN | WS_CLIPSIBLINGS);
}

void AddKeyboardShortcut(int window, int key, int menuItem) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return;
  RemoveKeyboardShortcut(window, key);
  record->shortcuts.push_back({key, menuItem});
}

void RemoveKeyboardShortcut(int window, int key) {
  WindowRecord* record = FindWindowRecord(window);
  if (record == nullptr) return;
  std::erase_if(record->shortcuts, [key](const Shortcut& s) { return s.key == key; });
}
