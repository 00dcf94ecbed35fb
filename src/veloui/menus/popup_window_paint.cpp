#include "veloui/menus/popup_window_paint.h"

#include <algorithm>

#include "veloui/menus/style_fill.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/foundation/core/ui_colour_ids.h"

namespace {

constexpr int kColourMenuBar = 13;
constexpr int kColourHeldBorder = 12;
constexpr int kColourBackground = 30;
// Below the Office styles: a one-pixel border and a three-pixel frame inside it.
constexpr int kClassicInnerFrame = 3;
// The visual style's menu border colour: the "menu" class's popup borders (MENU_POPUPBORDERS),
// property TMT_BORDERCOLOR; themed menus draw it from Windows 6 (version code 70) on.
constexpr int kMenuPopupBorders = 10;
constexpr int kBorderColourProperty = 3801;
constexpr std::int32_t kThemedMenusFromOsVersion = 70;
using GetThemeColorProc = HRESULT(WINAPI*)(HANDLE, int, int, int, COLORREF*);

// The border of a style below Whidbey: the theme's menu border colour where visual styles are
// active, the system's shadow colour otherwise. A brush the caller deletes.
HBRUSH ClassicBorderBrush() {
  const auto getColour = reinterpret_cast<GetThemeColorProc>(reinterpret_cast<void*>(UxTheme.GetThemeColor));
  COLORREF colour = GetSysColor(COLOR_BTNSHADOW);
  if (!UxTheme.NoVisualStyle && UxTheme.ThemeMenuData != nullptr && getColour != nullptr &&
      SystemFacts.OsVersionCode >= kThemedMenusFromOsVersion) {
    COLORREF themed = 0;
    if (SUCCEEDED(getColour(UxTheme.ThemeMenuData, kMenuPopupBorders, 0, kBorderColourProperty, &themed))) {
      colour = themed;
    }
  }
  return CreateSolidBrush(colour);
}

HBRUSH StyleBrush(std::int32_t style, int id) {
  if (style == UISTYLE_WHIDBEY) return reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(GetModeColour(UISTYLE_WHIDBEY, id)));
  return UIColourBrush(static_cast<std::uint32_t>(style), id);
}

void FrameWith(HDC dc, RECT rect, HBRUSH brush) {
  if (brush != nullptr) FrameRect(dc, &rect, brush);
}

// The outer border and the inner frame; a drop-down's top edge under its title is painted in
// the background colour, so that title and menu look joined.
void PaintFrame(HWND window, HDC dc, const PopupWindowRecord& record, std::int32_t style) {
  RECT frame{};
  GetWindowRect(window, &frame);
  const RECT screen = frame;
  OffsetRect(&frame, -frame.left, -frame.top);
  HBRUSH inner = StyleBrush(style, kColourBackground);
  HBRUSH outer = StyleBrush(style, kColourHeldBorder);
  HBRUSH made = nullptr;
  if (IsPreWhidbeyStyle(style)) {
    inner = GetSysColorBrush(COLOR_MENU);
    outer = made = ClassicBorderBrush();
  }
  const int innerWidth = IsOfficeStyle(style) ? 1 : kClassicInnerFrame;
  RECT innerRect = frame;
  for (int ring = 0; ring < innerWidth; ++ring) {
    InflateRect(&innerRect, -1, -1);
    FrameWith(dc, innerRect, inner);
  }
  FrameWith(dc, frame, outer);
  if (made != nullptr) DeleteObject(made);
  const RECT& title = MenuTracking.OpenTitleRect;
  const bool dropDown = record.Parent == nullptr && record.Menu != nullptr && !record.Menu->IsPopup;
  // Clicked open or switched to, the open title shows held and joins its drop-down.
  if (dropDown && record.Menu->Open && title.right > title.left && title.bottom <= screen.top + 2) {
    RECT joint{std::max(title.left, screen.left) - screen.left + 1, 0,
               std::min(title.right, screen.right) - screen.left - 1, 1};
    if (joint.right > joint.left && inner != nullptr) FillRect(dc, &joint, inner);
  }
}

void EraseBackground(HWND window, HDC dc, const PopupWindowRecord& record, std::int32_t style) {
  RECT client{};
  GetClientRect(window, &client);
  if (IsOfficeStyle(style)) {
    FillRect(dc, &client, StyleBrush(style, kColourBackground));
    RECT margin = client;
    margin.right = margin.left + MenuTracking.ImageMarginWidth;
    PaintStyleBackground(dc, static_cast<std::uint32_t>(style), kColourMenuBar, margin, 0);
    return;
  }
  if (style == UISTYLE_WHIDBEY) {
    FillRect(dc, &client, StyleBrush(style, kColourBackground));
    return;
  }
  const MenuRecord* menu = record.Menu;
  if (menu != nullptr && menu->RenderDC != nullptr && menu->RenderWidth == menu->Width &&
      menu->RenderHeight == menu->Height) {
    BitBlt(dc, 0, 0, client.right, client.bottom, menu->RenderDC, 0, 0, SRCCOPY);
    return;
  }
  FillRect(dc, &client, GetSysColorBrush(COLOR_MENU));
}

// Where the system draws a frame of its own inside the client area, the part of the client
// area that no item covers is painted over in the background colour after the system's
// painting, so the window shows only the toolkit's frame.
void CoverSystemFrame(HWND window, std::int32_t style) {
  HMENU menu = reinterpret_cast<HMENU>(SendMessageW(window, MN_GETHMENU, 0, 0));
  const int count = menu != nullptr ? GetMenuItemCount(menu) : -1;
  if (count <= 0) return;
  HDC dc = GetDC(window);
  for (int position = 0; position < count; ++position) {
    RECT item{};
    if (!GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &item)) continue;
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&item), 2);
    ExcludeClipRect(dc, item.left, item.top, item.right, item.bottom);
  }
  RECT client{};
  GetClientRect(window, &client);
  FillRect(dc, &client, StyleBrush(style, kColourBackground));
  ReleaseDC(window, dc);
}

}  // namespace

bool PaintPopupWindow(HWND window, const PopupWindowRecord& record, UINT message, WPARAM wParam, LPARAM lParam,
                      LRESULT& result) {
  const std::int32_t style = PopupWindows.CascadeStyle;
  switch (message) {
    case WM_CREATE:
      if (!IsOfficeStyle(style)) return false;
      SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) & ~(WS_BORDER | WS_DLGFRAME));
      SetWindowLongPtrW(window, GWL_EXSTYLE,
                        GetWindowLongPtrW(window, GWL_EXSTYLE) & ~(WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME));
      return false;
    case WM_NCCALCSIZE:
      if (!IsOfficeStyle(style) || wParam == FALSE) return false;
      {
        auto* sizes = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        InflateRect(&sizes->rgrc[0], -1, -2);
      }
      result = WVR_REDRAW;
      return true;
    case WM_PAINT:
      if (!IsOfficeStyle(style)) return false;
      result = CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)), window, message,
                               wParam, lParam);
      CoverSystemFrame(window, style);
      return true;
    case WM_ERASEBKGND:
      EraseBackground(window, reinterpret_cast<HDC>(wParam), record, style);
      result = 1;
      return true;
    case WM_NCPAINT:
    case WM_PRINT: {
      result = CallWindowProcW(reinterpret_cast<WNDPROC>(GetClassLongPtrW(window, GCLP_WNDPROC)), window, message, wParam, lParam);
      HDC dc = message == WM_PRINT ? reinterpret_cast<HDC>(wParam) : GetWindowDC(window);
      PaintFrame(window, dc, record, style);
      if (message == WM_NCPAINT) ReleaseDC(window, dc);
      return true;
    }
    default:
      return false;
  }
}
