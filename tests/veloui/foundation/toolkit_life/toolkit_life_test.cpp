// The toolkit's whole life in one process, in order: it can be started only once.
#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <vector>

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/named_colours.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/ui_colour.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/toolkit_state.h"

namespace {
std::mutex LinesGuard;
std::vector<Text> Lines;
void Capture(const Text& line) {
  std::lock_guard guard(LinesGuard);
  Lines.push_back(line);
}

struct ProcedureLog {
  bool OriginalSawDestroy = false;
  bool ReplacementSawDestroy = false;
};
ProcedureLog HostLog, ChildLog;

LRESULT CALLBACK HostOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) HostLog.OriginalSawDestroy = true;
  return DefWindowProcW(window, message, wParam, lParam);
}
LRESULT CALLBACK ChildOriginal(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) ChildLog.OriginalSawDestroy = true;
  return DefWindowProcW(window, message, wParam, lParam);
}
LRESULT CALLBACK HostReplacement(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) HostLog.ReplacementSawDestroy = true;
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND MakeWindow(const wchar_t* className, WNDPROC procedure, HWND parent) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = procedure;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = className;
  RegisterClassExW(&window_class);
  return CreateWindowExW(0, className, L"", parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                         0, 0, 100, 100, parent, nullptr, GetModuleHandleW(nullptr), nullptr);
}

struct Record {
  int Value = 0;
};

TEST(ToolkitLife, InitToolkitBuildsTheRegistryAndASecondCallEmptiesIt) {
  ASSERT_EQ(InitToolkit(), 0);
  EXPECT_EQ(ToolkitMap<std::uint32_t>(ToolkitMapId::NamedColours).size(), kNamedColourCount);
  EXPECT_EQ(UIColours.Office2003[UIColour::separatorbar].DefaultBlue, 0x00CB8C6Au);
  ToolkitList<Record>(ToolkitListId::Gradients).push_back({5});
  ToolkitMap<int>(ToolkitMapId::Shortcuts)[u"0"] = 1;
  ASSERT_EQ(InitToolkit(), 0);
  EXPECT_TRUE(ToolkitList<Record>(ToolkitListId::Gradients).empty());
  EXPECT_TRUE(ToolkitMap<int>(ToolkitMapId::Shortcuts).empty());
  EXPECT_EQ(ToolkitMap<std::uint32_t>(ToolkitMapId::NamedColours).size(), kNamedColourCount);
}

TEST(ToolkitLife, StartToolkitHooksWorksOnce) {
  ASSERT_EQ(StartToolkitHooks(), 0);
  const HHOOK hook = Toolkit.CallWndProcHook;
  const HANDLE thread = Toolkit.AnimationThreadHandle;
  EXPECT_NE(hook, nullptr);
  ASSERT_NE(thread, nullptr);
  EXPECT_NE(GdiPlus.GdiPlusToken, 0u);
  ASSERT_EQ(StartToolkitHooks(), 0);
  EXPECT_EQ(Toolkit.CallWndProcHook, hook);
  EXPECT_EQ(Toolkit.AnimationThreadHandle, thread);
  // Once started, a new InitToolkit would pull the locks from under the animation thread.
  ToolkitList<Record>(ToolkitListId::Gradients).push_back({9});
  ASSERT_EQ(InitToolkit(), 0);
  EXPECT_EQ(ToolkitList<Record>(ToolkitListId::Gradients).size(), 1u);
  ToolkitList<Record>(ToolkitListId::Gradients).clear();
}

TEST(ToolkitLife, FreeToolkitTearsDownInOrderAndGivesProceduresBack) {
  {
    std::lock_guard guard(LinesGuard);
    Lines.clear();
  }
  SetDebugLogSinkForTesting(Capture);
  HWND host = MakeWindow(L"WindowClass_LifeHost", HostOriginal, nullptr);
  HWND gone = MakeWindow(L"WindowClass_LifeGone", HostOriginal, nullptr);
  HWND child = MakeWindow(L"WindowClass_LifeChild", ChildOriginal, host);
  ASSERT_NE(child, nullptr);
  const auto host_previous = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(HostReplacement)));
  auto& hosts = ToolkitList<HostWindowRecord>(ToolkitListId::HostWindows);
  hosts.push_back({gone, HostReplacement, HostOriginal});
  hosts.push_back({host, HostReplacement, host_previous});
  // The window hook subclassed the child as it was made, keeping its own procedure.
  const auto& children = ToolkitMap<ChildSubclassRecord>(ToolkitMapId::ChildSubclass);
  const auto record = children.find(WindowKey(child));
  ASSERT_NE(record, children.end());
  EXPECT_EQ(record->second.PreviousProcedure, &ChildOriginal);
  EXPECT_NE(reinterpret_cast<WNDPROC>(GetWindowLongPtrW(child, GWLP_WNDPROC)), &ChildOriginal);
  DestroyWindow(gone);  // the application destroyed this one already
  HostLog = {};

  // Give the animation thread its window before teardown (bounded).
  const auto animation_window = [] {
    ToolkitLockGuard guard(ToolkitLock::Animation);
    return Toolkit.AnimationWindow;
  };
  for (int i = 0; i < 500 && animation_window() == nullptr; ++i) Sleep(2);
  EXPECT_NE(animation_window(), nullptr);
  ASSERT_EQ(FreeToolkit(), 0);

  DWORD exit_code = STILL_ACTIVE;
  ASSERT_TRUE(GetExitCodeThread(Toolkit.AnimationThreadHandle, &exit_code));
  EXPECT_NE(exit_code, STILL_ACTIVE);
  EXPECT_FALSE(IsWindow(host));
  EXPECT_FALSE(IsWindow(child));
  EXPECT_TRUE(HostLog.OriginalSawDestroy);
  EXPECT_FALSE(HostLog.ReplacementSawDestroy);
  EXPECT_TRUE(ChildLog.OriginalSawDestroy);
  EXPECT_EQ(UxTheme.Library, nullptr);
  EXPECT_EQ(GdiPlus.GdiPlusToken, 0u);
  EXPECT_EQ(Dwm.Library, nullptr);
  EXPECT_FALSE(UnhookWindowsHookEx(Toolkit.CallWndProcHook));  // already removed

  SetDebugLogSinkForTesting(nullptr);
  std::vector<Text> freed;
  {
    std::lock_guard guard(LinesGuard);
    for (const Text& line : Lines)
      if (line.rfind(u"freed ", 0) == 0) freed.push_back(line);
    EXPECT_NE(std::find(Lines.begin(), Lines.end(), u"Animation thread closed."), Lines.end());
  }
  const std::vector<Text> expected = {u"freed rebars", u"freed toolbars", u"freed buttons", u"freed menus",
                                      u"freed textcontrols", u"freed splitterexs", u"freed panels"};
  EXPECT_EQ(freed, expected);
}
}  // namespace
