#include "veloui/foundation/ui_colours.h"

#include <gtest/gtest.h>

#include <vector>

#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/toolkit_state.h"

namespace {
struct SeenMessage {
  HWND Window;
  UINT Message;
  WPARAM WParam;
};
std::vector<SeenMessage> Seen;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SETREDRAW || message == kSkinRefreshMessage)
    Seen.push_back({window, message, wParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t* RecordingClass() {
  static const bool registered = [] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof(window_class);
    window_class.lpfnWndProc = RecordingProc;
    window_class.hInstance = GetModuleHandleW(nullptr);
    window_class.lpszClassName = L"WindowClass_ColourModeTest";
    return RegisterClassExW(&window_class) != 0;
  }();
  return registered ? L"WindowClass_ColourModeTest" : nullptr;
}

HWND MakeWindow(HWND parent, bool visible) {
  const DWORD style = (parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW) | (visible ? WS_VISIBLE : 0);
  return CreateWindowExW(0, RecordingClass(), L"", style, 0, 0, 200, 100, parent, nullptr, GetModuleHandleW(nullptr),
                         nullptr);
}

std::vector<SeenMessage> MessagesOf(HWND window, UINT message) {
  std::vector<SeenMessage> found;
  for (const SeenMessage& seen : Seen)
    if (seen.Window == window && seen.Message == message) found.push_back(seen);
  return found;
}

class UIColourModeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitToolkit();
    Seen.clear();
  }
  void TearDown() override {
    for (HWND window : windows_) DestroyWindow(window);
  }
  HWND Keep(HWND window) {
    if (GetParent(window) == nullptr) windows_.push_back(window);
    return window;
  }
  std::vector<HWND> windows_;
};

TEST_F(UIColourModeTest, BroadcastSuspendsVisibleDirectChildrenAndTellsEveryDescendant) {
  HWND top = Keep(MakeWindow(nullptr, true));
  HWND shown_child = MakeWindow(top, true);
  HWND hidden_child = MakeWindow(top, false);
  HWND grandchild = MakeWindow(shown_child, true);
  HWND hidden_top = Keep(MakeWindow(nullptr, false));
  HWND child_of_hidden = MakeWindow(hidden_top, true);
  ASSERT_NE(grandchild, nullptr);
  ASSERT_NE(child_of_hidden, nullptr);
  Seen.clear();

  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);

  // Suspended and resumed once by the mode switch itself and once more by the skin refresh
  // that follows it.
  std::vector<WPARAM> redraws;
  for (const SeenMessage& seen : MessagesOf(shown_child, WM_SETREDRAW)) redraws.push_back(seen.WParam);
  EXPECT_EQ(redraws, (std::vector<WPARAM>{0, 1, 0, 1}));
  for (HWND window : {hidden_child, grandchild, child_of_hidden})
    EXPECT_TRUE(MessagesOf(window, WM_SETREDRAW).empty());
  for (HWND window : {shown_child, hidden_child, grandchild, child_of_hidden})
    EXPECT_EQ(MessagesOf(window, kSkinRefreshMessage).size(), 1u);
  EXPECT_EQ(GetUIColourMode(), UICOLOURMODE_DEFAULT_GREY);
  EXPECT_EQ(GetColourModeName(), u"grey");
}

}  // namespace
