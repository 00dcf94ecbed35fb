#include "veloui/toolkit/skin_windows.h"

#include <string>

#include "runtime/win32/gui.h"
#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/toolkit/toolkit.h"

namespace {
Text ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  if (window != nullptr) GetClassNameW(window, name, 256);
  return FromWide(name);
}

int Limited(int extent, int minimum, int maximum) {
  if (minimum > 0 && extent < minimum) extent = minimum;
  if (maximum > 0 && extent > maximum) extent = maximum;
  return extent;
}
}  // namespace

std::int32_t AttachToolkit(HINSTANCE module) {
  Toolkit.Module = module;
  InitToolkit();
  return 0;
}

std::int32_t DetachToolkit() {
  FreeToolkit();
  return 0;
}

std::int32_t AttachToolkitThread() { return 0; }

std::int32_t DetachToolkitThread() { return 0; }

HINSTANCE ToolkitModule() { return Toolkit.Module; }

HWND OpenToolkitWindow(int x, int y, int innerWidth, int innerHeight, TextView title, std::uint32_t flags,
                       HWND owner) {
  const std::intptr_t number = OpenWindow(-1, x, y, innerWidth, innerHeight, title, flags, owner);
  return number > 0 ? WindowHandle(static_cast<int>(number)) : nullptr;
}

std::int32_t SetWindowSizeLimits(HWND window, int minimumWidth, int minimumHeight, int maximumWidth,
                                 int maximumHeight) {
  if (window == nullptr || !IsWindow(window)) return 0;
  // The limits are enforced by the child subclass, which a window made before the window
  // hook was installed does not have yet.
  if (!FindChildRecord(window)) {
    const auto style = static_cast<std::uint32_t>(GetWindowLongW(window, GWL_STYLE));
    SubclassChildWindow(window, ChildKindOfClass(ClassNameOf(window), ClassNameOf(GetParent(window)), style));
  }
  {
    ToolkitLockGuard guard(ToolkitLock::Subclass);
    ChildSubclassRecord& record = ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass)[WindowKey(window)];
    record.Window = window;
    record.MinimumWidth = minimumWidth;
    record.MinimumHeight = minimumHeight;
    record.MaximumWidth = maximumWidth;
    record.MaximumHeight = maximumHeight;
  }
  RECT frame{};
  GetWindowRect(window, &frame);
  const int width = frame.right - frame.left;
  const int height = frame.bottom - frame.top;
  const int limitedWidth = Limited(width, minimumWidth, maximumWidth);
  const int limitedHeight = Limited(height, minimumHeight, maximumHeight);
  if (limitedWidth != width || limitedHeight != height) {
    // Only the size changes: the null insert-after would otherwise raise the window to the
    // top, and the window the user works in would lose the focus to it.
    SetWindowPos(window, nullptr, 0, 0, limitedWidth, limitedHeight, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  return 1;
}

SIZE MeasureBarItemText(HWND window) {
  SIZE size{};
  if (window == nullptr || !IsWindow(window)) return size;
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(length));
  auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
  if (font == nullptr) font = Toolkit.MenuFont;
  HDC dc = CreateCompatibleDC(nullptr);
  if (dc == nullptr) return size;
  HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
  RECT area{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CALCRECT);
  if (previous != nullptr) SelectObject(dc, previous);
  DeleteDC(dc);
  size.cx = area.right - area.left;
  size.cy = area.bottom - area.top;
  return size;
}
