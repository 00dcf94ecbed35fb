// Owner-drawn menu items as the host window procedure measures and paints them.
#include <gtest/gtest.h>

#include "../foundation/dib_canvas.h"
#include "popups_fixture.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/menus.h"

namespace {

constexpr int kItemWidth = 160;
constexpr int kItemHeight = 23;

COLORREF UiColour(int id) { return GetUIColour(kOffice2003, id, kUIColourColorref); }

ULONG_PTR ItemData(HMENU menu, int position) { return ItemInfo(menu, position, true, MIIM_DATA).dwItemData; }

// Whether `colour` shows anywhere in the columns left..right of an item drawn into `canvas`.
bool Holds(const DibCanvas& canvas, COLORREF colour, int left, int right) {
  for (int y = 0; y < kItemHeight; ++y)
    for (int x = left; x < right; ++x)
      if (canvas.Colour(x, y) == colour) return true;
  return false;
}

class HostOwnerDrawTest : public PopupsTest {
 protected:
  void SetUp() override {
    PopupsTest::SetUp();
    Image = SolidBitmap(RGB(200, 30, 30));
    SetMenuImageSize(16, 16);
    Menu = CreateSkinnedPopupMenu(7, kOffice2003);
    ASSERT_NE(Menu, nullptr);
    ASSERT_NE(AddMenuItem(31, u"Kick", Image, nullptr, nullptr, 0), 0);
    AddMenuSeparator();
    ASSERT_NE(AddMenuItem(32, u"Ban", nullptr, nullptr, nullptr, 0), 0);
    // The owner of a context menu carries the host procedure.
    InstallHostWindowProc(Window, false);
  }
  void TearDown() override {
    DeleteObject(Image);
    PopupsTest::TearDown();
  }
  LRESULT Draw(DibCanvas& canvas, int position, UINT state) {
    DRAWITEMSTRUCT draw{};
    draw.CtlType = ODT_MENU;
    draw.itemID = GetMenuItemID(Menu, position);
    draw.itemState = state;
    draw.hwndItem = reinterpret_cast<HWND>(Menu);
    draw.hDC = canvas.Dc();
    draw.rcItem = RECT{0, 0, kItemWidth, kItemHeight};
    draw.itemData = ItemData(Menu, position);
    return SendMessageW(Window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  }

  HBITMAP Image = nullptr;
  HMENU Menu = nullptr;
};

TEST_F(HostOwnerDrawTest, AnItemWithSixteenPixelImagesMeasuresTwentyThreeHigh) {
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemID = 31;
  measure.itemData = ItemData(Menu, 0);
  SendMessageW(Window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  EXPECT_EQ(measure.itemHeight, 23u);
  EXPECT_GT(measure.itemWidth, 32u);
}

TEST_F(HostOwnerDrawTest, ForeignItemDataIsLeftToTheWindowsOwnProcedure) {
  int foreign = 0;
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_MENU;
  measure.itemHeight = 77;
  measure.itemData = reinterpret_cast<ULONG_PTR>(&foreign);
  SendMessageW(Window, WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&measure));
  EXPECT_EQ(measure.itemHeight, 77u);

  DibCanvas canvas(kItemWidth, kItemHeight);
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_MENU;
  draw.hDC = canvas.Dc();
  draw.rcItem = RECT{0, 0, kItemWidth, kItemHeight};
  draw.itemData = reinterpret_cast<ULONG_PTR>(&foreign);
  SendMessageW(Window, WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&draw));
  EXPECT_EQ(canvas.Colour(kItemWidth - 5, kItemHeight / 2), RGB(255, 255, 255));
}

TEST_F(HostOwnerDrawTest, ANormalItemShowsTheMenuBackgroundTextAndImage) {
  DibCanvas canvas(kItemWidth, kItemHeight);
  Draw(canvas, 0, 0);
  EXPECT_EQ(canvas.Colour(kItemWidth - 5, 2), UiColour(30));
  EXPECT_TRUE(Holds(canvas, UiColour(4), 24, kItemWidth)) << "label in menutextcolor";
  EXPECT_TRUE(Holds(canvas, RGB(200, 30, 30), 0, 24)) << "the item's image in its column";
}

TEST_F(HostOwnerDrawTest, TheImageColumnShowsItsGradientEvenWithoutGdiPlus) {
  ASSERT_EQ(GdiPlus.Library, nullptr) << "this test draws without GDI+";
  DibCanvas canvas(kItemWidth, kItemHeight);
  Draw(canvas, 2, 0);
  EXPECT_EQ(canvas.Colour(0, kItemHeight / 2), UiColour(21)) << "the column starts in its first gradient colour";
  EXPECT_NE(canvas.Colour(2, kItemHeight / 2), RGB(0, 0, 0));
}

TEST_F(HostOwnerDrawTest, AHotItemIsFilledAndFramedInTheSelectionColours) {
  DibCanvas canvas(kItemWidth, kItemHeight);
  Draw(canvas, 0, ODS_SELECTED);
  EXPECT_EQ(canvas.Colour(1, kItemHeight / 2), UiColour(28));
  EXPECT_EQ(canvas.Colour(kItemWidth / 2, 0), UiColour(28));
  EXPECT_EQ(canvas.Colour(kItemWidth - 4, kItemHeight / 2), UiColour(26));
  EXPECT_TRUE(Holds(canvas, UiColour(27), 24, kItemWidth)) << "label in selectedtextcolor";
}

TEST_F(HostOwnerDrawTest, ADisabledItemWritesItsLabelInTheDisabledColour) {
  DibCanvas canvas(kItemWidth, kItemHeight);
  Draw(canvas, 2, ODS_DISABLED | ODS_GRAYED);
  EXPECT_TRUE(Holds(canvas, UiColour(29), 24, kItemWidth));
  EXPECT_FALSE(Holds(canvas, UiColour(4), 24, kItemWidth));
  EXPECT_EQ(canvas.Colour(kItemWidth - 5, 2), UiColour(30));
}

TEST_F(HostOwnerDrawTest, ASeparatorIsALineInTheSeparatorColourOnTheBackground) {
  DibCanvas canvas(kItemWidth, kItemHeight);
  Draw(canvas, 1, 0);
  EXPECT_EQ(canvas.Colour(kItemWidth / 2, kItemHeight / 2), UiColour(25));
  EXPECT_EQ(canvas.Colour(kItemWidth / 2, 1), UiColour(30));
}

TEST_F(HostOwnerDrawTest, ACheckedItemGetsItsCheckBoxInTheNormalCheckColours) {
  DibCanvas canvas(kItemWidth, kItemHeight);
  Draw(canvas, 2, ODS_CHECKED);
  EXPECT_TRUE(Holds(canvas, UiColour(15), 0, 24)) << "check box border";
}

}  // namespace
