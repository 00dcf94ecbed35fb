// Status bars with fields of fixed widths.

#include "runtime/win32/gui_state.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

StatusBarRecord* FindStatusBar(int statusBar) {
  auto& bars = Gui.statusBars;
  const auto found = bars.find(statusBar);
  return found != bars.end() ? &found->second : nullptr;
}

}  // namespace

std::intptr_t CreateStatusBar(int statusBar, int window) {
  HWND parent = WindowHandle(window);
  if (parent == nullptr || statusBar < -1) return 0;
  const int number = TakeNumber(statusBar);
  HWND handle = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                parent, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (handle == nullptr) return 0;
  Gui.statusBars[number] = StatusBarRecord{handle, {}};
  return statusBar == -1 ? number : reinterpret_cast<std::intptr_t>(handle);
}

void AddStatusField(int statusBar, int width) {
  StatusBarRecord* bar = FindStatusBar(statusBar);
  if (bar == nullptr) return;
  bar->widths.push_back(width);
  std::vector<int> rights;
  int right = 0;
  for (int w : bar->widths) rights.push_back(right += w);
  SendMessageW(bar->handle, SB_SETPARTS, rights.size(), reinterpret_cast<LPARAM>(rights.data()));
}

void SetStatusText(int statusBar, int field, TextView text) {
  StatusBarRecord* bar = FindStatusBar(statusBar);
  if (bar == nullptr) return;
  const Text value(text);
  SendMessageW(bar->handle, SB_SETTEXTW, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(Wide(value)));
}

Text StatusText(int statusBar, int field) {
  StatusBarRecord* bar = FindStatusBar(statusBar);
  if (bar == nullptr) return Text();
  const auto length = LOWORD(SendMessageW(bar->handle, SB_GETTEXTLENGTHW, static_cast<WPARAM>(field), 0));
  Text text(static_cast<std::size_t>(length) + 1, u'\0');
  SendMessageW(bar->handle, SB_GETTEXTW, static_cast<WPARAM>(field), reinterpret_cast<LPARAM>(WideBuffer(text)));
  text.resize(length);
  return text;
}

int StatusBarHeight(int statusBar) {
  StatusBarRecord* bar = FindStatusBar(statusBar);
  if (bar == nullptr) return 0;
  RECT r{};
  GetWindowRect(bar->handle, &r);
  return r.bottom - r.top;
}

HWND StatusBarHandle(int statusBar) {
  StatusBarRecord* bar = FindStatusBar(statusBar);
  return bar != nullptr ? bar->handle : nullptr;
}
