#include "hooks_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <mutex>

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/toolkit.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/animation_thread.h"

namespace {
constexpr wchar_t kTestClass[] = L"WindowClass_HooksTest";

std::mutex LinesGuard;
std::vector<Text> Lines;
void Capture(const Text& line) {
  std::lock_guard guard(LinesGuard);
  Lines.push_back(line);
}
std::vector<Text> TakeDebugLines() {
  std::lock_guard guard(LinesGuard);
  std::vector<Text> taken;
  taken.swap(Lines);
  return taken;
}

int StepsServed = 0;
LRESULT CALLBACK StepCountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == AnimationStepMessage) ++StepsServed;
  return DefWindowProcW(window, message, wParam, lParam);
}

// The animation thread is left blocked in a message it sends to this thread (which sleeps
// instead of pumping); the end of the toolkit must still get it to stop, by serving that
// message while it waits.
void EndWhileTheThreadWaitsOnUs() {
  HWND grandparent = CreateWindowExW(0, kTestClass, L"", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr,
                                     GetModuleHandleW(nullptr), nullptr);
  HWND parent = CreateWindowExW(0, kTestClass, L"", WS_CHILD, 0, 0, 200, 200, grandparent, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  HWND page = CreateWindowExW(0, kTestClass, L"", WS_CHILD, 0, 0, 100, 100, parent, nullptr,
                              GetModuleHandleW(nullptr), nullptr);
  ASSERT_TRUE(grandparent && parent && page);
  SetWindowLongPtrW(grandparent, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(StepCountingProc));
  AnimationRecord request;
  request.Window = page;
  request.Right = 100;
  request.Bottom = 100;
  request.TargetRight = 100;
  request.TargetBottom = 0;
  StepsServed = 0;
  ASSERT_TRUE(PostAnimationRequest(request));
  Sleep(200);  // serves nothing: the thread's first frame now waits for this thread
  EXPECT_TRUE(EndAnimationThread());
  EXPECT_GE(StepsServed, 1);
  DestroyWindow(grandparent);
}

// Starts the toolkit as the program does; the end of the program tears it down, which must
// stop the animation thread within its bound.
class ToolkitEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    SetDebugLogSinkForTesting(Capture);
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    RegisterClassNamed(kTestClass);
    ASSERT_EQ(InitToolkit(), 0);
    // Menus may cast shadows, which Wine's default forbids. The toolkit's copy of the
    // setting is changed rather than the system's, which other programs of the session share.
    SystemFacts.SystemDropShadow = 1;
    ASSERT_EQ(StartToolkitHooks(), 0);
  }

  void TearDown() override {
    // Bounded: a thread that does not start within a second fails the checks below.
    for (int k = 0; k < 500 && Toolkit.AnimationWindow == nullptr; ++k) Sleep(2);
    const HANDLE thread = Toolkit.AnimationThreadHandle;
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(FreeToolkit(), 0);
    DWORD exit_code = STILL_ACTIVE;
    ASSERT_TRUE(GetExitCodeThread(thread, &exit_code));
    EXPECT_NE(exit_code, STILL_ACTIVE);
    EXPECT_EQ(Toolkit.AnimationWindow, nullptr);
    const std::vector<Text> lines = TakeDebugLines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), u"Animation thread closed."), lines.end());
    SetDebugLogSinkForTesting(nullptr);
    EndASecondThreadThatWaitsOnUs();
  }

  // The toolkit starts its thread once per process: a second one is started here by hand.
  static void EndASecondThreadThatWaitsOnUs() {
    Toolkit.AnimationStopRequested = false;
    Toolkit.AnimationThreadHandle = CreateThread(nullptr, 0, AnimationThread, nullptr, 0, nullptr);
    ASSERT_NE(Toolkit.AnimationThreadHandle, nullptr);
    for (int k = 0; k < 500 && Toolkit.AnimationWindow == nullptr; ++k) Sleep(2);
    EndWhileTheThreadWaitsOnUs();
  }
};

const auto* const Environment = ::testing::AddGlobalTestEnvironment(new ToolkitEnvironment);
}  // namespace

void HooksTest::SetUp() {
  Window = CreateWindowExW(0, kTestClass, L"Velo 2 DUro", WS_OVERLAPPEDWINDOW, 20, 20, 500, 400,
                           nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  ASSERT_NE(Window, nullptr);
}

void HooksTest::TearDown() {
  DestroyWindow(Window);
  PumpMessagesFor(0);
}

HWND HooksTest::MakeChild(const wchar_t* className, DWORD style, HWND parent) {
  return CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, 10, 10, 150, 100,
                         parent != nullptr ? parent : Window, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void RegisterClassNamed(const wchar_t* name) {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = DefWindowProcW;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = name;
  RegisterClassExW(&window_class);
}

WNDPROC ProcedureOf(HWND window) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)); }

Text ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return Text(reinterpret_cast<const char16_t*>(name));
}

void PumpMessagesFor(DWORD milliseconds, bool (*done)()) {
  const DWORD start = GetTickCount();
  do {
    MSG message;
    for (int k = 0; k < 1000 && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++k) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    if (done != nullptr && done()) return;
    if (milliseconds > 0) MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
  } while (GetTickCount() - start < milliseconds);
}
