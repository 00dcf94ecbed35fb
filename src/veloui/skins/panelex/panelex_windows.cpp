#include <algorithm>

#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/image_effects.h"
#include "veloui/menus/animation_thread.h"
#include "veloui/menus/child_subclass.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_free.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
constexpr wchar_t kPanelClass[] = L"VeloUI_PanelEx";
constexpr wchar_t kPageClass[] = L"VeloUI_PanelExPage";
constexpr wchar_t kBoxClass[] = L"VeloUI_ScrollbarBox";
constexpr UINT kRebarHeightMessage = 0x8953;

void RegisterOnce(const wchar_t* name, WNDPROC procedure) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof(existing);
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing)) return;
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.style = CS_DBLCLKS;
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

// The window hook sorts new windows by class; without the hook (a toolkit not started) the
// panel code still needs its windows known as panels and pages.
void KnowAs(HWND window, ChildKind kind) {
  if (ChildKindOfWindow(window) != kind) SubclassChildWindow(window, kind);
}

COLORREF PageBackground(const PanelExPageRecord& page) {
  if (page.Background != CLR_INVALID) return page.Background;
  const PanelExRecord* panel = FindPanelExRecord(reinterpret_cast<std::intptr_t>(page.PanelWindow));
  return panel != nullptr && panel->Background != CLR_INVALID ? panel->Background : GetSysColor(COLOR_BTNFACE);
}

// Children standing on a page show the page's colour behind their text.
LRESULT ChildColour(HWND page, HDC dc, HWND child) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExPageRecord* record = FindPageRecordOfWindow(page);
  if (record == nullptr) return 0;
  const COLORREF colour = PageBackground(*record);
  SetBkMode(dc, TRANSPARENT);
  for (const PanelExBrushCacheEntry& entry : PanelExBrushCache())
    if (entry.Child == child && entry.Colour == colour) return reinterpret_cast<LRESULT>(entry.Brush);
  HBRUSH brush = CreateSolidBrush(colour);
  PanelExBrushCache().push_back({child, colour, brush});
  return reinterpret_cast<LRESULT>(brush);
}

// A scroll-bar message of a page's bar: the new position, or the old one when unchanged.
std::int32_t NewScrollPosition(HWND bar, WPARAM wParam) {
  SCROLLINFO info{};
  info.cbSize = sizeof(info);
  info.fMask = SIF_ALL;
  GetScrollInfo(bar, SB_CTL, &info);
  const std::int32_t page = static_cast<std::int32_t>(info.nPage);
  std::int32_t position = info.nPos;
  switch (LOWORD(wParam)) {
    case SB_LINEUP: position -= 16; break;
    case SB_LINEDOWN: position += 16; break;
    case SB_PAGEUP: position -= std::max(page, 1); break;
    case SB_PAGEDOWN: position += std::max(page, 1); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: position = info.nTrackPos; break;
    case SB_TOP: position = info.nMin; break;
    case SB_BOTTOM: position = info.nMax; break;
    default: break;
  }
  position = std::clamp(position, info.nMin, std::max(info.nMin, info.nMax - std::max(page - 1, 0)));
  SetScrollPos(bar, SB_CTL, position, TRUE);
  return position;
}

void ScrollPageByBar(HWND panelWindow, HWND bar, WPARAM wParam) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  PanelExRecord* panel = FindPanelExRecord(reinterpret_cast<std::intptr_t>(panelWindow));
  PanelExPageRecord* page = panel != nullptr ? panel->CurrentPage : nullptr;
  if (page == nullptr || (bar != page->HScrollBar && bar != page->VScrollBar)) return;
  PanelExPageRecord* const saved = PanelEx().CurrentPageRecord;
  MakePageCurrent(page);
  const std::int32_t position = NewScrollPosition(bar, wParam);
  if (bar == page->HScrollBar) {
    MovePanelExPage(page->HScrollPos - position, 0);
    page->HScrollPos = position;
  } else {
    MovePanelExPage(0, page->VScrollPos - position);
    page->VScrollPos = position;
  }
  RefreshCurrentPanelExPage();
  MakePageCurrent(IsLivePage(saved) ? saved : nullptr);
}

// The panel changed size: its page fills it at least, and the bars follow.
void FitCurrentPage(HWND panelWindow) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  PanelExRecord* panel = FindPanelExRecord(reinterpret_cast<std::intptr_t>(panelWindow));
  if (panel == nullptr || panel->CurrentPage == nullptr) return;
  PanelExPageRecord* const saved = PanelEx().CurrentPageRecord;
  MakePageCurrent(panel->CurrentPage);
  MovePanelExPage(0, 0);
  UpdatePanelExScrollInfo();
  LayoutPanelExScrollBars();
  MakePageCurrent(IsLivePage(saved) ? saved : nullptr);
}

void ShowScrollPartsOf(const PanelExPageRecord& page, bool shown) {
  const auto show = [shown](HWND window, bool wanted) {
    if (window != nullptr) ShowWindow(window, shown && wanted ? SW_SHOWNA : SW_HIDE);
  };
  show(page.HScrollBar, page.HScrollShown != 0);
  show(page.VScrollBar, page.VScrollShown != 0);
  show(page.SizeBox, page.HScrollShown != 0 && page.VScrollShown != 0);
}

LRESULT PaintWindow(HWND window) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  if (dc != nullptr) PaintPanelEx(window, dc);
  EndPaint(window, &paint);
  return 0;
}
}  // namespace

std::intptr_t CreatePanelEx(std::intptr_t id, HWND parent, std::int32_t x, std::int32_t y, std::int32_t width,
                            std::int32_t height, COLORREF background) {
  RegisterOnce(kPanelClass, PanelExWindowProc);
  RegisterOnce(kPageClass, PanelExPageWindowProc);
  RegisterOnce(kBoxClass, ScrollbarBoxWindowProc);
  HWND window = CreateWindowExW(0, kPanelClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, x, y,
                                width, height, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return 0;
  KnowAs(window, ChildKindPanelEx);
  const std::intptr_t number = id == -1 ? AllocateObjectNumber() : id;
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  PanelExRecord record;
  record.Id = number;
  record.Window = window;
  record.Parent = parent;
  record.Background = background;
  record.ThemeParts = MakeThemePartImages();
  PanelExPanels().push_back(record);
  PanelEx().CurrentPanelExWindow = window;
  return number;
}

HWND AddPanelExPage(COLORREF background) {
  HWND panel_window = nullptr;
  std::int32_t index = 0;
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    PanelExRecord* panel = FindPanelExRecord(reinterpret_cast<std::intptr_t>(PanelEx().CurrentPanelExWindow));
    if (panel == nullptr) return nullptr;
    panel_window = panel->Window;
    index = panel->PageCount;
  }
  RECT area{};
  GetClientRect(panel_window, &area);
  const DWORD visible = index == 0 ? WS_VISIBLE : 0;
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kPageClass, L"", WS_CHILD | WS_CLIPSIBLINGS | visible, 0, 0,
                                area.right + 1, area.bottom + 1, panel_window, nullptr, GetModuleHandleW(nullptr),
                                nullptr);
  if (window == nullptr) return nullptr;
  KnowAs(window, ChildKindPanelExPage);
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  PanelExRecord* panel = FindPanelExRecord(reinterpret_cast<std::intptr_t>(panel_window));
  if (panel == nullptr) return window;
  PanelExPageRecord record;
  record.Index = panel->PageCount++;
  record.Window = window;
  record.PanelWindow = panel_window;
  record.Shown = index == 0 ? -1 : 0;
  record.Background = background;
  PanelExPages().push_back(record);
  if (index == 0) panel->CurrentPage = &PanelExPages().back();
  return window;
}

std::int32_t ShowPanelExPage(std::intptr_t panel, std::intptr_t page) {
  HWND shown = nullptr;
  HWND hidden = nullptr;
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    PanelExRecord* record = FindPanelExRecord(panel);
    PanelExPageRecord* wanted = record != nullptr ? FindPanelExPageRecord(record->Window, page) : nullptr;
    if (wanted == nullptr) return 0;
    if (PanelExPageRecord* old = record->CurrentPage; old != nullptr && old != wanted) {
      old->Shown = 0;
      hidden = old->Window;
      ShowScrollPartsOf(*old, false);
    }
    wanted->Shown = -1;
    record->CurrentPage = wanted;
    shown = wanted->Window;
    ShowScrollPartsOf(*wanted, true);
  }
  if (hidden != nullptr) ShowWindow(hidden, SW_HIDE);
  ShowWindow(shown, SW_SHOWNA);
  FitCurrentPage(GetParent(shown));
  RefreshPanelExOf(shown);
  return 1;
}

COLORREF PanelExColourBehind(HWND window) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  HWND parent = GetParent(window);
  if (const PanelExPageRecord* page = FindPageRecordOfWindow(parent)) return PageBackground(*page);
  const PanelExRecord* panel = FindPanelExRecord(reinterpret_cast<std::intptr_t>(parent));
  return panel != nullptr && panel->Background != CLR_INVALID ? panel->Background : GetSysColor(COLOR_BTNFACE);
}

std::int32_t SetPanelExPageImages(std::intptr_t panel, std::intptr_t page, ImageStoreHandle background,
                                  HIMAGELIST images) {
  HWND window = nullptr;
  {
    ToolkitLockGuard guard(ToolkitLock::PanelEx);
    const PanelExRecord* found_panel = FindPanelExRecord(panel);
    PanelExPageRecord* found = found_panel != nullptr ? FindPanelExPageRecord(found_panel->Window, page) : nullptr;
    if (found == nullptr) return 0;
    if (found->BackgroundImage != 0 && found->BackgroundImage != background) FreeImageStoreEntry(found->BackgroundImage);
    if (found->ImageList != nullptr && found->ImageList != images) ImageList_Destroy(found->ImageList);
    found->BackgroundImage = background;
    found->ImageList = images;
    window = found->Window;
  }
  InvalidateRect(window, nullptr, FALSE);
  return 1;
}

HWND GetPanelExWindow(std::intptr_t panel) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExRecord* record = FindPanelExRecord(panel);
  return record != nullptr ? record->Window : nullptr;
}

std::int32_t RefreshPanelExOf(HWND window) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  PanelExPageRecord* page = FindPageRecordOfWindow(window);
  if (page == nullptr)
    if (const PanelExRecord* panel = FindPanelExRecord(reinterpret_cast<std::intptr_t>(window))) page = panel->CurrentPage;
  if (page == nullptr) return 0;
  PanelExPageRecord* const saved = PanelEx().CurrentPageRecord;
  MakePageCurrent(page);
  RefreshCurrentPanelExPage();
  MakePageCurrent(IsLivePage(saved) ? saved : nullptr);
  return 1;
}

LRESULT CALLBACK PanelExWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(window);
    case WM_SIZE:
      FitCurrentPage(window);
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      if (lParam != 0) ScrollPageByBar(window, reinterpret_cast<HWND>(lParam), wParam);
      return 0;
    case kPanelExRefreshMessage:
      RefreshPanelExOf(lParam != 0 ? reinterpret_cast<HWND>(lParam) : window);
      return 0;
    case AnimationStepMessage:
      RefreshPanelExOf(window);
      return 0;
    case WM_NCDESTROY:
      ForgetDestroyedPanelEx(window);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK PanelExPageWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      return PaintWindow(window);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      if (const LRESULT brush = ChildColour(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
        return brush;
      break;
    case kRebarHeightMessage:
    case kTextControlSizeMessage:
      RefreshPanelExPageLayout(window);
      return 0;
    case kTextControlLinkMessage:
      InvalidateRect(window, nullptr, FALSE);
      return 0;
    case WM_NCDESTROY:
      ForgetDestroyedPanelEx(window);
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ScrollbarBoxWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcW(window, message, wParam, lParam);
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT area{};
  GetClientRect(window, &area);
  FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
  EndPaint(window, &paint);
  return 0;
}
