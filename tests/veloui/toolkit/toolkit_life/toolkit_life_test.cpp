// The toolkit's whole life in one process, in order: it can be started only once.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "../../foundation/dib_canvas.h"
#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/named_colours.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/drop_shadow.h"
#include "veloui/toolkit/toolkit.h"

namespace {
std::mutex LinesGuard;
std::vector<Text> Lines;

// Which procedures saw a WM_DESTROY: 0 the host's own, 1 the child's own, 2 the host's replacement.
std::vector<int> Destroyed;
template <int Which>
LRESULT CALLBACK Logged(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) Destroyed.push_back(Which);
  return DefWindowProcW(window, message, wParam, lParam);
}

// A second InitToolkit empties the registry until the hooks (started once) run the animation thread.
TEST(ToolkitLife, InitToolkitEmptiesTheRegistryUntilTheHooksStartedOnce) {
  const auto gradients = []() -> auto& { return ToolkitList<int>(ToolkitListId::Gradients); };  // made anew by each init
  ASSERT_EQ(InitToolkit(), 0);
  gradients().push_back(5);
  ToolkitMap<int>(ToolkitMapId::Shortcuts)[u"0"] = 1;
  ASSERT_EQ(InitToolkit(), 0);
  EXPECT_TRUE(gradients().empty() && ToolkitMap<int>(ToolkitMapId::Shortcuts).empty());
  EXPECT_EQ(ToolkitMap<std::uint32_t>(ToolkitMapId::NamedColours).size(), kNamedColourCount);
  ASSERT_EQ(StartToolkitHooks(), 0);
  const HHOOK hook = Toolkit.CallWndProcHook;
  const HANDLE thread = Toolkit.AnimationThreadHandle;
  ASSERT_TRUE(hook && thread);
  EXPECT_NE(GdiPlus.GdiPlusToken, 0u);
  ASSERT_EQ(StartToolkitHooks(), 0);
  EXPECT_TRUE(Toolkit.CallWndProcHook == hook && Toolkit.AnimationThreadHandle == thread);
  gradients().push_back(9);
  ASSERT_EQ(InitToolkit(), 0);
  EXPECT_EQ(gradients().size(), 1u);
  gradients().clear();
}

TEST(ToolkitLife, FreeToolkitTearsDownInOrderAndGivesProceduresBack) {
  SetDebugLogSinkForTesting([](const Text& line) {
    std::lock_guard guard(LinesGuard);
    Lines.push_back(line);
  });
  HWND host = TestWindow(L"WindowClass_LifeHost", Logged<0>, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND gone = TestWindow(L"WindowClass_LifeHost", Logged<0>, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE);
  HWND child = TestWindow(L"WindowClass_LifeChild", Logged<1>, host, WS_CHILD | WS_VISIBLE);
  ASSERT_NE(child, nullptr);
  const auto host_previous =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrW(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Logged<2>)));
  auto& hosts = ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows);
  hosts.push_back({gone, Logged<2>, Logged<0>});
  hosts.push_back({host, Logged<2>, host_previous});
  // The window hook subclassed the child as it was made, keeping its own procedure.
  const auto& children = ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass);
  const auto record = children.find(WindowKey(child));
  ASSERT_NE(record, children.end());
  EXPECT_EQ(record->second.PreviousProcedure, &Logged<1>);
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC)), &Logged<1>);
  DestroyWindow(gone);  // the application destroyed this one already
  Destroyed.clear();

  // Give the animation thread its window before teardown (bounded).
  const auto animation_window = [] {
    ToolkitLockGuard guard(ToolkitLock::Animation);
    return Toolkit.AnimationWindow;
  };
  for (int i = 0; i < 500 && animation_window() == nullptr; ++i) Sleep(2);
  EXPECT_NE(animation_window(), nullptr);
  // A shadow leaves its pieces cached for the next one; teardown frees them.
  HWND shadow = CreateDropShadow(100, 100, 5, 40, RGB(0, 0, 0), 80, 0x1000);
  ASSERT_NE(shadow, nullptr);
  DestroyWindow(shadow);
  ASSERT_GT(DropShadowPiecesBuilt(), 0);
  ASSERT_EQ(FreeToolkit(), 0);
  EXPECT_EQ(DropShadowPiecesBuilt(), 0);

  DWORD exit_code = STILL_ACTIVE;
  EXPECT_TRUE(GetExitCodeThread(Toolkit.AnimationThreadHandle, &exit_code) && exit_code != STILL_ACTIVE);
  EXPECT_FALSE(IsWindow(host) || IsWindow(child));
  std::sort(Destroyed.begin(), Destroyed.end());
  EXPECT_EQ(Destroyed, (std::vector<int>{0, 1}));
  EXPECT_TRUE(UxTheme.Library == nullptr && GdiPlus.GdiPlusToken == 0u && Dwm.Library == nullptr);
  EXPECT_FALSE(UnhookWindowsHookEx(Toolkit.CallWndProcHook));  // already removed

  SetDebugLogSinkForTesting(nullptr);
  std::lock_guard guard(LinesGuard);
  std::vector<Text> freed;
  std::ranges::copy_if(Lines, std::back_inserter(freed), [](const Text& line) { return line.starts_with(u"freed "); });
  EXPECT_NE(std::find(Lines.begin(), Lines.end(), u"Animation thread closed."), Lines.end());
  EXPECT_EQ(freed, (std::vector<Text>{u"freed rebars", u"freed toolbars", u"freed buttons", u"freed menus",
                                      u"freed textcontrols", u"freed splitterexs", u"freed panels"}));
}
}  // namespace
