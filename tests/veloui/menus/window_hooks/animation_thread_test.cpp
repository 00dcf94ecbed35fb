#include "hooks_fixture.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/animation_thread.h"

namespace {
struct GrandparentLog {
  int Sizes = 0;
  int Steps = 0;
} Log;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SIZE && wParam == 0 && lParam == 0) ++Log.Sizes;
  if (message == AnimationStepMessage) ++Log.Steps;
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Animated = nullptr;
bool AnimationReachedItsTarget() {
  RECT area{};
  GetWindowRect(Animated, &area);
  return area.bottom - area.top == 80;
}

TEST_F(HooksTest, AnAnimatedWindowOpensToItsTargetAndItsGrandparentHearsOfEachFrame) {
  for (int k = 0; k < 500 && Toolkit.AnimationWindow == nullptr; ++k) Sleep(2);
  SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc));
  HWND parent = MakeChild(L"WindowClass_HooksTest", 0);
  Animated = MakeChild(L"WindowClass_HooksTest", 0, parent);
  ASSERT_NE(Animated, nullptr);
  SetWindowPos(Animated, nullptr, 0, 0, 100, 20, SWP_NOZORDER);
  Log = {};
  AnimationRecord request;
  request.Window = Animated;
  request.Right = 100;
  request.Bottom = 20;
  request.TargetRight = 100;
  request.TargetBottom = 80;
  ASSERT_TRUE(PostAnimationRequest(request));
  ASSERT_TRUE(PostAnimationRequest(request));  // the same window again: ignored while it runs
  PumpMessagesFor(5000, AnimationReachedItsTarget);
  PumpMessagesFor(100);
  EXPECT_TRUE(AnimationReachedItsTarget());
  EXPECT_GT(Log.Steps, 1);
  EXPECT_EQ(Log.Sizes, Log.Steps);
  // An opening of 60 pixels eases out within a few dozen frames, not two animations' worth.
  EXPECT_LT(Log.Steps, 60);
}
}  // namespace
