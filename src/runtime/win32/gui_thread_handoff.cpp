#include "runtime/win32/gui_thread_handoff.h"

#include <memory>
#include <utility>

namespace {

constexpr wchar_t kHandOffClass[] = L"Velo_GuiThreadHandOff";
constexpr UINT kRunWorkMessage = WM_APP + 0x31;
constexpr UINT kPostedWorkMessage = WM_APP + 0x32;

LRESULT CALLBACK HandOffWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunWorkMessage) {
    (*reinterpret_cast<const std::function<void()>*>(lParam))();
    return 1;
  }
  if (message == kPostedWorkMessage) {
    const std::unique_ptr<std::function<void()>> work(reinterpret_cast<std::function<void()>*>(lParam));
    (*work)();
    return 1;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool GuiThreadHandOff::Create() {
  if (Exists()) return true;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HandOffWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kHandOffClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when another hand-off registered it
  thread_ = GetCurrentThreadId();
  window_ = CreateWindowExW(0, kHandOffClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                            windowClass.hInstance, nullptr);
  return Exists();
}

void GuiThreadHandOff::Destroy() {
  const HWND window = window_.exchange(nullptr);
  if (window == nullptr) return;
  // Posted work that never ran is released with the window.
  MSG msg;
  while (PeekMessageW(&msg, window, kPostedWorkMessage, kPostedWorkMessage, PM_REMOVE)) {
    delete reinterpret_cast<std::function<void()>*>(msg.lParam);
  }
  DestroyWindow(window);
}

bool GuiThreadHandOff::Post(std::function<void()> work) const {
  const HWND window = window_.load();
  if (window == nullptr) return false;
  auto* posted = new std::function<void()>(std::move(work));
  if (PostMessageW(window, kPostedWorkMessage, 0, reinterpret_cast<LPARAM>(posted))) return true;
  delete posted;
  return false;
}

bool GuiThreadHandOff::Run(const std::function<void()>& work) const {
  if (OnGuiThread()) {
    work();
    return true;
  }
  const HWND window = window_.load();
  if (window == nullptr) return false;
  SendMessageW(window, kRunWorkMessage, 0, reinterpret_cast<LPARAM>(&work));
  return true;
}

void ServeSentMessages() {
  MSG msg;
  PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}
