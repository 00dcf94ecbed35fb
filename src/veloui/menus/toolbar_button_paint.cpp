#include "veloui/menus/toolbar_button_paint.h"

#include <algorithm>

#include "veloui/foundation/core/colour_helpers.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/core/bar_drawing_rules.h"
#include "veloui/menus/core/toolbar_button_layout.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/style_fill.h"
#include "veloui/menus/toolbar_extras.h"

namespace {

enum ColourId : int {
  kHotBorder = 8, kToolstripBackground = 33, kStickyBorder = 48, kButtonText = 49, kButtonHotText = 50,
  kButtonDisabledText = 51, kSeparator = 54, kSeparatorShadow = 55,
};
constexpr std::uint32_t kBackgroundOptions = 0x11000;
constexpr int kThemeButtonPart = 1;
constexpr int kSeparatorMargin = 3;  // between a separator's line and the toolbar's edges
constexpr UINT kTextFlags = DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS;

using DrawThemeBackgroundProc = HRESULT(WINAPI*)(HANDLE, HDC, int, int, const RECT*, const RECT*);

COLORREF Colour(std::uint32_t style, int id) { return GetUIColour(style, id, kUIColourColorref); }

RECT ToRect(const ButtonBox& box) { return {box.Left, box.Top, box.Right, box.Bottom}; }

// The part of the toolbar the background covers: the buttons and two pixels more.
RECT BackgroundArea(const NMCUSTOMDRAW& draw) {
  SIZE full{};
  SendMessageW(draw.hdr.hwndFrom, TB_GETMAXSIZE, 0, reinterpret_cast<LPARAM>(&full));
  RECT area = draw.rc;
  area.right = std::min<LONG>(area.left + full.cx + 2, draw.rc.right);
  return area;
}

TBBUTTONINFOW ButtonInfo(HWND toolbar, DWORD_PTR command) {
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STYLE | TBIF_IMAGE;
  if (SendMessageW(toolbar, TB_GETBUTTONINFOW, command, reinterpret_cast<LPARAM>(&info)) < 0) info = TBBUTTONINFOW{};
  return info;
}

// The list whose picture shows the button in `itemState`: all three hold it at the same index.
HIMAGELIST ListFor(const ToolbarRecord& toolbar, UINT itemState) {
  if ((itemState & CDIS_DISABLED) != 0) return toolbar.DisabledImageList;
  return (itemState & CDIS_HOT) != 0 ? toolbar.HotImageList : toolbar.NormalImageList;
}

SIZE TextSize(HDC dc, const std::wstring& text) {
  if (text.empty()) return {};
  HGDIOBJ previous = SelectObject(dc, Toolkit.MenuFont);
  RECT box{};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_SINGLELINE);
  SelectObject(dc, previous);
  return {box.right - box.left, box.bottom - box.top};
}

ButtonArrow ArrowOf(HWND toolbar, BYTE style) {
  if ((style & BTNS_WHOLEDROPDOWN) != 0) return ButtonArrow::Whole;
  const auto extended = static_cast<DWORD>(SendMessageW(toolbar, TB_GETEXTENDEDSTYLE, 0, 0));
  if ((style & BTNS_DROPDOWN) != 0 && (extended & TBSTYLE_EX_DRAWDDARROWS) != 0) return ButtonArrow::Split;
  return ButtonArrow::None;
}

// One button's picture, text and arrow, laid out so that none covers another.
struct ButtonFace {
  std::wstring Text;
  HIMAGELIST List = nullptr;
  int Image = -1;
  ButtonLayout Layout;
};

ButtonFace FaceOf(const NMCUSTOMDRAW& draw, const ToolbarRecord* toolbar) {
  HWND window = draw.hdr.hwndFrom;
  ButtonFace face;
  face.Text = ToolbarButtonText(window, draw.dwItemSpec);
  const TBBUTTONINFOW info = ButtonInfo(window, draw.dwItemSpec);
  ButtonLayoutRequest request;
  request.Button = {draw.rc.left, draw.rc.top, draw.rc.right, draw.rc.bottom};
  request.ListStyle = (SendMessageW(window, TB_GETSTYLE, 0, 0) & TBSTYLE_LIST) != 0;
  if (toolbar != nullptr && info.iImage >= 0) {
    face.List = ListFor(*toolbar, draw.uItemState);
    if (face.List != nullptr && ImageList_GetIconSize(face.List, &request.ImageWidth, &request.ImageHeight)) {
      face.Image = info.iImage;
    } else {
      request.ImageWidth = request.ImageHeight = 0;
    }
  }
  const SIZE text = TextSize(draw.hdc, face.Text);
  request.TextWidth = text.cx;
  request.TextHeight = text.cy;
  request.Arrow = ArrowOf(window, info.fsStyle);
  face.Layout = LayOutToolbarButton(request);
  return face;
}

void DrawFace(HDC dc, const ButtonFace& face, COLORREF textColour) {
  const ButtonLayout& layout = face.Layout;
  if (face.Image >= 0 && !layout.Image.Empty()) {
    ImageList_Draw(face.List, face.Image, dc, layout.Image.Left, layout.Image.Top, ILD_TRANSPARENT);
  }
  if (!face.Text.empty() && !layout.Text.Empty()) {
    HGDIOBJ previous = SelectObject(dc, Toolkit.MenuFont);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, textColour);
    RECT box = ToRect(layout.Text);
    DrawTextW(dc, face.Text.c_str(), static_cast<int>(face.Text.size()), &box,
              kTextFlags | (layout.TextCentred ? DT_CENTER : DT_LEFT));
    SelectObject(dc, previous);
  }
  if (!layout.Arrow.Empty()) {
    for (const ArrowRow& row : DropDownArrowRows(layout.Arrow).Rows) {
      FillSolid(dc, RECT{row.Left, row.Y, row.Right, row.Y + 1}, textColour);
    }
  }
}

void DrawSeparatorLine(HDC dc, const RECT& rect, std::uint32_t style) {
  const bool across = rect.right - rect.left > rect.bottom - rect.top;  // a wrapped toolbar's row break
  if (across) {
    const int y = rect.top + (rect.bottom - rect.top - 2) / 2;
    FillSolid(dc, RECT{rect.left + kSeparatorMargin, y, rect.right - kSeparatorMargin, y + 1}, Colour(style, kSeparator));
    FillSolid(dc, RECT{rect.left + kSeparatorMargin + 1, y + 1, rect.right - kSeparatorMargin + 1, y + 2},
              Colour(style, kSeparatorShadow));
    return;
  }
  const int x = rect.left + (rect.right - rect.left - 2) / 2;
  FillSolid(dc, RECT{x, rect.top + kSeparatorMargin, x + 1, rect.bottom - kSeparatorMargin}, Colour(style, kSeparator));
  FillSolid(dc, RECT{x + 1, rect.top + kSeparatorMargin + 1, x + 2, rect.bottom - kSeparatorMargin + 1},
            Colour(style, kSeparatorShadow));
}

}  // namespace

std::wstring ToolbarButtonText(HWND toolbar, DWORD_PTR command) {
  const int length = static_cast<int>(SendMessageW(toolbar, TB_GETBUTTONTEXTW, command, 0));
  if (length <= 0) return {};
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  SendMessageW(toolbar, TB_GETBUTTONTEXTW, command, reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void PaintToolbarBackground(const NMCUSTOMDRAW& draw, std::uint32_t style) {
  const RECT area = BackgroundArea(draw);
  PaintStyleBackground(draw.hdc, style, kToolstripBackground, area, kBackgroundOptions);
  const int right = area.right - 1;
  for (int y : {area.top, area.bottom - 1}) {
    const COLORREF inner = GetPixel(draw.hdc, right - 1, y);
    SetPixel(draw.hdc, right, y, FadeColour(7, inner));
  }
}

void PaintToolbarSeparators(const NMCUSTOMDRAW& draw, std::uint32_t style) {
  HWND toolbar = draw.hdr.hwndFrom;
  const RECT area = BackgroundArea(draw);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  // The background once more, off screen, to take back from under what the system drew.
  HDC memory = CreateCompatibleDC(draw.hdc);
  HBITMAP bitmap = CreateCompatibleBitmap(draw.hdc, width, height);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  PaintStyleBackground(memory, style, kToolstripBackground, RECT{0, 0, width, height}, kBackgroundOptions);
  const auto count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
  for (int index = 0; index < count; ++index) {
    TBBUTTON button{};
    RECT rect{};
    if (!SendMessageW(toolbar, TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button))) continue;
    // A separator with a command id keeps the place of an embedded control.
    if ((button.fsStyle & BTNS_SEP) == 0 || button.idCommand != 0 || (button.fsState & TBSTATE_HIDDEN) != 0) continue;
    if (!SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect))) continue;
    BitBlt(draw.hdc, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, memory,
           rect.left - area.left, rect.top - area.top, SRCCOPY);
    DrawSeparatorLine(draw.hdc, rect, style);
  }
  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
}

LRESULT PaintOfficeButton(const NMCUSTOMDRAW& draw, std::uint32_t style) {
  const auto state = static_cast<std::uint32_t>(draw.uItemState) & 0x49u;
  // A menu button whose menu hangs under it shows held, as an open menu-bar title does.
  const bool menuOpen = ToolbarButtonMenuOpen(draw.hdr.hwndFrom, static_cast<std::int32_t>(draw.dwItemSpec));
  const GradientIds ids = ButtonGradientIds(state, menuOpen);
  const ButtonFace face = FaceOf(draw, FindToolbarRecord(reinterpret_cast<std::intptr_t>(draw.hdr.hwndFrom)));
  if (ids.Top != -1) {
    const COLORREF border = Colour(style, (state & CDIS_CHECKED) != 0 ? kStickyBorder : kHotBorder);
    VerticalGradient(draw.hdc, draw.rc, Colour(style, ids.Top), Colour(style, ids.Bottom));
    FrameSolid(draw.hdc, draw.rc, border);
    if (face.Layout.SplitX >= 0) {
      FillSolid(draw.hdc, RECT{face.Layout.SplitX, draw.rc.top, face.Layout.SplitX + 1, draw.rc.bottom}, border);
    }
  }
  const bool disabled = (draw.uItemState & CDIS_DISABLED) != 0;
  const int textId = disabled ? kButtonDisabledText : (state & CDIS_HOT) != 0 ? kButtonHotText : kButtonText;
  DrawFace(draw.hdc, face, Colour(style, textId));
  return CDRF_SKIPDEFAULT;
}

bool ToolbarThemeDrawable() {
  return UxTheme.Library != nullptr && UxTheme.DrawThemeBackground != nullptr && UxTheme.ThemeToolbarData != nullptr &&
         !HostWindows.ClassicLook;
}

void DrawToolbarThemeButton(HDC dc, const RECT& rect, int state) {
  const auto drawBackground = BoundProc<DrawThemeBackgroundProc>(UxTheme.DrawThemeBackground);
  drawBackground(UxTheme.ThemeToolbarData, dc, kThemeButtonPart, state, &rect, nullptr);
}

bool UsesThemedLook(const ToolbarRecord& toolbar, std::uint32_t barStyle) {
  return ToolbarThemeDrawable() && (barStyle == UISTYLE_WHIDBEY || toolbar.Style == kToolbarStyleThemed);
}

LRESULT PaintThemedButton(const NMCUSTOMDRAW& draw, const ToolbarRecord& toolbar) {
  const int state = ThemedButtonState(static_cast<std::uint32_t>(draw.uItemState) & 0x49u);
  if (state != 0) DrawToolbarThemeButton(draw.hdc, draw.rc, state);
  DrawFace(draw.hdc, FaceOf(draw, &toolbar), GetSysColor(COLOR_BTNTEXT));
  return CDRF_SKIPDEFAULT;
}
