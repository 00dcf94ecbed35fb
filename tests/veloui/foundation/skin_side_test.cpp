#include <windows.h>

#include <gtest/gtest.h>

#include "dib_canvas.h"
#include "veloui/foundation/skin_images.h"
#include "veloui/foundation/skin_windows.h"
#include "veloui/foundation/toolkit.h"

namespace {

// A 5 x 3 image; 'k' pixels carry the key colour (magenta), the rest are opaque.
TEST(SkinImages, RegionFromImageCoversEveryPixelButTheKeyColour) {
  const char* rows[] = {"kk.kk", ".....", "k.k.k"};
  BITMAPINFO info = DibInfo(5, 3);
  void* bits = nullptr;
  HBITMAP image = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  ASSERT_NE(image, nullptr);
  auto* pixels = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) pixels[y * 5 + x] = rows[y][x] == 'k' ? 0xFFFF00FFu : 0xFF204060u;
  }
  HRGN region = RegionFromImage(image, RGB(255, 0, 255));
  ASSERT_NE(region, nullptr);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) EXPECT_EQ(PtInRegion(region, x, y) != 0, rows[y][x] != 'k') << x << "," << y;
  }
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right, 5);
  EXPECT_EQ(box.bottom, 3);
  DeleteObject(region);
  DeleteObject(image);
}

LRESULT CALLBACK PlainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(SkinWindows, SizeLimitsResizeABreakingWindowAtOnceAndLeaveAPureMoveAlone) {
  InitToolkit();
  WNDCLASSW windowClass{};
  windowClass.lpfnWndProc = PlainProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = L"SkinWindowsTest";
  RegisterClassW(&windowClass);
  HWND window = CreateWindowExW(0, L"SkinWindowsTest", L"", WS_POPUP, 10, 10, 500, 60, nullptr, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(SetWindowSizeLimits(nullptr, 1, 1, 0, 0), 0);
  ASSERT_EQ(SetWindowSizeLimits(window, 0, 100, 400, 0), 1);
  RECT frame{};
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 10);
  EXPECT_EQ(frame.right - frame.left, 400);
  EXPECT_EQ(frame.bottom - frame.top, 100);
  SetWindowPos(window, nullptr, 30, 40, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.left, 30);
  EXPECT_EQ(frame.top, 40);
  EXPECT_EQ(frame.right - frame.left, 400);
  // A later resize past a limit is held by the subclass.
  MoveWindow(window, 30, 40, 600, 20, FALSE);
  GetWindowRect(window, &frame);
  EXPECT_EQ(frame.right - frame.left, 400);
  EXPECT_EQ(frame.bottom - frame.top, 100);
  DestroyWindow(window);
}

}  // namespace
