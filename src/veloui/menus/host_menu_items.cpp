#include "veloui/menus/style_fill.h"
#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/core/item_text.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/host_handlers.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_builder_state.h"
#include "veloui/menus/menu_measuring.h"
#include "veloui/menus/menu_tracking.h"
#include "veloui/menus/track_windows_hook.h"
#include "veloui/foundation/core/ui_colour_ids.h"

namespace {

enum ColourId : int {
  kMenuText = 4, kMenuBar = 13, kCheckNormal = 14, kCheckNormalBorder = 15, kCheckSelected = 16,
  kCheckSelectedBorder = 17, kCheckDisabled = 18, kCheckDisabledBorder = 19, kSeparatorBar = 25,
  kSelected = 26, kSelectedText = 27, kSelectedBorder = 28, kDisabledText = 29, kBackground = 30,
};

constexpr int kImagePadding = 4;
constexpr int kTextGap = 6;

// Item data is trusted only when it is one of our own item records.
MenuItemRecord* ItemOfData(ULONG_PTR data) {
  if (data == 0) return nullptr;
  for (MenuItemRecord& item : MenuItemList()) {
    if (reinterpret_cast<ULONG_PTR>(&item) == data) return &item;
  }
  return nullptr;
}

enum class ItemLook { Normal, Selected, Disabled };

ItemLook LookOf(UINT state) {
  const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0 || state == 7;
  if (disabled) return ItemLook::Disabled;
  return (state & ODS_SELECTED) != 0 ? ItemLook::Selected : ItemLook::Normal;
}

// Brushes and the text colour of one style.
class ItemPalette {
 public:
  explicit ItemPalette(std::int32_t style) : style_(style) {}

  HBRUSH Brush(int id) const {
    if (IsOfficeStyle(style_)) return UIColourBrush(static_cast<std::uint32_t>(style_), id);
    if (style_ == UISTYLE_WHIDBEY) return reinterpret_cast<HBRUSH>(static_cast<UINT_PTR>(GetModeColour(UISTYLE_WHIDBEY, id)));
    return GetSysColorBrush(SystemColourOf(id));
  }

  COLORREF TextColour(int id) const {
    if (IsOfficeStyle(style_)) return GetUIColour(static_cast<std::uint32_t>(style_), id, kUIColourColorref);
    if (style_ == UISTYLE_WHIDBEY) return GetModeColour(UISTYLE_WHIDBEY, id) & 0xFFFFFFu;
    return GetSysColor(SystemColourOf(id));
  }

 private:
  // Styles before Whidbey follow the system's menu colours.
  static int SystemColourOf(int id) {
    switch (id) {
      case kSelected:
      case kSelectedBorder:
      case kCheckSelected:
        return COLOR_HIGHLIGHT;
      case kSelectedText:
        return COLOR_HIGHLIGHTTEXT;
      case kDisabledText:
        return COLOR_GRAYTEXT;
      case kMenuText:
        return COLOR_MENUTEXT;
      case kSeparatorBar:
      case kCheckNormalBorder:
      case kCheckSelectedBorder:
      case kCheckDisabledBorder:
        return COLOR_BTNSHADOW;
      default:
        return COLOR_MENU;
    }
  }

  std::int32_t style_;
};

void Fill(HDC dc, const RECT& rect, HBRUSH brush) {
  if (brush != nullptr) FillRect(dc, &rect, brush);
}

void Frame(HDC dc, const RECT& rect, HBRUSH brush) {
  if (brush != nullptr) FrameRect(dc, &rect, brush);
}

int MarginWidth(const MenuItemRecord& item, std::int32_t style) {
  return item.ImageWidth + 2 * kImagePadding + (style == UISTYLE_OFFICE2007 ? 2 : 0);
}

void PaintBackground(HDC dc, const RECT& rect, int margin, std::int32_t style, const ItemPalette& palette) {
  Fill(dc, rect, palette.Brush(kBackground));
  RECT column{rect.left, rect.top, rect.left + margin, rect.bottom};
  if (IsOfficeStyle(style)) {
    PaintStyleBackground(dc, static_cast<std::uint32_t>(style), kMenuBar, column, 0);
  } else {
    Fill(dc, column, palette.Brush(kMenuBar));
  }
}

void PaintArrowRow(HDC dc, const RECT& rect, bool up) {
  const int size = GetSystemMetrics(SM_CYMENUCHECK) / 2;
  const int cx = (rect.left + rect.right) / 2;
  const int cy = (rect.top + rect.bottom) / 2;
  const int tip = up ? cy - size / 2 : cy + size / 2;
  const int base = up ? cy + size / 2 : cy - size / 2;
  POINT points[3] = {{cx - size, base}, {cx + size, base}, {cx, tip}};
  HGDIOBJ pen = SelectObject(dc, GetStockObject(BLACK_PEN));
  HGDIOBJ brush = SelectObject(dc, GetStockObject(BLACK_BRUSH));
  Polygon(dc, points, 3);
  SelectObject(dc, brush);
  SelectObject(dc, pen);
}

void PaintSeparator(HDC dc, const RECT& rect, int margin, const ItemPalette& palette) {
  const int y = (rect.top + rect.bottom) / 2;
  RECT line{rect.left + margin + kTextGap, y, rect.right, y + 1};
  Fill(dc, line, palette.Brush(kSeparatorBar));
}

void PaintSelection(HDC dc, const RECT& rect, std::int32_t style, ItemLook look, const ItemPalette& palette) {
  RECT selection = rect;
  InflateRect(&selection, -1, 0);
  if (look == ItemLook::Selected) {
    if (IsOfficeStyle(style)) {
      PaintStyleBackground(dc, static_cast<std::uint32_t>(style), kSelected, selection, 0);
    } else {
      Fill(dc, selection, palette.Brush(kSelected));
    }
  }
  Frame(dc, selection, palette.Brush(kSelectedBorder));
}

void PaintCheckBox(HDC dc, const RECT& rect, const MenuItemRecord& item, ItemLook look, const ItemPalette& palette) {
  const int fill = look == ItemLook::Selected ? kCheckSelected : look == ItemLook::Disabled ? kCheckDisabled : kCheckNormal;
  const int border = fill + 1;
  const int top = rect.top + (rect.bottom - rect.top - item.ImageHeight) / 2 - 2;
  RECT box{rect.left + kImagePadding - 2, top, rect.left + kImagePadding + item.ImageWidth + 2,
           top + item.ImageHeight + 4};
  Fill(dc, box, palette.Brush(fill));
  Frame(dc, box, palette.Brush(border));
  HIMAGELIST glyph = item.IsRadio != 0 ? Toolkit.MenuRadioGlyph : Toolkit.MenuCheckGlyph;
  if (glyph == nullptr || item.HasImage) return;
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(glyph, &width, &height);
  ImageList_Draw(glyph, 0, dc, (box.left + box.right - width) / 2, (box.top + box.bottom - height) / 2, ILD_TRANSPARENT);
}

void PaintImage(HDC dc, const RECT& rect, const MenuItemRecord& item, ItemLook look) {
  if (item.ImageList == nullptr || !item.HasImage) return;
  int index = 0;
  if (look == ItemLook::Disabled && item.HasDisabledImage) index = 2;
  if (look == ItemLook::Selected && item.HasHotImage) index = 1;
  const int y = rect.top + (rect.bottom - rect.top - item.ImageHeight) / 2;
  ImageList_Draw(item.ImageList, index, dc, rect.left + kImagePadding, y, ILD_TRANSPARENT);
}

void PaintTexts(HDC dc, const RECT& rect, int margin, const MenuItemRecord& item, COLORREF colour) {
  const SplitItem split = SplitItemText(item.ItemText);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colour);
  const int arrowSpace = GetSystemMetrics(SM_CXMENUCHECK);
  RECT label{rect.left + margin + kTextGap, rect.top, rect.right - arrowSpace, rect.bottom};
  DrawCodedText(dc, split.Label, label, Toolkit.MenuFont, kCodedCentreDown);
  if (!split.HasShortcutMark || split.Shortcut.empty()) return;
  RECT measured{};
  DrawCodedText(dc, split.Shortcut, measured, Toolkit.MenuFont, kCodedMeasureOnly);
  RECT shortcut{rect.right - arrowSpace - (measured.right - measured.left), rect.top, rect.right - arrowSpace,
                rect.bottom};
  DrawCodedText(dc, split.Shortcut, shortcut, Toolkit.MenuFont, kCodedCentreDown);
}

// The system's submenu arrow, drawn as ours (white is see-through) and then clipped away from
// the menu's own painting so the system does not draw a second one.
void PaintSubmenuArrow(HDC dc, const RECT& rect) {
  const int size = GetSystemMetrics(SM_CXMENUCHECK);
  const int top = rect.top + (rect.bottom - rect.top - size) / 2;
  HDC arrowDC = CreateCompatibleDC(dc);
  HBITMAP arrow = CreateCompatibleBitmap(dc, size, size);
  HGDIOBJ previous = SelectObject(arrowDC, arrow);
  RECT box{0, 0, size, size};
  DrawFrameControl(arrowDC, &box, DFC_MENU, DFCS_MENUARROW);
  GdiTransparentBlt(dc, rect.right - size, top, size, size, arrowDC, 0, 0, size, size, RGB(255, 255, 255));
  SelectObject(arrowDC, previous);
  DeleteObject(arrow);
  DeleteDC(arrowDC);
}

void ClipSubmenuArrow(HDC target, const RECT& item) {
  const int size = GetSystemMetrics(SM_CXMENUCHECK);
  const int top = item.top + (item.bottom - item.top - size) / 2;
  ExcludeClipRect(target, item.right - size, top, item.right, top + size);
}

bool OpensSubmenu(const MenuItemRecord& item) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_SUBMENU;
  return GetMenuItemInfoW(item.MenuHandle, static_cast<UINT>(item.Position), TRUE, &info) && info.hSubMenu != nullptr;
}

void PaintItem(HDC dc, const RECT& rect, const MenuItemRecord& item, std::int32_t style, UINT state) {
  const ItemPalette palette(style);
  const int margin = MarginWidth(item, style);
  MenuTracking.ImageMarginWidth = margin;
  PaintBackground(dc, rect, margin, style, palette);
  if (item.Kind == kMenuItemTopArrow || item.Kind == kMenuItemBottomArrow) {
    PaintArrowRow(dc, rect, item.Kind == kMenuItemTopArrow);
    return;
  }
  if (item.Kind == kMenuItemSpacer) return;
  if (item.ItemText.empty()) {
    PaintSeparator(dc, rect, margin, palette);
    return;
  }
  const ItemLook look = LookOf(state);
  if (look == ItemLook::Selected || (look == ItemLook::Disabled && (state & ODS_SELECTED) != 0)) {
    PaintSelection(dc, rect, style, look, palette);
  }
  if ((state & ODS_CHECKED) != 0) PaintCheckBox(dc, rect, item, look, palette);
  PaintImage(dc, rect, item, look);
  const int textId = look == ItemLook::Selected ? kSelectedText : look == ItemLook::Disabled ? kDisabledText : kMenuText;
  PaintTexts(dc, rect, margin, item, palette.TextColour(textId));
}

// The last drawn image of an open menu-bar menu serves the popup's background next time.
void RefreshRenderCache(HDC menuDC, MenuRecord& menu) {
  if (menu.Width <= 0 || menu.Height <= 0) return;
  if (menu.RenderDC == nullptr || menu.RenderWidth != menu.Width || menu.RenderHeight != menu.Height) {
    if (menu.RenderDC != nullptr) DeleteDC(menu.RenderDC);
    if (menu.RenderBitmap != nullptr) DeleteObject(menu.RenderBitmap);
    menu.RenderDC = CreateCompatibleDC(menuDC);
    menu.RenderBitmap = CreateCompatibleBitmap(menuDC, menu.Width, menu.Height);
    SelectObject(menu.RenderDC, menu.RenderBitmap);
    menu.RenderWidth = menu.Width;
    menu.RenderHeight = menu.Height;
  }
  BitBlt(menu.RenderDC, 0, 0, menu.Width, menu.Height, menuDC, 0, 0, SRCCOPY);
}

}  // namespace

LRESULT HostMeasureItem(HWND, LPARAM lParam, LRESULT previous) {
  auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
  if (measure == nullptr || measure->CtlType != ODT_MENU) return previous;
  ToolkitLockGuard lock(ToolkitLock::Menu);
  const MenuItemRecord* item = ItemOfData(measure->itemData);
  if (item == nullptr) return previous;
  HDC dc = CreateCompatibleDC(nullptr);
  measure->itemHeight = static_cast<UINT>(MeasureMenuItemHeight(dc, item));
  DeleteDC(dc);
  const bool inCopy = MenuTracking.CopyMenu != nullptr && item->MenuHandle == MenuTracking.CopyMenu;
  measure->itemWidth = static_cast<UINT>(inCopy && MenuTracking.CopyItemWidth > 0 ? MenuTracking.CopyItemWidth
                                                                                  : MeasureMenuItemWidth(item));
  return previous;
}

LRESULT HostDrawItem(HWND, LPARAM lParam, LRESULT previous) {
  auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
  if (draw == nullptr || draw->CtlType != ODT_MENU) return previous;
  // Neither a copy being rebuilt nor the menu a title switch is about to replace is drawn.
  if (MenuTracking.CopyRebuilding || TitleSwitchUnderWay()) return 0;
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuItemRecord* item = ItemOfData(draw->itemData);
  if (item == nullptr) return previous;
  MenuRecord* menu = item->Menu;
  const std::int32_t style = menu != nullptr ? menu->Style : item->Style;
  const int count = GetMenuItemCount(item->MenuHandle);
  // No arrow rows are clipped away: the system never scrolls a toolkit drop-down (an over-long
  // one is shown as a scrollable copy, whose arrow rows are items painted here like the rest).
  if (item->Position == 0) HostWindows.PaintPass = true;
  const RECT& target = draw->rcItem;
  const int width = target.right - target.left;
  const int height = target.bottom - target.top;
  HDC dc = CreateCompatibleDC(draw->hDC);
  HBITMAP bitmap = CreateCompatibleBitmap(draw->hDC, width, height);
  HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
  const RECT local{0, 0, width, height};
  PaintItem(dc, local, *item, style, draw->itemState);
  const bool submenu = item->Kind == 0 && !item->ItemText.empty() && OpensSubmenu(*item);
  if (submenu) PaintSubmenuArrow(dc, local);
  BitBlt(draw->hDC, target.left, target.top, width, height, dc, 0, 0, SRCCOPY);
  if (submenu) ClipSubmenuArrow(draw->hDC, target);
  SelectObject(dc, previousBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  if (item->Position == count - 1 && HostWindows.PaintPass) {
    HostWindows.PaintPass = false;
    if (menu != nullptr && menu->Open && !menu->IsPopup && MenuTracking.CopyMenu == nullptr &&
        HostWindows.RenderCacheOption) {
      RefreshRenderCache(draw->hDC, *menu);
    }
  }
  return previous;
}
