#pragma once
// The sizes of owner-drawn menu items, of whole popup menus and of menu-bar title buttons,
// worked out over an injected text measurer so that the formulas hold without a window.
#include <cstdint>
#include <functional>
#include <span>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/coded_text_layout.h"  // TextExtent
#include "veloui/foundation/core/ui_colour_ids.h"

// The looks older than Whidbey: the style numbers below it (menu records hold them signed).
constexpr bool IsPreWhidbeyStyle(std::int32_t style) { return style < static_cast<std::int32_t>(UISTYLE_WHIDBEY); }

// The special rows of a scrollable copy of an over-long menu.
constexpr std::int32_t kMenuItemBottomArrow = -1;
constexpr std::int32_t kMenuItemTopArrow = -2;
constexpr std::int32_t kMenuItemSpacer = -3;

struct MenuTextMeasurer {
  std::function<TextExtent(TextView)> Coded;  // coded-text measuring in the menu font
  std::function<TextExtent(TextView)> Plain;  // single-line system measuring in the menu font
};

// What the formulas need of the system and of the menu font.
struct MenuMetrics {
  int MenuCheckWidth = 0;  // SM_CXMENUCHECK
  int MenuSizeWidth = 0;   // SM_CXMENUSIZE
  int FontPointSize = 0;   // the menu font's size in points
  int SpacerHeight = 0;    // rows of a scrollable copy
  int ArrowHeight = 0;
};

// One item as the measuring sees it.
struct MenuItemShape {
  Text ItemText;            // "" for a separator
  bool OwnerDrawn = true;
  std::int32_t Kind = 0;    // 0, or one of the special rows above
  int ImageWidth = 0;
  int ImageHeight = 0;
};

// The gap beside item images: the font step of the point size, 2 less for small fonts.
int MenuImageGap(int pointSize);

int MenuItemHeight(const MenuItemShape& item, std::int32_t menuStyle, const MenuTextMeasurer& measure,
                   const MenuMetrics& metrics);
int MenuItemWidth(const MenuItemShape& item, const MenuTextMeasurer& measure, const MenuMetrics& metrics);

// The outer height of a popup: its owner-drawn items and the frame of its style.
int PopupMenuHeight(std::span<const MenuItemShape> items, std::int32_t menuStyle,
                    const MenuTextMeasurer& measure, const MenuMetrics& metrics);
// The widest item of a popup that is not on screen.
int PopupMenuWidth(std::span<const MenuItemShape> items, std::int32_t menuStyle,
                   const MenuTextMeasurer& measure, const MenuMetrics& metrics);

// A menu-bar title button for a title text of the given extent.
struct TitleButtonSize {
  int Width = 0;      // the button's own width (TBIF_SIZE)
  int BarHeight = 0;  // the toolbar's button height (TB_SETBUTTONSIZE)
};
TitleButtonSize MenuTitleButtonSize(TextExtent title, std::int32_t menuStyle);
