#include "listsort/gui_thread.h"

#include "listsort/list_sort_state.h"

namespace {

constexpr wchar_t kHandOffClass[] = L"VeloListSort_HandOff";
constexpr UINT kRunCallMessage = WM_APP;

struct HandOffCall {
  void (*run)(void*);
  void* context;
};

LRESULT CALLBACK HandOffWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kRunCallMessage) {
    const auto* call = reinterpret_cast<const HandOffCall*>(lParam);
    call->run(call->context);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool CreateHandOffWindow() {
  ListSortGlobals& state = ListSort();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = HandOffWindowProc;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kHandOffClass;
  RegisterClassExW(&windowClass);  // fails harmlessly when a restart finds it registered
  state.guiThread = GetCurrentThreadId();
  state.handOffWindow = CreateWindowExW(0, kHandOffClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, windowClass.hInstance, nullptr);
  return state.handOffWindow != nullptr;
}

void DestroyHandOffWindow() {
  ListSortGlobals& state = ListSort();
  if (state.handOffWindow != nullptr) DestroyWindow(state.handOffWindow);
  state.handOffWindow = nullptr;
  state.guiThread = 0;
}

bool MustHandOff() {
  const ListSortGlobals& state = ListSort();
  return state.handOffWindow != nullptr && GetCurrentThreadId() != state.guiThread;
}

void RunOnGuiThread(void (*run)(void*), void* context) {
  HandOffCall call{run, context};
  SendMessageW(ListSort().handOffWindow, kRunCallMessage, 0, reinterpret_cast<LPARAM>(&call));
}
