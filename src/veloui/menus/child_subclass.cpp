#include "veloui/menus/child_subclass.h"

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/menus/core/size_limits.h"
#include "veloui/menus/rebars.h"

namespace {
constexpr std::int32_t kTabsExcludedFromOsVersion = 70;

PageLayoutRefresh InstalledPageLayoutRefresh = nullptr;

ToolkitTextMap<ChildSubclassRecord>& ChildMap() {
  return ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass);
}

// The procedure a message goes on to; never this subclass itself, which would call itself
// for ever when a record was overwritten with it.
LRESULT CallPrevious(const ChildSubclassRecord& record, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (record.PreviousProcedure == nullptr || record.PreviousProcedure == &ChildControlWindowProc)
    return DefWindowProcW(window, message, wParam, lParam);
  return CallWindowProcW(record.PreviousProcedure, window, message, wParam, lParam);
}

void ForgetRecord(HWND window) {
  ToolkitLockGuard guard(ToolkitLock::Subclass);
  ChildMap().erase(WindowKey(window));
}

bool IsOurProcedure(HWND window) {
  return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)) == &ChildControlWindowProc;
}

// The record goes only once the window has its own procedure back; when another subclass
// sits above this one, that happens at WM_NCDESTROY, the last message.
LRESULT OnDestroy(const ChildSubclassRecord& record, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const LRESULT result = CallPrevious(record, window, message, wParam, lParam);
  if (message == WM_NCDESTROY || IsOurProcedure(window)) {
    if (IsOurProcedure(window) && record.PreviousProcedure != nullptr &&
        record.PreviousProcedure != &ChildControlWindowProc)
      SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(record.PreviousProcedure));
    ForgetRecord(window);
  }
  return result;
}

void OnPositionChanging(HWND window, WINDOWPOS& position) {
  SizeLimits limits;
  {
    ToolkitLockGuard guard(ToolkitLock::Subclass);
    auto found = ChildMap().find(WindowKey(window));
    if (found == ChildMap().end()) return;
    found->second.Tracked = 0;
    limits = {found->second.MinimumWidth, found->second.MinimumHeight, found->second.MaximumWidth,
              found->second.MaximumHeight};
  }
  if (FindRebarRecord(reinterpret_cast<std::intptr_t>(window)) != nullptr) {
    ForwardRebarMessage(reinterpret_cast<std::intptr_t>(window), position.cy);
  }
  RECT current{};
  GetWindowRect(window, &current);
  if (HWND parent = GetAncestor(window, GA_PARENT); parent != nullptr && (GetWindowLongW(window, GWL_STYLE) & WS_CHILD))
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&current), 2);
  ProposedPlacement placement{position.x, position.y, position.cx, position.cy, position.flags};
  EnforceSizeLimits(placement, current.left, current.top, limits);
  position.x = placement.X;
  position.y = placement.Y;
  position.cx = placement.Width;
  position.cy = placement.Height;
}

void KeepTransparentInPage(HWND window, const ChildSubclassRecord& record) {
  if (record.TransparentInPanel == 0) return;
  const LONG_PTR extended = GetWindowLongPtrW(window, GWL_EXSTYLE);
  const bool transparent = (extended & WS_EX_TRANSPARENT) != 0;
  const bool in_page = PanelExPageAround(GetParent(window)) != nullptr;
  // A panel carries no other extended style of its own: the style is set whole, not edited.
  if (in_page && !transparent) {
    WriteDebugLog(u"windowshow in panelex: setting to ws_wx_transparent");
    SetWindowLongPtrW(window, GWL_EXSTYLE, WS_EX_TRANSPARENT);
  } else if (!in_page && transparent) {
    WriteDebugLog(u"windowshow not in panelex: setting to not ws_wx_transparent");
    SetWindowLongPtrW(window, GWL_EXSTYLE, 0);
  }
}

void OnPlacedOrShown(HWND window, UINT message, WPARAM wParam, const ChildSubclassRecord& record) {
  HWND parent = GetParent(window);
  if (parent != nullptr && InstalledPageLayoutRefresh != nullptr && ChildKindOfWindow(parent) == ChildKindPanelExPage)
    InstalledPageLayoutRefresh(parent);
  if (message != WM_SHOWWINDOW) return;
  WriteDebugLog(u"show: " + DecimalText(static_cast<std::int64_t>(wParam)));
  KeepTransparentInPage(window, record);
}

// Shown as far as its page is concerned, whatever the page's own ancestors are.
bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

bool IsGroupBoxInPage(HWND window, std::int32_t kind) {
  if (kind != ChildKindGroupBox) return false;
  wchar_t name[64] = {};
  GetClassNameW(GetParent(window), name, 64);
  return SameClassName(FromWide(name), u"VeloUI_PanelExPage");
}

void ExcludeRectOf(HWND child, HWND page, HDC dc) {
  RECT area{};
  GetWindowRect(child, &area);
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&area), 2);
  ExcludeClipRect(dc, area.left, area.top, area.right, area.bottom);
}

struct PanelsInPage {
  HWND Page;
  HDC DC;
};

BOOL CALLBACK ExcludePanelProc(HWND child, LPARAM lParam) {
  const auto* panels = reinterpret_cast<const PanelsInPage*>(lParam);
  if (GetParent(child) == panels->Page && HasVisibleStyle(child) && ChildKindOfWindow(child) == ChildKindPanelEx)
    ExcludeRectOf(child, panels->Page, panels->DC);
  return TRUE;
}

void ExcludePageChildren(HWND page, HDC dc) {
  EnumChildWindows(page, ExcludeChildClipProc, reinterpret_cast<LPARAM>(dc));
  PanelsInPage panels{page, dc};
  EnumChildWindows(page, ExcludePanelProc, reinterpret_cast<LPARAM>(&panels));
}

// A scroll bar of the page window in page co-ordinates, or an empty rectangle when hidden.
RECT VisibleScrollBar(HWND page, LONG which) {
  SCROLLBARINFO info{};
  info.cbSize = sizeof(info);
  if (!GetScrollBarInfo(page, which, &info)) return {};
  if ((info.rgstate[0] & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_OFFSCREEN)) != 0) return {};
  RECT bar = info.rcScrollBar;
  MapWindowPoints(nullptr, page, reinterpret_cast<POINT*>(&bar), 2);
  return bar;
}
}  // namespace

void InstallPageLayoutRefresh(PageLayoutRefresh refresh) { InstalledPageLayoutRefresh = refresh; }

std::optional<ChildSubclassRecord> FindChildRecord(HWND window) {
  ToolkitLockGuard guard(ToolkitLock::Subclass);
  auto found = ChildMap().find(WindowKey(window));
  if (found == ChildMap().end()) return std::nullopt;
  return found->second;
}

std::int32_t ChildKindOfWindow(HWND window) {
  if (window == nullptr) return ChildKindPassThrough;
  const auto record = FindChildRecord(window);
  return record ? record->Kind : ChildKindPassThrough;
}

HWND PanelExPageAround(HWND window) {
  HWND page = nullptr;
  for (HWND at = window; at != nullptr; at = GetParent(at))
    if (ChildKindOfWindow(at) == ChildKindPanelExPage) page = at;
  return page;
}

WNDPROC SubclassChildWindow(HWND window, ChildKind kind) {
  WNDPROC previous = nullptr;
  {
    ToolkitLockGuard guard(ToolkitLock::Subclass);
    ChildSubclassRecord& record = ChildMap()[WindowKey(window)];
    const bool ours = IsOurProcedure(window);
    // A handle seen again belongs to a new window: nothing of the old record holds.
    const WNDPROC kept = ours ? record.PreviousProcedure : nullptr;
    record = ChildSubclassRecord{};
    record.Window = window;
    record.Tracked = 1;
    record.Kind = kind;
    record.TransparentInPanel = kind == ChildKindPanelEx ? 1 : 0;
    record.PreviousProcedure = ours ? kept
                                    : reinterpret_cast<WNDPROC>(SetWindowLongPtrW(
                                          window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ChildControlWindowProc)));
    previous = record.PreviousProcedure;
  }
  WriteDebugLog(u"trackwin: " + DecimalText(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(window))) +
                u" callback: " + DecimalText(static_cast<std::int64_t>(reinterpret_cast<std::uintptr_t>(previous))));
  if (kind == ChildKindToolbar)
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | CCS_NODIVIDER);
  return previous;
}

LRESULT CALLBACK ChildControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::optional<ChildSubclassRecord> record = FindChildRecord(window);
  if (!record) return 0;
  if (const LRESULT handled = TrackChildHotState(window, message, wParam, lParam, record->Kind); handled != 0)
    return handled;
  switch (message) {
    case WM_WINDOWPOSCHANGING:
      if (lParam != 0) OnPositionChanging(window, *reinterpret_cast<WINDOWPOS*>(lParam));
      break;
    case WM_WINDOWPOSCHANGED:
    case WM_SHOWWINDOW: {
      const LRESULT result = CallPrevious(*record, window, message, wParam, lParam);
      OnPlacedOrShown(window, message, wParam, *record);
      return result;
    }
    case WM_PAINT:
      if (IsGroupBoxInPage(window, record->Kind)) {
        // The page paints the frame of a group box standing on it.
        PAINTSTRUCT paint;
        BeginPaint(window, &paint);
        EndPaint(window, &paint);
        return 1;
      }
      break;
    case WM_ERASEBKGND:
      if (record->Kind == ChildKindPanelExPage && HasVisibleStyle(window) && wParam != 0)
        ExcludePageChildren(window, reinterpret_cast<HDC>(wParam));
      break;
    case WM_DESTROY:
    case WM_NCDESTROY:
      return OnDestroy(*record, window, message, wParam, lParam);
    default:
      break;
  }
  return CallPrevious(*record, window, message, wParam, lParam);
}

BOOL CALLBACK ExcludeChildClipProc(HWND child, LPARAM lParam) {
  const auto dc = reinterpret_cast<HDC>(lParam);
  HWND page = WindowFromDC(dc);
  if (page == nullptr) page = GetParent(child);
  if (GetParent(child) != page || !HasVisibleStyle(child)) return TRUE;
  const std::int32_t kind = ChildKindOfWindow(child);
  // Transparent children stay in the clip region: the page paints behind them.
  const bool transparent = (GetWindowLongPtrW(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
  const bool tab_allowed = kind != ChildKindTabControl || SystemFacts.OsVersionCode >= kTabsExcludedFromOsVersion;
  if (!transparent && tab_allowed) ExcludeRectOf(child, page, dc);
  const RECT horizontal = VisibleScrollBar(page, OBJID_HSCROLL);
  const RECT vertical = VisibleScrollBar(page, OBJID_VSCROLL);
  if (!IsRectEmpty(&horizontal)) ExcludeClipRect(dc, horizontal.left, horizontal.top, horizontal.right, horizontal.bottom);
  if (!IsRectEmpty(&vertical)) ExcludeClipRect(dc, vertical.left, vertical.top, vertical.right, vertical.bottom);
  if (!IsRectEmpty(&horizontal) && !IsRectEmpty(&vertical)) {
    const RECT box{vertical.left, horizontal.top, vertical.right, horizontal.bottom};
    FillRect(dc, &box, GetSysColorBrush(COLOR_BTNFACE));
    ExcludeClipRect(dc, box.left, box.top, box.right, box.bottom);
  }
  return TRUE;
}
