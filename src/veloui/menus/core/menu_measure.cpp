#include "veloui/menus/core/menu_measure.h"

#include <algorithm>
#include <cmath>

#include "veloui/foundation/core/font_steps.h"
#include "veloui/menus/core/item_text.h"

namespace {

bool IsOffice2003(std::int32_t style) { return style == UISTYLE_OFFICE2003_SHORT || style == UISTYLE_OFFICE2003; }

int PopupFrame(std::int32_t style) {
  if (IsPreWhidbeyStyle(style)) return 6;
  if (style == UISTYLE_WHIDBEY) return 5;
  return 3;
}

int PopupWidthAdjustment(std::int32_t style) {
  if (IsOffice2003(style)) return -2;
  if (style == UISTYLE_OFFICE2007) return 1;
  return 0;
}

}  // namespace

int MenuImageGap(int pointSize) { return CalcFontStepSize(pointSize) - (pointSize <= 9 ? 2 : 0); }

int MenuItemHeight(const MenuItemShape& item, std::int32_t menuStyle, const MenuTextMeasurer& measure,
                   const MenuMetrics& metrics) {
  if (item.Kind < 0) return item.Kind == kMenuItemSpacer ? metrics.SpacerHeight : metrics.ArrowHeight;
  if (item.ItemText.empty()) return IsPreWhidbeyStyle(menuStyle) ? 7 : 2;
  const int textHeight = measure.Coded(item.ItemText).Height + 4;
  return std::max(textHeight, item.ImageHeight + 4) + 3;
}

int MenuItemWidth(const MenuItemShape& item, const MenuTextMeasurer& measure, const MenuMetrics& metrics) {
  const SplitItem split = SplitItemText(item.ItemText);
  int textWidth = measure.Coded(split.Label).Width;
  if (split.HasShortcutMark) textWidth += measure.Coded(split.Shortcut).Width;
  return textWidth + 2 * item.ImageWidth + MenuImageGap(metrics.FontPointSize) + metrics.MenuCheckWidth;
}

int PopupMenuHeight(std::span<const MenuItemShape> items, std::int32_t menuStyle,
                    const MenuTextMeasurer& measure, const MenuMetrics& metrics) {
  int height = 0;
  for (const MenuItemShape& item : items) {
    if (item.OwnerDrawn) height += MenuItemHeight(item, menuStyle, measure, metrics);
  }
  return height + PopupFrame(menuStyle);
}

int PopupMenuWidth(std::span<const MenuItemShape> items, std::int32_t menuStyle,
                   const MenuTextMeasurer& measure, const MenuMetrics& metrics) {
  int widest = 0;
  for (const MenuItemShape& item : items) {
    int width = 0;
    if (item.OwnerDrawn) {
      width = MenuItemWidth(item, measure, metrics) + metrics.MenuSizeWidth + PopupWidthAdjustment(menuStyle);
    } else {
      width = measure.Plain(item.ItemText).Width +
              static_cast<int>(std::lround(2.5 * metrics.MenuCheckWidth + 12));
    }
    widest = std::max(widest, width);
  }
  return widest;
}

TitleButtonSize MenuTitleButtonSize(TextExtent title, std::int32_t menuStyle) {
  int width = title.Width + 18;
  int height = title.Height + 8 < 22 ? 14 : title.Height;
  if (menuStyle == UISTYLE_OFFICE2003_SHORT) {
    width -= 2;
    height -= 3;
  } else if (menuStyle == UISTYLE_OFFICE2007) {
    width -= 2;
    height -= 2;
  }
  return {width, height + 8};
}
