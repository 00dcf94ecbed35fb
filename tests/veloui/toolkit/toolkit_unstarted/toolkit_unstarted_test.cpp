// Teardown of a toolkit whose hooks never started: there is no animation thread to stop, and
// everything else is still freed and destroyed. A process of its own: the toolkit starts once.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "../../foundation/dib_canvas.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/rebars.h"
#include "veloui/toolkit/toolkit.h"

namespace {

std::vector<Text> Lines;

TEST(ToolkitUnstarted, FreeToolkitWithoutAnAnimationThreadStillTearsEverythingDown) {
  ASSERT_EQ(InitToolkit(), 0);
  ASSERT_FALSE(Toolkit.Started);
  SetDebugLogSinkForTesting([](const Text& line) { Lines.push_back(line); });
  HWND host = TestWindow(L"WindowClass_UnstartedHost", DefWindowProcW, nullptr, WS_OVERLAPPEDWINDOW);
  ASSERT_NE(CreateRebar(4, host, 0, UISTYLE_OFFICE2003 | RBS_VARHEIGHT, 0), 0);
  HWND rebar = FindRebarRecord(4)->Window;

  ASSERT_EQ(FreeToolkit(), 0);
  SetDebugLogSinkForTesting(nullptr);
  EXPECT_EQ(Toolkit.AnimationThreadHandle, nullptr);
  EXPECT_EQ(std::find(Lines.begin(), Lines.end(), u"Animation thread closed."), Lines.end());
  std::vector<Text> freed;
  std::ranges::copy_if(Lines, std::back_inserter(freed), [](const Text& line) { return line.starts_with(u"freed "); });
  EXPECT_EQ(freed, (std::vector<Text>{u"freed rebars", u"freed toolbars", u"freed buttons", u"freed menus",
                                      u"freed textcontrols", u"freed splitterexs", u"freed panels"}));
  EXPECT_EQ(FindRebarRecord(4), nullptr);
  EXPECT_FALSE(IsWindow(rebar) || IsWindow(host));
}

}  // namespace
