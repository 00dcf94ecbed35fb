#include "skins_fixture.h"

#include <commctrl.h>

#include "veloui/foundation/toolkit.h"
#include "veloui/skins/buttonex/buttonex.h"
#include "veloui/skins/explorerbar/explorerbar.h"
#include "veloui/skins/panelex/panelex.h"
#include "veloui/skins/splitterex/splitterex.h"
#include "veloui/skins/text_control/text_control.h"

namespace {
HWND TopWindow() {
  return TestWindow(L"WindowClass_SkinsTest", DefWindowProcW, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400);
}

class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    ASSERT_EQ(InitToolkit(), 0);
    ASSERT_EQ(StartToolkitHooks(), 0);
  }

  // The free-alls of teardown run over live controls of every family (their order is checked
  // by the toolkit's life test).
  void TearDown() override {
    HWND window = TopWindow();
    HWND pane = CreateWindowExW(0, L"Edit", L"", WS_CHILD, 0, 0, 10, 10, window, nullptr, nullptr, nullptr);
    CreateButtonEx(-1, window, 0, 0, 50, 20, u"OK");
    CreateTextControl(-1, window, 0, 30, 50, 20, u"text");
    CreateSplitterEx(-1, window, 60, 0, 100, 100, pane, nullptr);
    const std::intptr_t bar = CreateExplorerBar(-1, window, 200, 0, 100, 200);
    AddExplorerBarGroup(bar, u"Group");
    CreatePanelEx(-1, window, 0, 200, 100, 50);
    AddPanelExPage();
    EXPECT_EQ(FreeToolkit(), 0);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(GetPanelExWindow(bar), nullptr);
  }
};

const auto* const Environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);

BOOL CALLBACK CountChild(HWND, LPARAM count) {
  ++*reinterpret_cast<DWORD*>(count);
  return TRUE;
}

BOOL CALLBACK CountWindow(HWND window, LPARAM count) {
  EnumChildWindows(window, CountChild, count);  // every descendant
  return CountChild(window, count);
}

// The windows of this thread, which are the USER objects the controls make (hooks are
// checked where they are made).
DWORD UserObjectCount() {
  if (const DWORD count = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS); count != 0) return count;
  DWORD count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

std::vector<std::pair<UINT, WPARAM>> KeptMessages;

LRESULT CALLBACK KeepingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND || message >= 0x8000) KeptMessages.emplace_back(message, wParam);
  return DefWindowProcW(window, message, wParam, lParam);
}
}  // namespace

void SkinsTest::SetUp() {
  Window = TopWindow();
  ASSERT_NE(Window, nullptr);
  SetForegroundWindow(Window);
  PumpFor(50);
}

void SkinsTest::TearDown() {
  DestroyWindow(Window);
  PumpFor(0);
}

void SkinsTest::KeepMessages() {
  KeptMessages.clear();
  SetWindowLongPtrW(Window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(KeepingProc));
}

int SkinsTest::Kept(UINT message, WPARAM wParam) const {
  int count = 0;
  for (const auto& [kept, w] : KeptMessages) count += kept == message && (wParam == static_cast<WPARAM>(-1) || w == wParam);
  return count;
}

void PumpFor(DWORD milliseconds, const std::function<bool()>& done) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    for (int k = 0; k < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++k) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done && done()) return;
    if (milliseconds > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
}

void MouseAt(HWND window, int x, int y, int button) {
  POINT at{x, y};
  ClientToScreen(window, &at);
  SetCursorPos(at.x, at.y);
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = at.x * 65535 / (GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = at.y * 65535 / (GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE |
                     (button == 1 ? MOUSEEVENTF_LEFTDOWN : button == 2 ? MOUSEEVENTF_LEFTUP : 0);
  SendInput(1, &input, sizeof(input));
  PumpFor(100);
}

void ExpectNoObjectsLeft(const std::function<void()>& makeAndFree, int rounds) {
  makeAndFree();
  PumpFor(0);
  const DWORD gdi = GdiObjectCount();
  const DWORD user = UserObjectCount();
  ASSERT_GT(gdi, 0u);
  ASSERT_GT(user, 0u);
  for (int k = 0; k < rounds; ++k) makeAndFree();
  PumpFor(0);
  EXPECT_EQ(GdiObjectCount(), gdi);
  EXPECT_EQ(UserObjectCount(), user);
}
