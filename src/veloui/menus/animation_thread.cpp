#include "veloui/menus/animation_thread.h"

#include "veloui/foundation/core/debug_log.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/toolkit_state.h"

namespace {
constexpr wchar_t kAnimationClass[] = L"VeloUI_Animation Thread";

// Nothing in the program requests animations yet: the thread only waits for the end.
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
}  // namespace

LRESULT CALLBACK AnimationWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(window, message, wParam, lParam);
}

DWORD WINAPI AnimationThread(LPVOID) {
  WriteDebugLog(u"Animation thread started...");
  SetThreadAffinityMask(GetCurrentThread(), 1);
  HWND window = CreateAnimationWindow();
  MSG message{};
  while (window != nullptr) {
    const BOOL got = GetMessageW(&message, window, 0, 0);
    if (got == 0 || message.message == WM_CLOSE || message.message == WM_DESTROY) break;
    if (got == -1) continue;
    DispatchMessageW(&message);
  }
  {
    ToolkitLockGuard guard(ToolkitLock::Animation);
    if (window != nullptr) DestroyWindow(window);
    Toolkit.AnimationWindow = nullptr;
  }
  WriteDebugLog(u"Animation thread closed.");
  return 0;
}
