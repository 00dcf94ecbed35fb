#pragma once
// Menu, popup and window-hook tests: the toolkit in Office 2003 grey with every bar, menu and
// tracking state cleared, a test window, and a probe acting inside the system's modal menu loop.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "../foundation/dib_canvas.h"
#include "runtime/portable/text.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

inline constexpr wchar_t kTestWindowClass[] = L"WindowClass_MenusTest";

struct ReceivedCommand { HWND Window = nullptr; WORD Id = 0; };

class MenusTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Another top-level window of the test class, destroyed after the test.
  HWND MakeWindow();
  // A visible child of the test window (or of `parent`).
  HWND MakeChild(const wchar_t* className, DWORD style, HWND parent = nullptr) {
    return ChildWindow(className, parent != nullptr ? parent : Window, 10, 10, 150, 100, style);
  }
  // Titles "Server", "Commands", "Database", "Info"; title k holds 10k+1 "Item", a separator, 10k+2 "\bLast".
  HWND BuildMenuBar(HWND window);
  // A rebar of the Office 2003 look on the test window whose one band carries `bar`.
  HWND RebarCarrying(HWND bar, UINT width);
  // Sends TBN_DROPDOWN for the bar's button at `index` to its window.
  LRESULT DropDown(HWND bar, int index);

  HWND Window = nullptr;
  std::vector<HWND> Extra;
};

// Every WM_COMMAND the test windows received, in order.
inline std::vector<ReceivedCommand> ReceivedCommands;
// Called with every message a test window receives, before it is handled (cleared by SetUp).
inline std::function<void(UINT)> OnTestWindowMessage;
// A zeroed Win32 structure with its size and `mask` set.
template <typename T> T Sized(UINT mask) { T value{}; value.cbSize = sizeof(T); value.fMask = mask; return value; }
// The item's info for `mask` (fMask zero when the item is missing).
MENUITEMINFOW ItemInfo(HMENU menu, UINT item, bool byPosition, UINT mask);
// A 16 x 16 32-bit bitmap of one opaque colour, deleted with its holder (the toolkit copies images).
struct SolidBitmap {
  explicit SolidBitmap(COLORREF c)
      : Handle(Bitmap32(16, 16, Solid(256, 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c)))) {}
  SolidBitmap(const SolidBitmap&) = delete;
  ~SolidBitmap() { DeleteObject(Handle); }
  operator HBITMAP() const { return Handle; }
  HBITMAP Handle;
};
Text ButtonText(HWND toolbar, int index);
REBARBANDINFOW BandInfo(HWND rebar, int index, UINT mask);
inline WNDPROC ProcedureOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

// Calls `step` every 20 ms while `open` runs the menu loop, ending the menu once `step` says so
// or after `mostTicks` ticks; the number of ticks.
int WhileMenuOpen(const std::function<void()>& open, const std::function<bool()>& step, int mostTicks = 150);
// The first visible popup-menu window of this thread, or nullptr.
HWND OpenPopupWindow();
