#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/blit_cache.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/host_handlers.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/menus/rebar_drag.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbars.h"

namespace {

constexpr LONG_PTR kComposited = WS_EX_COMPOSITED;
constexpr LONG_PTR kRebarExStyle = WS_EX_COMPOSITED | WS_EX_TOOLWINDOW;  // 0x2000080
constexpr UINT kToolbarRepaint = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;  // 0x181
constexpr UINT kBarRepaint = RDW_INVALIDATE | RDW_INTERNALPAINT | RDW_ERASE;      // 7
// What the new band layout invalidated is painted at once, over the old background.
constexpr UINT kLaidOutRepaint = RDW_UPDATENOW | RDW_NOERASE;  // 0x120
constexpr UINT kSizingRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_NOFRAME;
constexpr UINT kWholeRepaint = RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_ERASENOW | RDW_FRAME;
constexpr UINT kNonClientMetricsSize = 500;

// The name of the visual style in use; empty (or blank) when none is.
Text CurrentThemeName() {
  const auto address = GetProcAddress(UxTheme.Library, "GetCurrentThemeName");
  if (address == nullptr) return {};
  binding::GetCurrentThemeNameProc getName = nullptr;
  static_assert(sizeof(getName) == sizeof(address));
  std::memcpy(&getName, &address, sizeof(getName));
  wchar_t buffer[128] = {};
  getName(buffer, 100, nullptr, 0, nullptr, 0);
  Text name = FromWide(buffer);
  std::erase(name, u' ');
  return name;
}

void ForgetMenuRenders() {
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (MenuRecord& menu : MenuList()) {
    menu.RenderWidth = 0;
    menu.RenderHeight = 0;
  }
}

// Toolbars that sit in a rebar of `window` (their grandparent).
template <class Action>
void ForEachHostedToolbar(HWND window, Action action) {
  for (ToolbarRecord& toolbar : ToolkitList<ToolbarRecord>(ToolkitListId::Toolbars)) {
    if (toolbar.Window != nullptr && GetParent(GetParent(toolbar.Window)) == window) action(toolbar.Window);
  }
}

void SetComposited(HWND window, bool on) {
  ForEachHostedToolbar(window, [on](HWND toolbar) {
    const LONG_PTR style = GetWindowLongPtrW(toolbar, GWL_EXSTYLE);
    SetWindowLongPtrW(toolbar, GWL_EXSTYLE, on ? (style | kComposited) : (style & ~kComposited));
    if (!on) RedrawWindow(toolbar, nullptr, nullptr, kToolbarRepaint);
  });
}

void LayOutRebar(HWND window, RebarRecord& rebar, int width) {
  if (!rebar.CompositedDone) {
    SetWindowLongPtrW(rebar.Window, GWL_EXSTYLE, kRebarExStyle);
    rebar.CompositedDone = true;
  }
  const int height = static_cast<int>(SendMessageW(rebar.Window, RB_GETBARHEIGHT, 0, 0));
  SendMessageW(rebar.Window, WM_SETREDRAW, FALSE, 0);
  MoveWindow(rebar.Window, 0, 0, width, height, FALSE);
  LayoutRebarBands(window);
  SendMessageW(rebar.Window, WM_SETREDRAW, TRUE, 0);
  RECT update{};
  GetUpdateRect(rebar.Window, &update, FALSE);
  update.top -= 2;
  update.bottom += 2;
  HRGN region = CreateRectRgnIndirect(&update);
  GetUpdateRgn(rebar.Window, region, FALSE);
  if (HostWindows.Sizing) {
    RedrawWindow(rebar.Window, nullptr, region, kSizingRepaint);
  } else {
    RedrawWindow(rebar.Window, nullptr, nullptr, kWholeRepaint);
  }
  DeleteObject(region);
}

SIZE TitleTextSize(HDC dc, HWND toolbar, int index) {
  TBBUTTON button{};
  SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button));
  const int length = static_cast<int>(SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, button.idCommand, reinterpret_cast<LPARAM>(text.data()));
  RECT rect{};
  DrawTextW(dc, text.c_str(), length, &rect, DT_CALCRECT | DT_SINGLELINE);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

}  // namespace

void ResizeTitles(HWND toolbar, std::int32_t style) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ previous = SelectObject(dc, Toolkit.MenuFont);
  const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    const SIZE text = TitleTextSize(dc, toolbar, index);
    const TitleButtonSize size = MenuTitleButtonSize({text.cx, text.cy}, style);
    SendMessageW(toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(size.BarHeight, size.BarHeight));
    TBBUTTONINFOW info{};
    info.cbSize = sizeof(info);
    info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
    info.cx = static_cast<WORD>(size.Width);
    SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info));
  }
  SelectObject(dc, previous);
  DeleteDC(dc);
}

void GrowBarBand(HWND toolbar) {
  HWND rebar = GetParent(toolbar);
  const int bands = static_cast<int>(SendMessageW(rebar, RB_GETBANDCOUNT, 0, 0));
  for (int band = 0; band < bands; ++band) {
    REBARBANDINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE;
    if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info))) continue;
    if (info.hwndChild != toolbar) continue;
    const UINT height = HIWORD(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    info.fMask = RBBIM_CHILDSIZE;
    info.cyMinChild = height;
    info.cyChild = height;
    SendMessageW(rebar, RB_SETBANDINFOW, static_cast<WPARAM>(band), reinterpret_cast<LPARAM>(&info));
  }
}

void HostActivate(HWND window, WPARAM wParam) {
  std::vector<HWND> toolbars;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    const bool inactive = LOWORD(wParam) == WA_INACTIVE;
    for (MenuRecord& menu : MenuList()) {
      if (menu.Window != window) continue;
      menu.Inactive = inactive;
      if (menu.Toolbar != nullptr && std::find(toolbars.begin(), toolbars.end(), menu.Toolbar) == toolbars.end()) {
        toolbars.push_back(menu.Toolbar);
      }
    }
    if (inactive) DestroyTitleShadows(nullptr);
  }
  for (HWND toolbar : toolbars) RedrawWindow(toolbar, nullptr, nullptr, kBarRepaint);
}

void HostSizing(HWND window, bool starting) {
  if (starting) {
    HostWindows.Sizing = true;
    SetComposited(window, true);
    return;
  }
  SetComposited(window, false);
  HostWindows.Sizing = false;
}

void HostSize(HWND window, WPARAM wParam, LPARAM lParam) {
  HostWindows.Maximised = wParam == SIZE_MAXIMIZED;
  for (RebarRecord& rebar : ToolkitList<RebarRecord>(ToolkitListId::Rebars)) {
    if (rebar.Parent == window && rebar.Window != nullptr) LayOutRebar(window, rebar, LOWORD(lParam));
  }
}

void HostThemeChanged() {
  if (UxTheme.Library == nullptr) return;
  ReopenThemeHandles();
  // Without a theme handle the classic look is the one that is left.
  HostWindows.ClassicLook = true;
  if (UxTheme.ThemeScrollbarData != nullptr) {
    if (UxTheme.GetThemeSysColor != nullptr) {
      HostWindows.ThemeCaptionColour = UxTheme.GetThemeSysColor(UxTheme.ThemeScrollbarData, 2);
      DetectThemeColourName(HostWindows.ThemeCaptionColour);
    }
    HostWindows.ClassicLook = CurrentThemeName().empty();
  }
  ReadDwmComposition();
  FreeBlitCaches();
  ForgetMenuRenders();
  // Forced: a new theme colour changes the scheme of colour mode 0 without changing any size.
  RenderRebarBackgrounds(1);
}

void HostMenuMetricsChanged() {
  FreeBlitCaches();
  ForgetMenuRenders();
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = kNonClientMetricsSize;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) return;
  HFONT font = CreateFontIndirectW(&metrics.lfMenuFont);
  if (font == nullptr) return;
  if (Toolkit.MenuFont != nullptr && Toolkit.MenuFont != GetStockObject(DEFAULT_GUI_FONT)) DeleteObject(Toolkit.MenuFont);
  Toolkit.MenuFont = font;
  std::vector<std::pair<HWND, std::int32_t>> bars;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    for (const MenuRecord& menu : MenuList()) {
      if (menu.IsPopup || menu.Toolbar == nullptr) continue;
      bool seen = false;
      for (const auto& bar : bars) seen = seen || bar.first == menu.Toolbar;
      if (!seen) bars.emplace_back(menu.Toolbar, menu.Style);
    }
  }
  for (const auto& [toolbar, style] : bars) {
    ResizeTitles(toolbar, style);
    GrowBarBand(toolbar);
  }
}

void HostGadgetDropped(HWND gadget, bool dropped) {
  if (gadget == nullptr) return;
  ToolkitLockGuard lock(ToolkitLock::MenuBar);
  for (ToolbarButtonRecord& button : ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons)) {
    if (button.GadgetWindow != gadget) continue;
    if (dropped) {
      button.Flags |= 2u;
    } else {
      button.Flags &= ~2u;
      POINT cursor{};
      GetCursorPos(&cursor);
      HWND under = WindowFromPoint(cursor);
      if (under != gadget && !IsChild(gadget, under)) button.Flags &= ~1u;
    }
    RECT rect{};
    GetWindowRect(gadget, &rect);
    MapWindowPoints(nullptr, button.ToolbarWindow, reinterpret_cast<POINT*>(&rect), 2);
    RedrawWindow(button.ToolbarWindow, &rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  }
}

void HostBandDrag(HWND window, NMHDR* header, bool starting) {
  if (starting) {
    const auto* band = reinterpret_cast<const NMREBAR*>(header);
    RebarHooks.BandDragRebar = header->hwndFrom;
    RebarHooks.BandDragId = band->wID;
    if (RebarHooks.BandDragHook == nullptr) {
      RebarHooks.BandDragHook = SetWindowsHookExW(WH_MOUSE, RebarBandDragMouseHook, nullptr, GetCurrentThreadId());
    }
    SetComposited(window, true);
    return;
  }
  if (RebarHooks.BandDragHook != nullptr) UnhookWindowsHookEx(RebarHooks.BandDragHook);
  RebarHooks.BandDragHook = nullptr;
  RebarHooks.BandDragRebar = nullptr;
  SetCursor(Toolkit.ArrowCursor != nullptr ? Toolkit.ArrowCursor : LoadCursorW(nullptr, IDC_ARROW));
  SetComposited(window, false);
}

namespace {

// The toolkit toolbar whose tooltip window is `tooltip`; nullptr when it is none of theirs.
HWND ToolbarOfTooltip(HWND tooltip) {
  if (tooltip == nullptr) return nullptr;
  for (const ToolbarRecord& toolbar : ToolkitList<ToolbarRecord>(ToolkitListId::Toolbars)) {
    if (toolbar.Window != nullptr &&
        reinterpret_cast<HWND>(SendMessageW(toolbar.Window, TB_GETTOOLTIPS, 0, 0)) == tooltip) {
      return toolbar.Window;
    }
  }
  return nullptr;
}

}  // namespace

LRESULT HostTooltipText(NMHDR* header, bool ansi, LRESULT previous) {
  // Toolbars may share a command id: a toolbar's own tooltip window asks for its own text.
  HWND toolbar = ToolbarOfTooltip(header->hwndFrom);
  ToolkitLockGuard lock(ToolkitLock::MenuBar);
  for (ToolbarTooltipRecord& tooltip : ToolbarTooltipList()) {
    if (tooltip.Id != static_cast<std::uint32_t>(header->idFrom)) continue;
    if (toolbar != nullptr && tooltip.Toolbar != toolbar) continue;
    if (ansi) {
      // Sized by the converter: a character may take more than one byte in the code page.
      tooltip.AnsiText = TextToAnsi(tooltip.Text);
      reinterpret_cast<NMTTDISPINFOA*>(header)->lpszText = tooltip.AnsiText.data();
    } else {
      reinterpret_cast<NMTTDISPINFOW*>(header)->lpszText = WideBuffer(tooltip.Text);
    }
    break;
  }
  return previous;
}

void HostLayoutChanged(HWND window, HWND rebar) {
  SendMessageW(rebar, WM_SETREDRAW, FALSE, 0);
  LayoutRebarBands(window);
  SendMessageW(rebar, WM_SETREDRAW, TRUE, 0);
  for (const RebarRecord& record : ToolkitList<RebarRecord>(ToolkitListId::Rebars)) {
    if (record.Parent == window && record.Window != nullptr) {
      RedrawWindow(record.Window, nullptr, nullptr, kLaidOutRepaint);
    }
  }
}
