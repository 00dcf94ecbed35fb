// Teardown of a toolkit that was initialised but never started (its own process).
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/toolkit_state.h"

namespace {
std::mutex LinesGuard;
std::vector<Text> Lines;
void Capture(const Text& line) {
  std::lock_guard guard(LinesGuard);
  Lines.push_back(line);
}

std::vector<UINT> TopMessages;
LRESULT CALLBACK TopProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SHOWWINDOW && wParam == FALSE) TopMessages.push_back(message);
  if (message == WM_DESTROY) TopMessages.push_back(message);
  return DefWindowProcW(window, message, wParam, lParam);
}

TEST(ToolkitUnstarted, TeardownWithoutAnimationThreadHidesThenDestroysOwnWindows) {
  ASSERT_EQ(InitToolkit(), 0);
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = TopProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = L"WindowClass_Unstarted";
  ASSERT_NE(RegisterClassExW(&window_class), 0);
  HWND top = CreateWindowExW(0, L"WindowClass_Unstarted", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100,
                             nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(top, nullptr);
  TopMessages.clear();
  SetDebugLogSinkForTesting(Capture);

  ASSERT_EQ(Toolkit.AnimationThreadHandle, nullptr);
  ASSERT_EQ(FreeToolkit(), 0);
  SetDebugLogSinkForTesting(nullptr);

  EXPECT_FALSE(IsWindow(top));
  EXPECT_EQ(TopMessages, (std::vector<UINT>{WM_SHOWWINDOW, WM_DESTROY}));
  std::lock_guard guard(LinesGuard);
  const std::vector<Text> expected = {u"freed rebars", u"freed toolbars", u"freed buttons", u"freed menus",
                                      u"freed textcontrols", u"freed splitterexs", u"freed panels"};
  EXPECT_EQ(Lines, expected);
}
}  // namespace
