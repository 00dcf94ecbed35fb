#include "veloui/menus/menu_measuring.h"

#include <vector>

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/coded_text.h"
#include "veloui/foundation/core/font_steps.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/fonts.h"
#include "veloui/menus/core/menu_measure.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/menu_builder_state.h"

MenuScrollRowHeights MenuScrollRows;

namespace {

MenuTextMeasurer MeasurerFor(HDC dc) {
  MenuTextMeasurer measure;
  measure.Coded = [dc](TextView text) {
    RECT rect{};
    DrawCodedText(dc, Text(text), rect, nullptr, kCodedMeasureOnly);
    return TextExtent{rect.right - rect.left, rect.bottom - rect.top};
  };
  measure.Plain = [dc](TextView text) {
    RECT rect{};
    const Text copy(text);
    DrawTextW(dc, Wide(copy), -1, &rect, DT_CALCRECT | DT_SINGLELINE);
    return TextExtent{rect.right - rect.left, rect.bottom - rect.top};
  };
  return measure;
}

MenuMetrics CurrentMetrics() {
  MenuMetrics metrics;
  metrics.MenuCheckWidth = GetSystemMetrics(SM_CXMENUCHECK);
  metrics.MenuSizeWidth = GetSystemMetrics(SM_CXMENUSIZE);
  LOGFONTW font{};
  if (GetObjectW(EnsureMenuFont(), sizeof(font), &font) != 0) {
    metrics.FontPointSize = PointSizeOfHeight(font.lfHeight, GetScreenDPI(0));
  }
  metrics.SpacerHeight = MenuScrollRows.SpacerHeight;
  metrics.ArrowHeight = MenuScrollRows.ArrowHeight;
  return metrics;
}

MenuItemShape ShapeOf(const MenuItemRecord& item) {
  MenuItemShape shape;
  shape.ItemText = item.ItemText;
  shape.Kind = item.Kind;
  shape.ImageWidth = item.ImageWidth;
  shape.ImageHeight = item.ImageHeight;
  return shape;
}

// A memory DC holding the menu font for one measuring pass.
class MenuFontDC {
 public:
  MenuFontDC() : dc_(CreateCompatibleDC(nullptr)), previous_(SelectObject(dc_, EnsureMenuFont())) {}
  ~MenuFontDC() {
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
  }
  MenuFontDC(const MenuFontDC&) = delete;
  MenuFontDC& operator=(const MenuFontDC&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HGDIOBJ previous_;
};

std::vector<MenuItemShape> ShapesOf(HMENU menu, int count) {
  std::vector<MenuItemShape> shapes;
  for (int position = 0; position < count; ++position) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_FTYPE | MIIM_DATA;
    if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) continue;
    if ((info.fType & MFT_OWNERDRAW) != 0) {
      if (const MenuItemRecord* item = ItemRecordAt(menu, static_cast<UINT>(position), true)) {
        shapes.push_back(ShapeOf(*item));
      }
      continue;
    }
    MenuItemShape plain;
    plain.OwnerDrawn = false;
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length > 0) {
      Text text(static_cast<std::size_t>(length) + 1, u'\0');
      GetMenuStringW(menu, static_cast<UINT>(position), WideBuffer(text), length + 1, MF_BYPOSITION);
      text.resize(static_cast<std::size_t>(length));
      plain.ItemText = text;
    }
    shapes.push_back(plain);
  }
  return shapes;
}

MenuRecord* RecordOfHandle(HMENU menu) {
  for (MenuRecord& record : MenuList()) {
    if (record.Handle == menu) return &record;
  }
  return nullptr;
}

}  // namespace

int MeasureMenuItemHeight(HDC dc, const MenuItemRecord* item) {
  if (item == nullptr) return 0;
  HGDIOBJ previous = SelectObject(dc, EnsureMenuFont());
  const std::int32_t style = item->Menu != nullptr ? item->Menu->Style : item->Style;
  const int height = MenuItemHeight(ShapeOf(*item), style, MeasurerFor(dc), CurrentMetrics());
  SelectObject(dc, previous);
  return height;
}

int MeasureMenuItemWidth(const MenuItemRecord* item) {
  if (item == nullptr) return 0;
  MenuFontDC dc;
  return MenuItemWidth(ShapeOf(*item), MeasurerFor(dc.Get()), CurrentMetrics());
}

int MeasurePopupMenuHeight(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  if (count == -1) return 0;
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuRecord* record = RecordOfHandle(menu);
  const std::int32_t style = record != nullptr ? record->Style : 0;
  MenuFontDC dc;
  const int height = PopupMenuHeight(ShapesOf(menu, count), style, MeasurerFor(dc.Get()), CurrentMetrics());
  if (record != nullptr) record->Height = height;
  return height;
}

int MeasurePopupMenuWidth(HMENU menu) {
  const int count = GetMenuItemCount(menu);
  if (count == -1) return 0;
  ToolkitLockGuard lock(ToolkitLock::Menu);
  MenuRecord* record = RecordOfHandle(menu);
  int width = 0;
  RECT shown{};
  if (count > 0 && GetMenuItemRect(nullptr, menu, 0, &shown) && shown.right - shown.left != 0) {
    width = shown.right - shown.left + 6;
  } else {
    // The menu's own style decides the adjustment, not whichever menu is being built.
    const std::int32_t style = record != nullptr ? record->Style : 0;
    MenuFontDC dc;
    width = PopupMenuWidth(ShapesOf(menu, count), style, MeasurerFor(dc.Get()), CurrentMetrics());
  }
  if (record != nullptr) record->Width = width;
  return width;
}
