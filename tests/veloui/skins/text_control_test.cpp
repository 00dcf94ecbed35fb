#include <windows.h>

#include "skins_fixture.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/text_control/text_control.h"

namespace {
using TextControlTest = SkinsTest;

int HeightOf(HWND window) {
  RECT area{};
  GetClientRect(window, &area);
  return area.bottom;
}

TEST_F(TextControlTest, FitsItsTextAndReportsAClickedLink) {
  CountMessagesOf(Window);
  const std::intptr_t control =
      CreateTextControl(-1, Window, 10, 10, 300, 10, u"\\l7first\\l and \\l8second\\l", kTextControlAutoHeight);
  ASSERT_NE(control, 0);
  HWND window = GetPanelExWindow(control);
  const int one_line = HeightOf(window);
  EXPECT_GT(one_line, 10);
  SetTextControlText(control, u"one\\|two\\|three");
  EXPECT_GT(HeightOf(window), 2 * one_line);
  SetTextControlText(control, u"\\l7first\\l and \\l8second\\l");
  UpdateWindow(window);
  MouseAt(window, 3, one_line / 2, 1);
  MouseAt(window, 3, one_line / 2, 2);
  PumpFor(1000, [] { return Received().Links > 0; });
  EXPECT_EQ(Received().Links, 1);
  EXPECT_EQ(Received().LastLink, 7u);
  EXPECT_EQ(FreeTextControl(control), 1);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(TextControlTest, TextControlsLeaveNoObjectsBehind) {
  ExpectNoObjectsLeft([this] {
    const std::intptr_t control = CreateTextControl(-1, Window, 0, 0, 120, 40, u"\\bbold\\b text");
    UpdateWindow(GetPanelExWindow(control));
    FreeTextControl(control);
  });
}
}  // namespace
