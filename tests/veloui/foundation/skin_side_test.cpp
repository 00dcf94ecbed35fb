#include <windows.h>

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "dib_canvas.h"
#include "veloui/foundation/skin_images.h"
#include "veloui/foundation/skin_windows.h"
#include "veloui/foundation/toolkit.h"

namespace {

// A 5 x 3 image; 'k' pixels carry the key colour (magenta), the rest are opaque.
TEST(SkinImages, RegionFromImageCoversEveryPixelButTheKeyColour) {
  const char* rows[] = {"kk.kk", ".....", "k.k.k"};
  std::vector<std::uint32_t> pixels;
  for (const char* row : rows)
    for (int x = 0; x < 5; ++x) pixels.push_back(row[x] == 'k' ? 0xFFFF00FFu : 0xFF204060u);
  HBITMAP image = Bitmap32(5, 3, pixels);
  HRGN region = RegionFromImage(image, RGB(255, 0, 255));
  ASSERT_NE(region, nullptr);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PtInRegion(region, x, y) != 0, rows[y][x] != 'k') << x << "," << y;
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 5);
  EXPECT_EQ(box.bottom, 3);
  DeleteObject(region);
  DeleteObject(image);
}

TEST(SkinWindows, SizeLimitsResizeABreakingWindowAtOnceAndLeaveAPureMoveAlone) {
  InitToolkit();
  HWND window = TestWindow(L"SkinWindowsTest", DefWindowProcW, nullptr, WS_POPUP, 500, 60);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SetWindowSizeLimits(nullptr, 1, 1, 0, 0), 0);
  ASSERT_EQ(SetWindowSizeLimits(window, 0, 100, 400, 0), 1);
  const auto frame = [window] {
    RECT area{};
    GetWindowRect(window, &area);
    return std::tuple{area.left, area.top, area.right - area.left, area.bottom - area.top};
  };
  EXPECT_EQ(frame(), std::tuple(20, 20, 400, 100));
  SetWindowPos(window, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  EXPECT_EQ(frame(), std::tuple(30, 40, 400, 100));
  MoveWindow(window, 30, 40, 600, 20, FALSE);  // a later resize past a limit is held by the subclass
  EXPECT_EQ(frame(), std::tuple(30, 40, 400, 100));
  DestroyWindow(window);
}

}  // namespace
