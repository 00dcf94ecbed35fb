#include "veloui/menus/animation_thread.h"

#include <cmath>
#include <list>
#include <memory>

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/core/animation_easing.h"

namespace {
constexpr wchar_t kAnimationClass[] = L"VeloUI_Animation Thread";
constexpr int kStopPasses = 101;
constexpr DWORD kStopPauseMs = 10;

PageAlphaChange InstalledPageAlphaChange = nullptr;

struct Animation {
  AnimationRecord Record;
  AnimationMotion Motion;
};

// Owned by the animation thread alone.
struct AnimationThreadState {
  std::list<Animation> Animations;
  FrameClock Clock;
  std::int64_t Frequency = 0;
};

std::int64_t CounterNow() {
  LARGE_INTEGER now{};
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

HWND CreateAnimationWindow() {
  WNDCLASSEXW window_class{};
  window_class.cbSize = sizeof(window_class);
  window_class.lpfnWndProc = AnimationWindowProc;
  window_class.hInstance = GetModuleHandleW(nullptr);
  window_class.lpszClassName = kAnimationClass;
  RegisterClassExW(&window_class);
  ToolkitLockGuard guard(ToolkitLock::Animation);
  if (Toolkit.AnimationStopRequested) return nullptr;
  Toolkit.AnimationWindow = CreateWindowExW(0, kAnimationClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                            window_class.hInstance, nullptr);
  return Toolkit.AnimationWindow;
}

void AcceptRequest(AnimationThreadState& state, LPARAM block) {
  std::unique_ptr<AnimationRecord> request(reinterpret_cast<AnimationRecord*>(block));
  for (const Animation& running : state.Animations)
    if (running.Record.Window == request->Window) return;  // already animating
  Animation& animation = state.Animations.emplace_back();
  AnimationRecord& record = animation.Record;
  record = *request;
  record.WorkLeft = static_cast<float>(record.Left);
  record.WorkTop = static_cast<float>(record.Top);
  record.WorkRight = static_cast<float>(record.Right);
  record.WorkBottom = static_cast<float>(record.Bottom);
  record.WorkTargetLeft = static_cast<float>(record.TargetLeft);
  record.WorkTargetTop = static_cast<float>(record.TargetTop);
  record.WorkTargetRight = static_cast<float>(record.TargetRight);
  record.WorkTargetBottom = static_cast<float>(record.TargetBottom);
  animation.Motion = StartAnimationMotion(record.WorkBottom, record.WorkTargetBottom);
  record.Step = animation.Motion.Step;
  record.Started = 1;
  record.Done = 0;
}

// Moves every animated window one step, in one batch.
void MoveFrame(AnimationThreadState& state) {
  HDWP batch = BeginDeferWindowPos(static_cast<int>(state.Animations.size()));
  for (Animation& animation : state.Animations) {
    AnimationRecord& record = animation.Record;
    StepAnimationMotion(animation.Motion);
    record.WorkBottom = animation.Motion.Bottom;
    record.Step = animation.Motion.Step;
    record.Alpha = animation.Motion.Alpha;
    record.Done = animation.Motion.Done ? 1 : 0;
    const int left = static_cast<int>(record.WorkLeft);
    const int top = static_cast<int>(record.WorkTop);
    const int width = static_cast<int>(record.WorkRight - record.WorkLeft);
    const int height = static_cast<int>(record.WorkBottom - record.WorkTop);
    if (batch != nullptr)
      batch = DeferWindowPos(batch, record.Window, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOREDRAW);
  }
  if (batch != nullptr) EndDeferWindowPos(batch);
}

// Shows the frame: the pages get their alpha and their grandparents hear of the new size.
void PresentFrame(AnimationThreadState& state) {
  for (auto it = state.Animations.begin(); it != state.Animations.end();) {
    AnimationRecord& record = it->Record;
    const auto alpha = static_cast<std::uint16_t>(std::lround(record.Alpha));
    if (InstalledPageAlphaChange != nullptr)
      InstalledPageAlphaChange(reinterpret_cast<std::intptr_t>(record.Window), 0, alpha, 0);
    HWND grandparent = GetParent(GetParent(record.Window));
    if (grandparent != nullptr) {
      SendMessageW(grandparent, WM_SIZE, 0, 0);
      SendMessageW(grandparent, AnimationStepMessage, 0, 0);
    }
    record.Started = 1;
    it = record.Done != 0 ? state.Animations.erase(it) : std::next(it);
  }
}

void RunFrames(AnimationThreadState& state) {
  if (state.Animations.empty()) return;
  if (!FrameClockRunning(state.Clock)) StartFrameClock(state.Clock, CounterNow(), state.Frequency);
  if (state.Clock.FrameDue) {
    MoveFrame(state);
    FinishFrame(state.Clock, CounterNow());
  }
  const FramePresent present = AdvanceFrameClock(state.Clock, CounterNow());
  if (present != FramePresent::NotYet) PresentFrame(state);
  if (present == FramePresent::PresentedLate) WriteDebugLog(u"dropped");
  if (state.Animations.empty()) StopFrameClock(state.Clock);
}

// false when the loop is to end.
bool HandleMessage(AnimationThreadState& state, const MSG& message) {
  if (message.message == WM_QUIT || message.message == WM_CLOSE || message.message == WM_DESTROY) return false;
  if (message.message == AnimationRequestMessage) {
    if (message.lParam != 0) AcceptRequest(state, message.lParam);
    return true;
  }
  DispatchMessageW(&message);
  return true;
}

bool WaitAndHandle(AnimationThreadState& state) {
  MSG message{};
  if (state.Animations.empty()) {
    // A failing wait would fail again at once: end rather than spin.
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) return false;
    return HandleMessage(state, message);
  }
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    if (!HandleMessage(state, message)) return false;
  SwitchToThread();
  return true;
}

void ServeSentMessages(HANDLE thread, DWORD milliseconds) {
  MsgWaitForMultipleObjects(1, &thread, FALSE, milliseconds, QS_SENDMESSAGE);
  MSG message;
  PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
}  // namespace

void InstallPageAlphaChange(PageAlphaChange change) { InstalledPageAlphaChange = change; }

LRESULT CALLBACK AnimationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI AnimationThread(LPVOID) {
  WriteDebugLog(u"Animation thread started...");
  SetThreadAffinityMask(GetCurrentThread(), 1);
  AnimationThreadState state;
  LARGE_INTEGER frequency{};
  QueryPerformanceFrequency(&frequency);
  state.Frequency = frequency.QuadPart;
  HWND window = CreateAnimationWindow();
  while (window != nullptr && WaitAndHandle(state)) RunFrames(state);
  {
    // Under the lock no request can follow the ones still queued, which own their blocks.
    ToolkitLockGuard guard(ToolkitLock::Animation);
    Toolkit.AnimationWindow = nullptr;
    MSG left{};
    while (PeekMessageW(&left, nullptr, AnimationRequestMessage, AnimationRequestMessage, PM_REMOVE))
      delete reinterpret_cast<AnimationRecord*>(left.lParam);
    if (window != nullptr) DestroyWindow(window);
  }
  WriteDebugLog(u"Animation thread closed.");
  return 0;
}

bool PostAnimationRequest(const AnimationRecord& request) {
  auto block = std::make_unique<AnimationRecord>(request);
  ToolkitLockGuard guard(ToolkitLock::Animation);
  if (Toolkit.AnimationWindow == nullptr) return false;
  if (!PostMessageW(Toolkit.AnimationWindow, AnimationRequestMessage, 0, reinterpret_cast<LPARAM>(block.get())))
    return false;
  block.release();
  return true;
}

bool EndAnimationThread() {
  HANDLE thread = Toolkit.AnimationThreadHandle;
  if (thread == nullptr) return true;
  for (int pass = 0; pass < kStopPasses; ++pass) {
    {
      ToolkitLockGuard guard(ToolkitLock::Animation);
      if (Toolkit.AnimationWindow != nullptr && IsWindow(Toolkit.AnimationWindow)) {
        PostMessageW(Toolkit.AnimationWindow, WM_CLOSE, 0, 0);
      } else {
        Toolkit.AnimationStopRequested = true;
      }
    }
    DWORD exit_code = STILL_ACTIVE;
    if (!GetExitCodeThread(thread, &exit_code) || exit_code != STILL_ACTIVE) return true;
    ServeSentMessages(thread, kStopPauseMs);
  }
  DWORD exit_code = STILL_ACTIVE;
  return GetExitCodeThread(thread, &exit_code) && exit_code != STILL_ACTIVE;
}
