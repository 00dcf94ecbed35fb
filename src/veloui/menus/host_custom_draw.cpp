#include <windows.h>
#include <commctrl.h>

#include <string>

#include "veloui/menus/style_fill.h"
#include "veloui/foundation/core/colour_helpers.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/core/bar_drawing_rules.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/host_handlers.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_shadows.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/title_looks.h"
#include "veloui/menus/rebar_backgrounds.h"
#include "veloui/menus/rebars.h"
#include "veloui/menus/toolbar_button_paint.h"
#include "veloui/menus/toolbars.h"
#include "veloui/foundation/core/ui_colour_ids.h"

namespace {

enum ColourId : int {
  kTitleText = 0, kTitleInactiveText = 3, kHotBorder = 8, kHeldBorder = 12, kMenuBarColour = 13,
  kGripperSolid = 42, kGripperShadow = 43,
};
constexpr LRESULT kNotifyItems = CDRF_NOTIFYITEMDRAW;
constexpr LRESULT kSkipDefault = CDRF_SKIPDEFAULT;

COLORREF Colour(std::uint32_t style, int id) { return GetUIColour(style, id, kUIColourColorref); }

struct BarSource {
  std::uint32_t Style = 0;
  bool Known = false;
  bool IsToolbar = false;
  bool IsMenuBar = false;
  bool InRebar = false;
};

BarSource SourceOf(HWND from) {
  BarSource source;
  if (const ToolbarRecord* toolbar = FindToolbarRecord(reinterpret_cast<std::intptr_t>(from))) {
    source.IsToolbar = true;
    source.IsMenuBar = toolbar->IsMenuBar;
    if (const RebarRecord* rebar = FindRebarRecord(reinterpret_cast<std::intptr_t>(GetParent(from)))) {
      source.Style = rebar->Style;
      source.Known = true;
      source.InRebar = true;
    }
    return source;
  }
  if (const RebarRecord* rebar = FindRebarRecord(reinterpret_cast<std::intptr_t>(from))) {
    source.Style = rebar->Style;
    source.Known = true;
  }
  return source;
}

bool BandHoldsMenuBar(HWND rebar, DWORD_PTR item) {
  // A rebar names the band it draws by the band's id, which need not be its index.
  const LRESULT index = SendMessageW(rebar, RB_IDTOINDEX, item, 0);
  if (index < 0) return false;
  REBARBANDINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = RBBIM_CHILD;
  if (!SendMessageW(rebar, RB_GETBANDINFOW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&info))) return false;
  const ToolbarRecord* toolbar = FindToolbarRecord(reinterpret_cast<std::intptr_t>(info.hwndChild));
  return toolbar != nullptr && toolbar->IsMenuBar;
}

void PaintGripper(const NMCUSTOMDRAW& draw, std::uint32_t style) {
  const RECT& rect = draw.rc;
  HBITMAP background = RebarBackgroundImage(style);
  if (background != nullptr) {
    HDC source = CreateCompatibleDC(draw.hdc);
    HGDIOBJ previous = SelectObject(source, background);
    BitBlt(draw.hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, source, rect.left,
           rect.top, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
  } else {
    FillSolid(draw.hdc, rect, Colour(style, kMenuBarColour));
  }
  const bool menuBar = BandHoldsMenuBar(draw.hdr.hwndFrom, draw.dwItemSpec);
  const int x = rect.left + (rect.right - rect.left - 2) / 2;
  for (int top : GripperDotTops(rect.bottom - rect.top, menuBar)) {
    const int y = rect.top + top;
    FillSolid(draw.hdc, RECT{x + 1, y + 1, x + 3, y + 3}, Colour(style, kGripperShadow));
    FillSolid(draw.hdc, RECT{x, y, x + 2, y + 2}, Colour(style, kGripperSolid));
  }
}

const MenuRecord* TitleRecord(HWND toolbar) {
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Toolbar == toolbar) return &menu;
  }
  return nullptr;
}

COLORREF TitleTextColour(std::int32_t style, bool inactive) {
  if (style == UISTYLE_WHIDBEY) return GetModeColour(UISTYLE_WHIDBEY, inactive ? kTitleInactiveText : kTitleText) & 0xFFFFFFu;
  if (style == UISTYLE_OFFICE2003_SHORT || style == UISTYLE_OFFICE2007) {
    return Colour(static_cast<std::uint32_t>(style), inactive ? kTitleInactiveText : kTitleText);
  }
  return GetSysColor(inactive ? COLOR_GRAYTEXT : COLOR_MENUTEXT);
}

void DrawCaption(HDC dc, const RECT& rect, const std::wstring& text, COLORREF colour) {
  HGDIOBJ previous = SelectObject(dc, Toolkit.MenuFont);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  RECT area = rect;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  SelectObject(dc, previous);
}

// The title of the bar whose drop-down is open, however it was reached: clicked open, or
// switched to by sliding the mouse or by Left and Right; -1 for none. Take the menu lock.
int OpenTitleOf(HWND toolbar) {
  for (const MenuRecord& menu : MenuList()) {
    if (menu.Toolbar == toolbar && menu.TitleIndex >= 0 && menu.Open) return menu.TitleIndex;
  }
  return -1;
}

// A pressed title of any style casts its shadows beside and below, when the system casts them.
void CastPressedTitleShadows(HWND toolbar, const RECT& title, std::uint32_t style) {
  if (SystemFacts.SystemDropShadow == 0) return;
  RECT screen = title;
  MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&screen), 2);
  CastTitleShadows(toolbar, screen, style);
}

LRESULT PaintTitle(const NMCUSTOMDRAW& draw, std::uint32_t barStyle) {
  HWND toolbar = draw.hdr.hwndFrom;
  const int index = static_cast<int>(SendMessageW(toolbar, TB_COMMANDTOINDEX, draw.dwItemSpec, 0));
  const bool hot = (draw.uItemState & CDIS_HOT) != 0;
  std::int32_t style = static_cast<std::int32_t>(barStyle);
  bool inactive = false;
  int openTitle = -1;
  {
    ToolkitLockGuard lock(ToolkitLock::Menu);
    if (const MenuRecord* title = TitleRecord(toolbar)) {
      style = title->Style;
      inactive = title->Inactive;
    }
    openTitle = OpenTitleOf(toolbar);
  }
  const bool open = index >= 0 && index == openTitle;
  const std::wstring text = ToolbarButtonText(toolbar, draw.dwItemSpec);
  if (!hot && !open) {
    // The shadows of the title whose menu hangs under it stay while the others repaint.
    if (openTitle == -1 && !MenuTracking.TitlePressed) DestroyTitleShadows(toolbar);
    DrawCaption(draw.hdc, draw.rc, text, TitleTextColour(style, inactive));
    return kSkipDefault;
  }
  if (HasPlainTitleLook(style)) {
    PaintPlainTitleFace(draw.hdc, draw.rc, style, open);
    if (open) CastPressedTitleShadows(toolbar, draw.rc, static_cast<std::uint32_t>(style));
    DrawCaption(draw.hdc, draw.rc, text, TitleTextColour(style, inactive));
    return kSkipDefault;
  }
  const auto office = static_cast<std::uint32_t>(style == UISTYLE_OFFICE2003_SHORT ? UISTYLE_OFFICE2003 : style);
  if (open) {
    VerticalGradient(draw.hdc, draw.rc, Colour(office, 10), Colour(office, 11));
    HBRUSH border = CreateSolidBrush(Colour(office, kHeldBorder));
    RECT frame = draw.rc;
    frame.bottom += 1;  // open at the bottom, where the drop-down joins
    FrameRect(draw.hdc, &frame, border);
    DeleteObject(border);
    CastPressedTitleShadows(toolbar, draw.rc, office);
  } else {
    const GradientIds ids = ButtonGradientIds(kButtonHot, false);
    VerticalGradient(draw.hdc, draw.rc, Colour(office, ids.Top), Colour(office, ids.Bottom));
    HBRUSH border = CreateSolidBrush(Colour(office, kHotBorder));
    FrameRect(draw.hdc, &draw.rc, border);
    DeleteObject(border);
  }
  DrawCaption(draw.hdc, draw.rc, text, TitleTextColour(style, inactive));
  return kSkipDefault;
}

}  // namespace

LRESULT HostCustomDraw(HWND, NMHDR* header, LRESULT previous) {
  const auto& draw = *reinterpret_cast<const NMCUSTOMDRAW*>(header);
  const BarSource source = SourceOf(header->hwndFrom);
  if (!source.Known) return previous;
  const bool office = IsOfficeStyle(source.Style);
  switch (draw.dwDrawStage) {
    case CDDS_PREPAINT:
      if (source.IsToolbar && source.InRebar && !source.IsMenuBar && office) {
        PaintToolbarBackground(draw, source.Style);
        // Not CDRF_SKIPDEFAULT: the toolbar would then skip its buttons too, asking for none of
        // them. The separators it draws in its own way are painted over once it is done.
        return kNotifyItems | CDRF_NOTIFYPOSTPAINT;
      }
      return kNotifyItems;
    case CDDS_POSTPAINT:
      if (source.IsToolbar && source.InRebar && !source.IsMenuBar && office) {
        PaintToolbarSeparators(draw, source.Style);
      }
      return kNotifyItems;
    case CDDS_ITEMPREPAINT: {
      if (!source.IsToolbar) {
        const int width = draw.rc.right - draw.rc.left;
        if (office && width >= 8 && width <= 11) {
          PaintGripper(draw, source.Style);
          return kSkipDefault;
        }
        return kNotifyItems;
      }
      if (source.IsMenuBar) return PaintTitle(draw, source.Style);
      const ToolbarRecord* toolbar = FindToolbarRecord(reinterpret_cast<std::intptr_t>(header->hwndFrom));
      if (toolbar != nullptr && UsesThemedLook(*toolbar, source.Style)) return PaintThemedButton(draw, *toolbar);
      if (office) return PaintOfficeButton(draw, source.Style);
      return kNotifyItems;
    }
    default:
      return kNotifyItems;
  }
}
