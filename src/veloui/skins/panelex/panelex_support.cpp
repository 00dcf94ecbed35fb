#include "veloui/skins/panelex/panelex_support.h"

#include <algorithm>
#include <vector>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/skins/core/panelex_rules.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
constexpr UINT kMovePageFlags = 0x31C;   // no z-order, activation, owner z-order, copied bits or redraw
constexpr UINT kMoveChildFlags = 0x71D;  // as above, also no size and no changing message
constexpr UINT kRedrawChildFlags = RDW_INVALIDATE | RDW_ERASE | RDW_FRAME;

RECT ClientRectIn(HWND window, HWND reference) {
  RECT area{};
  GetClientRect(window, &area);
  MapWindowPoints(window, reference, reinterpret_cast<POINT*>(&area), 2);
  return area;
}

RECT ClientRectOf(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  return area;
}

bool IsVisibleWindow(HWND window) { return window != nullptr && IsWindowVisible(window); }
bool HasVisibleStyle(HWND window) { return (GetWindowLongW(window, GWL_STYLE) & WS_VISIBLE) != 0; }

struct BarThickness {
  std::int32_t X, Y;
};
BarThickness ScrollBarThickness() { return {GetSystemMetrics(SM_CXHTHUMB), GetSystemMetrics(SM_CYVTHUMB)}; }

void SetBarShown(HWND bar, bool shown) {
  if (bar != nullptr) ShowWindow(bar, shown ? SW_SHOWNA : SW_HIDE);
}

// Shows or hides one bar as the content asks; hiding scrolls the page back to the start.
void ApplyBarChange(PanelExPageRecord& page, bool horizontal, ScrollBarChange change) {
  HWND bar = horizontal ? page.HScrollBar : page.VScrollBar;
  std::int32_t& shown = horizontal ? page.HScrollShown : page.VScrollShown;
  std::int32_t& position = horizontal ? page.HScrollPos : page.VScrollPos;
  if (change == ScrollBarChange::Show) {
    SetBarShown(bar, page.Shown != 0);  // a page not shown keeps its bars out of sight
    shown = 1;
  } else if (change == ScrollBarChange::Hide) {
    if (bar != nullptr) SetScrollPos(bar, SB_CTL, 0, FALSE);
    if (horizontal)
      MovePanelExPage(position, 0);
    else
      MovePanelExPage(0, position);
    position = 0;
    SetBarShown(bar, false);
    shown = 0;
  }
}

// Gives a shown bar its range and page and returns the position it then holds.
std::int32_t SetBarRange(HWND bar, std::int32_t content, std::int32_t page) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMax = content;
  info.nPage = static_cast<UINT>(std::max(page, 0));
  SetScrollInfo(bar, SB_CTL, &info, FALSE);
  info.fMask = SIF_POS;
  GetScrollInfo(bar, SB_CTL, &info);
  return info.nPos;
}

// Each move also lifts the part to the top of its siblings, above the page it scrolls, so that
// the mouse reaches it where the two overlap.
void PlaceBar(HWND bar, const ScrollPartRect& place) {
  if (bar != nullptr) SetWindowPos(bar, HWND_TOP, place.X, place.Y, place.Width, place.Height, SWP_NOREDRAW);
}

void HideIfVisible(HWND window) {
  if (window != nullptr && HasVisibleStyle(window)) ShowWindow(window, SW_HIDE);
}

// Validates `area` (client co-ordinates of `window`) in the panel that encloses it, so that
// the window paints it by itself.
void LeaveToItself(HWND window, RECT area) {
  HWND enclosing = GetParent(FindPanelExPageOfWindow(window));
  if (enclosing == nullptr) return;
  MapWindowPoints(window, enclosing, reinterpret_cast<POINT*>(&area), 2);
  ClipRectToPanelEx(area, window, enclosing);
  ValidateRect(enclosing, &area);
}

void LeaveSizeBoxesToThemselves(HWND panel) {
  std::vector<HWND> boxes;
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    for (const PanelExPageRecord& page : PanelExPages())
      if (page.PanelWindow == panel && page.Shown != 0 && IsVisibleWindow(page.SizeBox)) boxes.push_back(page.SizeBox);
  }
  for (HWND box : boxes) {
    InvalidateRect(box, nullptr, FALSE);
    LeaveToItself(box, ClientRectOf(box));
  }
}
}  // namespace

HWND FindPanelExPageOfWindow(HWND window) {
  HWND found = window;
  for (HWND at = window; at != nullptr; at = GetParent(at))
    if (ChildKindOfWindow(at) == ChildKindPanelExPage) found = at;
  return found;
}

std::int32_t ClipRectToPanelEx(RECT& rect, HWND window, HWND reference) {
  if (reference == nullptr) reference = GetParent(FindPanelExPageOfWindow(window));
  for (HWND at = GetParent(window); at != nullptr; at = GetParent(at)) {
    if (ChildKindOfWindow(at) != ChildKindPanelEx) continue;
    const RECT visible = ClientRectIn(at, reference);
    IntersectRect(&rect, &rect, &visible);
  }
  return 0;
}

std::int32_t MovePanelExPage(std::int32_t dx, std::int32_t dy) {
  ClearPanelExBrushCache();
  const PanelExPageRecord* page = PanelEx().CurrentPageRecord;
  if (page == nullptr || page->Window == nullptr) return 0;
  const std::int32_t content_width = page->ContentRight - page->ContentLeft;
  const std::int32_t content_height = page->ContentBottom - page->ContentTop;
  const RECT place = ClientRectIn(page->Window, page->PanelWindow);
  RECT panel = ClientRectOf(page->PanelWindow);
  if ((page->ScrollOptions & kPanelExScrollOutside) != 0) {
    // The bars stand beside the page instead of over it.
    const BarThickness thick = ScrollBarThickness();
    if (page->VScrollShown != 0) panel.right -= thick.X;
    if (page->HScrollShown != 0) panel.bottom -= thick.Y;
  }
  const std::int32_t width = std::max<std::int32_t>(content_width, panel.right);
  const std::int32_t height = std::max<std::int32_t>(content_height, panel.bottom);
  SetWindowPos(page->Window, nullptr, place.left + dx, place.top + dy, width + 1, height + 1, kMovePageFlags);
  return 0;
}

std::int32_t UpdatePanelExScrollInfo() {
  PanelExPageRecord* page = PanelEx().CurrentPageRecord;
  if (page == nullptr || page->AutoScroll == 0) return 0;
  const std::int32_t content_width = page->ContentRight - page->ContentLeft;
  const std::int32_t content_height = page->ContentBottom - page->ContentTop;
  const RECT panel = ClientRectOf(page->PanelWindow);
  const BarThickness thick = ScrollBarThickness();
  ApplyBarChange(*page, true,
                 DecideScrollBar(content_width, panel.right, page->VScrollShown != 0, thick.X, page->HScrollShown != 0,
                                 page->NoHorizontal != 0));
  ApplyBarChange(*page, false,
                 DecideScrollBar(content_height, panel.bottom, page->HScrollShown != 0, thick.Y,
                                 page->VScrollShown != 0, page->NoVertical != 0));
  if (page->HScrollShown != 0 && page->HScrollBar != nullptr) {
    const std::int32_t held = SetBarRange(page->HScrollBar, content_width,
                                          ScrollBarPageSize(panel.right, page->VScrollShown != 0, thick.X));
    MovePanelExPage(page->HScrollPos - held, 0);
    page->HScrollPos = held;
  }
  if (page->VScrollShown != 0 && page->VScrollBar != nullptr) {
    const std::int32_t held = SetBarRange(page->VScrollBar, content_height,
                                          ScrollBarPageSize(panel.bottom, page->HScrollShown != 0, thick.Y));
    MovePanelExPage(0, page->VScrollPos - held);
    page->VScrollPos = held;
  }
  return 0;
}

std::int32_t LayoutPanelExScrollBars() {
  const PanelExPageRecord* page = PanelEx().CurrentPageRecord;
  if (page == nullptr) return 0;
  const RECT panel = ClientRectOf(page->PanelWindow);
  const BarThickness thick = ScrollBarThickness();
  const bool horizontal = page->HScrollShown != 0;
  const bool vertical = page->VScrollShown != 0;
  const ScrollPartsLayout layout = LayoutScrollParts(panel.right, panel.bottom, thick.X, thick.Y, horizontal, vertical);
  if (horizontal && vertical && page->HScrollBar != nullptr && page->VScrollBar != nullptr && page->SizeBox != nullptr) {
    HDWP batch = BeginDeferWindowPos(3);
    const auto defer = [&](HWND window, const ScrollPartRect& at, UINT extra) {
      if (batch != nullptr)
        batch = DeferWindowPos(batch, window, HWND_TOP, at.X, at.Y, at.Width, at.Height, SWP_NOREDRAW | extra);
    };
    defer(page->HScrollBar, layout.Horizontal, 0);
    defer(page->VScrollBar, layout.Vertical, 0);
    defer(page->SizeBox, layout.SizeBox, HasVisibleStyle(page->SizeBox) || page->Shown == 0 ? 0 : SWP_SHOWWINDOW);
    if (batch != nullptr) EndDeferWindowPos(batch);
  } else if (horizontal) {
    PlaceBar(page->HScrollBar, layout.Horizontal);
    HideIfVisible(page->SizeBox);
  } else if (vertical) {
    PlaceBar(page->VScrollBar, layout.Vertical);
    HideIfVisible(page->SizeBox);
  } else {
    HideIfVisible(page->SizeBox);
  }
  return 0;
}

HWND RedrawTransparentChildren(HWND window) {
  TakeToolkitLock(ToolkitLock::Subclass);
  HWND page = FindPanelExPageOfWindow(window);
  HWND panel = GetParent(page);
  HWND parent = GetParent(window);
  RECT area = ClientRectIn(parent, panel);
  const PanelExPageRecord* current = PanelEx().CurrentPageRecord;
  if (current != nullptr && current->VScrollShown != 0) area.right -= ClientRectOf(current->VScrollBar).right;
  if (current != nullptr && current->HScrollShown != 0) area.bottom -= ClientRectOf(current->HScrollBar).bottom;
  InvalidateRect(panel, &area, FALSE);
  if (current != nullptr && IsVisibleWindow(current->SizeBox)) InvalidateRect(current->SizeBox, nullptr, FALSE);
  EnumChildWindows(window, RedrawTransparentChildProc, 0);
  ReleaseToolkitLock(ToolkitLock::Subclass);
  return page;
}

BOOL CALLBACK RedrawTransparentChildProc(HWND child, LPARAM) {
  const std::int32_t kind = ChildKindOfWindow(child);
  if (kind == ChildKindPanelEx) {
    LeaveSizeBoxesToThemselves(child);
  } else if (kind == ChildKindProgress) {
    InvalidateRect(child, nullptr, FALSE);
    LeaveToItself(child, ClientRectOf(child));
  } else if (kind != ChildKindPanelExPage && IsWindowVisible(child)) {
    const LONG style = GetWindowLongW(child, GWL_STYLE);
    if (kind != ChildKindTabControl) SetWindowLongW(child, GWL_STYLE, style | WS_CLIPSIBLINGS | WS_CLIPCHILDREN);
    ReleaseToolkitLock(ToolkitLock::Subclass);
    RedrawWindow(child, nullptr, nullptr, kRedrawChildFlags);
    SetWindowLongW(child, GWL_STYLE, style);
    TakeToolkitLock(ToolkitLock::Subclass);
  }
  return TRUE;
}

BOOL CALLBACK ScrollChildProc(HWND child, LPARAM lParam) {
  auto& params = *reinterpret_cast<ChildScrollParams*>(lParam);
  if (!HasVisibleStyle(child) || GetParent(child) != params.Parent) return TRUE;
  RECT area{};
  GetWindowRect(child, &area);
  MapWindowPoints(nullptr, params.Parent, reinterpret_cast<POINT*>(&area), 2);
  if (params.Mode == kChildScrollMeasure) {
    params.Left = std::min<std::int32_t>(params.Left, area.left);
    params.Top = std::min<std::int32_t>(params.Top, area.top);
    params.Right = std::max<std::int32_t>(params.Right, area.right);
    params.Bottom = std::max<std::int32_t>(params.Bottom, area.bottom);
  } else {
    SetWindowPos(child, nullptr, area.left + params.Left, area.top + params.Top, 0, 0, kMoveChildFlags);
  }
  return TRUE;
}

BOOL CALLBACK ReparentChildProc(HWND child, LPARAM lParam) {
  // Only the page's own children move: a combo box keeps its edit, a list its header.
  const auto& move = *reinterpret_cast<const ReparentParams*>(lParam);
  if (GetParent(child) == move.From) SetParent(child, move.To);
  return TRUE;
}

std::int32_t RefreshCurrentPanelExPage() {
  ClearPanelExBrushCache();
  PanelExPageRecord* page = PanelEx().CurrentPageRecord;
  if (page == nullptr || page->Window == nullptr) return 0;
  HWND page_window = page->Window;
  HWND outer = RedrawTransparentChildren(page_window);
  ReleaseToolkitLock(ToolkitLock::PanelEx);
  const RECT area = ClientRectIn(page_window, outer);
  // The page itself is repainted too: its alpha may be what changed.
  RedrawWindow(outer, &area, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  TakeToolkitLock(ToolkitLock::PanelEx);
  // The page may have been freed while the lock was free.
  MakePageCurrent(IsLivePage(page) ? page : nullptr);
  return 0;
}

std::int32_t SetPanelExPageAlpha(std::intptr_t panel, std::intptr_t page, std::uint16_t alpha, std::uint8_t noRefresh) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  PanelExState& state = PanelEx();
  PanelExPageRecord* const saved = state.CurrentPageRecord;
  PanelExRecord* const found_panel = FindPanelExRecord(panel);
  PanelExPageRecord* const found = found_panel != nullptr ? FindPanelExPageRecord(found_panel->Window, page) : nullptr;
  if (found == nullptr) return 0;
  found->Alpha = alpha;
  if (noRefresh == 0) {
    // Another thread never redraws the panel itself: the redraw would wait for the panel's
    // thread while this one holds the lock that thread may be waiting for.
    if (GetWindowThreadProcessId(found_panel->Window, nullptr) != GetCurrentThreadId()) {
      PostMessageW(found_panel->Window, kPanelExRefreshMessage, 0, reinterpret_cast<LPARAM>(found->Window));
    } else {
      MakePageCurrent(found);
      RefreshCurrentPanelExPage();
    }
  }
  MakePageCurrent(IsLivePage(saved) ? saved : nullptr);
  return 1;
}

void RefreshPanelExPageLayout(HWND pageWindow) {
  HWND scroll_parts[3] = {};
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    PanelExPageRecord* page = FindPageRecordOfWindow(pageWindow);
    if (page == nullptr) return;
    scroll_parts[0] = page->HScrollBar;
    scroll_parts[1] = page->VScrollBar;
    scroll_parts[2] = page->SizeBox;
    PanelExPageRecord* const saved = PanelEx().CurrentPageRecord;
    MakePageCurrent(page);
    // Every page: one without automatic scrolling keeps the bars it was given at the panel's edges.
    ChildScrollParams measure{pageWindow};
    EnumChildWindows(pageWindow, ScrollChildProc, reinterpret_cast<LPARAM>(&measure));
    page->ContentRight = measure.Right;
    page->ContentBottom = measure.Bottom;
    UpdatePanelExScrollInfo();
    LayoutPanelExScrollBars();
    MakePageCurrent(IsLivePage(saved) ? saved : nullptr);
  }
  RedrawWindow(pageWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_NOERASE | RDW_NOFRAME);
  // They were moved without redrawing: each is repainted whole, frame and background, at its
  // new place, and hears of that place once more, as after a move of its own.
  for (HWND part : scroll_parts) {
    if (part == nullptr || !IsWindowVisible(part)) continue;
    RedrawWindow(part, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
    SetWindowPos(part, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}
