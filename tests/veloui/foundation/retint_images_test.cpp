#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/menus.h"

namespace {
constexpr int kSize = 16;

// The alpha of the middle pixel of image `index` of `list`.
int MiddleAlpha(HIMAGELIST list, int index) {
  HICON icon = ImageList_GetIcon(list, index, ILD_NORMAL);
  if (icon == nullptr) return -1;
  const std::vector<std::uint32_t> pixels = PixelsOf(icon);
  DestroyIcon(icon);
  return static_cast<int>(pixels[kSize * kSize / 2 + kSize / 2] >> 24);
}

class RetintMenuImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitToolkit();
    HICON red = Icon(kSize, kSize, Solid(kSize * kSize, 0xFFFF0000u));
    list_ = ImageList_Create(kSize, kSize, ILC_COLOR32 | ILC_MASK, 0, 0);
    for (int i = 0; i < 3; ++i) ImageList_ReplaceIcon(list_, -1, red);
    DestroyIcon(red);
    auto& menus = ToolkitList<MenuRecord>(ToolkitListId::Menus);
    menus.push_back({});
    menu_ = &menus.back();
    menu_->Id = 77;
    menu_->Style = 5;  // Whidbey: its style image is a faded copy
    auto& items = ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems);
    items.push_back({});
    item_ = &items.back();
    item_->Menu = menu_;
    item_->HasImage = true;
    item_->ImageList = list_;
    item_->Style = 5;
  }
  void TearDown() override {
    ToolkitList<MenuItemRecord>(ToolkitListId::MenuItems).clear();
    ToolkitList<MenuRecord>(ToolkitListId::Menus).clear();
    ImageList_Destroy(list_);
  }
  HIMAGELIST list_ = nullptr;
  MenuRecord* menu_ = nullptr;
  MenuItemRecord* item_ = nullptr;
};

TEST_F(RetintMenuImagesTest, AllItemsGetANewStyleImageUnlessTheCallerGaveOne) {
  item_->HasDisabledImage = true;
  RetintMenuImages(0, 0);
  EXPECT_EQ(MiddleAlpha(list_, 2), 255);
  item_->HasDisabledImage = false;
  EXPECT_EQ(RetintMenuImages(0, 0), 0);
  EXPECT_EQ(MiddleAlpha(list_, 0), 255);
  const int faded = MiddleAlpha(list_, 2);
  EXPECT_GT(faded, 0);
  EXPECT_LT(faded, 255);
}

TEST_F(RetintMenuImagesTest, ByMenuOnlyWhenTheStyleChanged) {
  RetintMenuImages(77, 1);  // the item was made for the menu's style already
  EXPECT_EQ(MiddleAlpha(list_, 2), 255);
  menu_->Style = 6;
  RetintMenuImages(78, 1);  // another menu
  EXPECT_EQ(item_->Style, 5);
  RetintMenuImages(77, 1);
  EXPECT_EQ(item_->Style, 6);
}
}  // namespace
