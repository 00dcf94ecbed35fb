#include "app/gui_thread_calls.h"

#include <windows.h>

#include <atomic>

namespace {

constexpr UINT kRunWorkMessage = WM_APP + 0x31;

struct GuiThreadCalls {
  std::atomic<HWND> window{nullptr};
  std::atomic<DWORD> threadId{0};
};
GuiThreadCalls g_calls;

LRESULT CALLBACK CallWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunWorkMessage) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

const wchar_t kClassName[] = L"VeloGuiThreadCalls";

}  // namespace

void InitGuiThreadCalls() {
  if (g_calls.window.load() != nullptr) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = CallWindowProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = kClassName;
  RegisterClassExW(&wc);
  g_calls.threadId = GetCurrentThreadId();
  g_calls.window = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   GetModuleHandleW(nullptr), nullptr);
}

void FreeGuiThreadCalls() {
  const HWND window = g_calls.window.exchange(nullptr);
  if (window != nullptr) DestroyWindow(window);
}

bool OnGuiThread() { return GetCurrentThreadId() == g_calls.threadId.load(); }

void RunOnGuiThread(const std::function<void()>& work) {
  if (OnGuiThread()) {
    work();
    return;
  }
  const HWND window = g_calls.window.load();
  if (window != nullptr) SendMessageW(window, kRunWorkMessage, 0, reinterpret_cast<LPARAM>(&work));
}

void ServeSentMessages() {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
