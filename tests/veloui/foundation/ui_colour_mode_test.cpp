#include "veloui/foundation/ui_colours.h"

#include <gtest/gtest.h>

#include <vector>

#include "dib_canvas.h"
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
  if (message == WM_SETREDRAW || message == kSkinRefreshMessage) Seen.push_back({window, message, wParam});
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(HWND parent, bool visible) {
  return TestWindow(L"WindowClass_ColourModeTest", RecordingProc, parent,
                    (parent != nullptr ? WS_CHILD : WS_OVERLAPPEDWINDOW) | (visible ? WS_VISIBLE : 0));
}

std::vector<WPARAM> MessagesOf(HWND window, UINT message) {
  std::vector<WPARAM> found;
  for (const SeenMessage& seen : Seen)
    if (seen.Window == window && seen.Message == message) found.push_back(seen.WParam);
  return found;
}

TEST(UIColourMode, BroadcastSuspendsVisibleDirectChildrenAndTellsEveryDescendant) {
  InitToolkit();
  HWND top = MakeWindow(nullptr, true);
  HWND shown_child = MakeWindow(top, true);
  HWND hidden_child = MakeWindow(top, false);
  HWND grandchild = MakeWindow(shown_child, true);
  HWND hidden_top = MakeWindow(nullptr, false);
  HWND child_of_hidden = MakeWindow(hidden_top, true);
  ASSERT_TRUE(grandchild && child_of_hidden);
  Seen.clear();

  ASSERT_EQ(SetUIColourMode(UICOLOURMODE_DEFAULT_GREY), 1);

  // Suspended and resumed once by the mode switch and once more by the skin refresh after it.
  EXPECT_EQ(MessagesOf(shown_child, WM_SETREDRAW), (std::vector<WPARAM>{0, 1, 0, 1}));
  for (HWND window : {hidden_child, grandchild, child_of_hidden}) EXPECT_TRUE(MessagesOf(window, WM_SETREDRAW).empty());
  for (HWND window : {shown_child, hidden_child, grandchild, child_of_hidden})
    EXPECT_EQ(MessagesOf(window, kSkinRefreshMessage).size(), 1u);
  EXPECT_EQ(GetUIColourMode(), UICOLOURMODE_DEFAULT_GREY);
  EXPECT_EQ(GetColourModeName(), u"grey");
  DestroyWindow(top);
  DestroyWindow(hidden_top);
}
}  // namespace
