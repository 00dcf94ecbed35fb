// AskForText: a small window with a prompt, a field and OK/Cancel, run by its own modal loop
// on the calling thread, so the network thread can ask as well as the GUI thread.
#include <algorithm>
#include <mutex>
#include <vector>

#include "runtime/win32/gui_state.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

constexpr int kFieldId = 100;
constexpr int kWidth = 320, kHeight = 110;

struct Request {
  HWND field = nullptr;
  bool done = false;
  bool accepted = false;
  Text answer;
};

thread_local Request* current = nullptr;

// The requester windows open on every thread, so that one thread can cancel another's.
struct OpenRequests {
  std::mutex Lock;
  std::vector<HWND> Windows;
};

OpenRequests& Open() {
  static OpenRequests open;
  return open;
}

void Remember(HWND window) {
  std::lock_guard guard(Open().Lock);
  Open().Windows.push_back(window);
}

void Forget(HWND window) {
  std::lock_guard guard(Open().Lock);
  std::erase(Open().Windows, window);
}

void Finish(bool accepted) {
  if (current == nullptr || current->done) return;
  current->accepted = accepted;
  if (accepted) {
    Text text(static_cast<std::size_t>(GetWindowTextLengthW(current->field)) + 1, u'\0');
    text.resize(static_cast<std::size_t>(
        GetWindowTextW(current->field, WideBuffer(text), static_cast<int>(text.size()))));
    current->answer = text;
  }
  current->done = true;
}

LRESULT CALLBACK RequestProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK) Finish(true);
      if (LOWORD(wParam) == IDCANCEL) Finish(false);
      return 0;
    case WM_CLOSE: Finish(false); return 0;
    default: return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND Child(HWND parent, const wchar_t* cls, TextView text, DWORD style, DWORD exStyle, int x, int y, int w, int h,
           int id) {
  const Text title(text);
  HWND child = CreateWindowExW(exStyle, cls, Wide(title), WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                               reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  return child;
}

HWND OpenRequestWindow(TextView title, TextView prompt, TextView defaultText, HWND owner) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = RequestProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"TextRequestWindow";
    return RegisterClassExW(&wc) != 0;
  }();
  if (!registered) return nullptr;
  const DWORD style = WS_CAPTION | WS_SYSMENU;
  RECT frame{0, 0, kWidth, kHeight};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
  const int w = frame.right - frame.left, h = frame.bottom - frame.top;
  RECT area{};
  if (owner != nullptr) {
    GetWindowRect(owner, &area);
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  const Text caption(title);
  HWND window = CreateWindowExW(WS_EX_DLGMODALFRAME | (owner ? 0 : WS_EX_TOPMOST), L"TextRequestWindow",
                                Wide(caption), style, area.left + (area.right - area.left - w) / 2,
                                area.top + (area.bottom - area.top - h) / 2, w, h, owner, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  Child(window, L"STATIC", prompt, SS_LEFT, 0, 10, 10, kWidth - 20, 18, -1);
  current->field = Child(window, L"EDIT", defaultText, ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 10, 32,
                         kWidth - 20, 22, kFieldId);
  Child(window, L"BUTTON", u"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, kWidth - 180, 72, 80, 26, IDOK);
  Child(window, L"BUTTON", u"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, kWidth - 90, 72, 80, 26, IDCANCEL);
  ShowWindow(window, SW_SHOW);
  SetForegroundWindow(window);
  SetFocus(current->field);
  SendMessageW(current->field, EM_SETSEL, 0, -1);
  return window;
}

}  // namespace

Text AskForText(TextView title, TextView prompt, TextView defaultText) {
  if (current != nullptr) return Text();  // one at a time on a thread
  Request request;
  current = &request;
  HWND owner = GetActiveWindow();  // only a window of this thread can be the owner
  HWND window = OpenRequestWindow(title, prompt, defaultText, owner);
  if (window == nullptr) {
    current = nullptr;
    return Text();
  }
  if (owner != nullptr) EnableWindow(owner, FALSE);
  Remember(window);
  MSG msg;
  while (!request.done) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE) &&
        GetAncestor(msg.hwnd, GA_ROOT) == window) {
      Finish(msg.wParam == VK_RETURN);
      continue;
    }
    if (IsDialogMessageW(window, &msg)) continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  Forget(window);
  if (owner != nullptr) EnableWindow(owner, TRUE);
  DestroyWindow(window);
  current = nullptr;
  return request.accepted ? request.answer : Text();
}

void CancelOtherThreadsTextRequests() {
  std::lock_guard guard(Open().Lock);
  const DWORD caller = GetCurrentThreadId();
  // Posted: the window's own thread closes it from its modal loop, as its close box would.
  for (HWND window : Open().Windows) {
    if (GetWindowThreadProcessId(window, nullptr) != caller) PostMessageW(window, WM_CLOSE, 0, 0);
  }
}
