#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/menus.h"

namespace {
// The alpha of the middle pixel of image `index` of `list`.
int MiddleAlpha(HIMAGELIST list, int index) {
  HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
  const int alpha = icon != nullptr ? static_cast<int>(PixelsOf(icon)[16 * 8 + 8] >> 24) : -1;
  DestroyIcon(icon);
  return alpha;
}

// Image 2 of an item's list is its style image: remade for every item unless the caller gave
// one, and by menu only when that menu's style changed.
TEST(RetintMenuImages, RemakesTheStyleImagesThatAreTheToolkitsOwn) {
  InitToolkit();
  HICON red = Icon(16, 16, Solid(16 * 16, 0xFFFF0000u));
  HIMAGELIST list = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 0, 0);
  for (int i = 0; i < 3; ++i) ImageList_ReplaceIcon(list, -1, red);
  DestroyIcon(red);
  MenuRecord& menu = ToolkitList<MenuRecord>(ToolkitListId::Menus).emplace_back();
  menu.Id = 77;
  menu.Style = 5;  // Whidbey: its style image is a faded copy
  MenuItemRecord& item = ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems).emplace_back();
  item.Menu = &menu;
  item.HasImage = true;
  item.ImageList = list;
  item.Style = 5;

  RetintMenuImages(77, 1);  // made for the menu's style already
  EXPECT_EQ(MiddleAlpha(list, 2), 255);
  item.HasDisabledImage = true;
  RetintMenuImages(0, 0);
  EXPECT_EQ(MiddleAlpha(list, 2), 255);
  item.HasDisabledImage = false;
  EXPECT_EQ(RetintMenuImages(0, 0), 0);
  EXPECT_EQ(MiddleAlpha(list, 0), 255);
  const int faded = MiddleAlpha(list, 2);
  EXPECT_TRUE(faded > 0 && faded < 255) << faded;
  menu.Style = 6;
  RetintMenuImages(78, 1);  // another menu
  EXPECT_EQ(item.Style, 5);
  RetintMenuImages(77, 1);
  EXPECT_EQ(item.Style, 6);

  ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems).clear();
  ToolkitList<MenuRecord>(ToolkitListId::Menus).clear();
  ImageList_Destroy(list);
}
}  // namespace
