#include <array>

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/menu_tracking_hooks.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/panelex/panelex_records.h"

namespace {
struct ScrollOption {
  std::uint32_t Flag;
  const char16_t* Name;
};
constexpr std::array<ScrollOption, 6> kScrollOptions{{{kPanelExHScroll, u"hscroll"},
                                                      {kPanelExVScroll, u"vscroll"},
                                                      {kPanelExAutoScroll, u"autoscroll"},
                                                      {kPanelExScrollOutside, u"scrollbars outside"},
                                                      {kPanelExNoHorizontal, u"AUTOSCROLL_NOHORIZONTAL"},
                                                      {kPanelExNoVertical, u"AUTOSCROLL_NOVERTICAL"}}};

HWND MakeBar(HWND panel, DWORD style) {
  return CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | style, 0, 0, 0, 0, panel, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

void EnsureSizeBox(PanelExPageRecord& page) {
  if (page.SizeBox == nullptr)
    page.SizeBox = CreateWindowExW(0, L"VeloUI_ScrollbarBox", L"", WS_CHILD, 0, 0, 0, 0, page.PanelWindow, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
}

// Makes or shows the bar asked for (seen only while its page is); true when it was made now.
bool ShowBar(PanelExPageRecord& page, bool horizontal) {
  HWND& bar = horizontal ? page.HScrollBar : page.VScrollBar;
  (horizontal ? page.HScrollShown : page.VScrollShown) = 1;
  EnsureSizeBox(page);
  const bool made = bar == nullptr;
  if (made) bar = MakeBar(page.PanelWindow, horizontal ? SBS_HORZ : SBS_VERT);
  if (bar != nullptr && page.Shown != 0) ShowWindow(bar, SW_SHOWNA);
  return made && bar != nullptr;
}

// The page (current) goes back to the start along the bar, where nothing could scroll it back.
void HideBar(PanelExPageRecord& page, bool horizontal) {
  HWND bar = horizontal ? page.HScrollBar : page.VScrollBar;
  std::int32_t& position = horizontal ? page.HScrollPos : page.VScrollPos;
  (horizontal ? page.HScrollShown : page.VScrollShown) = 0;
  if (bar != nullptr) {
    SetScrollPos(bar, SB_CTL, 0, FALSE);
    ShowWindow(bar, SW_HIDE);
  }
  MovePanelExPage(horizontal ? position : 0, horizontal ? 0 : position);
  position = 0;
}

void EnsureKeyboardHook() {
  if (Toolkit.KeyboardHook == nullptr)
    Toolkit.KeyboardHook = SetWindowsHookExW(WH_KEYBOARD, MenuKeyboardHookProc, nullptr, GetCurrentThreadId());
}

void MeasureContent(PanelExPageRecord& page) {
  ChildScrollParams measure{page.Window};
  EnumChildWindows(page.Window, ScrollChildProc, reinterpret_cast<LPARAM>(&measure));
  page.ContentRight = measure.Right;
  page.ContentBottom = measure.Bottom;
}
}  // namespace

std::int32_t SetPanelExPageScrolling(std::intptr_t panel, std::intptr_t page, std::uint32_t flags,
                                     std::int32_t state) {
  ToolkitLockGuard guard(ToolkitLock::PanelEx);
  const PanelExRecord* found_panel = FindPanelExRecord(panel);
  PanelExPageRecord* found = found_panel != nullptr ? FindPanelExPageRecord(found_panel->Window, page) : nullptr;
  if (found == nullptr) return 0;
  const bool on = state != 0;
  int made = 0;
  PanelExPageRecord* const saved = PanelEx().CurrentPageRecord;
  MakePageCurrent(found);
  for (const ScrollOption& option : kScrollOptions) {
    if ((flags & option.Flag) == 0) continue;
    WriteDebugLog(Text(option.Name) + (on ? u" true" : u" false"));
    found->ScrollOptions = on ? (found->ScrollOptions | option.Flag) : (found->ScrollOptions & ~option.Flag);
    if (option.Flag == kPanelExHScroll || option.Flag == kPanelExVScroll) {
      const bool horizontal = option.Flag == kPanelExHScroll;
      if (on)
        made += ShowBar(*found, horizontal) ? 1 : 0;
      else
        HideBar(*found, horizontal);
    } else if (option.Flag == kPanelExAutoScroll) {
      found->AutoScroll = on ? 1 : 0;
      if (on) EnsureKeyboardHook();
    } else if (option.Flag == kPanelExNoHorizontal) {
      found->NoHorizontal = on ? 1 : 0;
    } else if (option.Flag == kPanelExNoVertical) {
      found->NoVertical = on ? 1 : 0;
    }
  }
  if (made == 2) {
    MeasureContent(*found);
    UpdatePanelExScrollInfo();
    MovePanelExPage(0, 0);
  }
  LayoutPanelExScrollBars();
  MakePageCurrent(IsLivePage(saved) ? saved : nullptr);
  return 1;
}
