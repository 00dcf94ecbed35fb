#include "window_probe.h"

#include <commctrl.h>

#include <cstring>
#include <functional>

#include "runtime/win32/platform/wide_text.h"

namespace {

// Memory in the other process for a message whose parameter is a pointer.
class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size)
      : process_(process), address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT, PAGE_READWRITE)) {}
  ~RemoteMemory() {
    if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
  }
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;
  char* Address() const { return static_cast<char*>(address_); }
  bool Write(std::size_t offset, const void* bytes, std::size_t size) const {
    return address_ != nullptr && WriteProcessMemory(process_, Address() + offset, bytes, size, nullptr);
  }
  bool Read(std::size_t offset, void* bytes, std::size_t size) const {
    return address_ != nullptr && ReadProcessMemory(process_, Address() + offset, bytes, size, nullptr);
  }

 private:
  HANDLE process_;
  void* address_;
};

constexpr int kTextUnits = 1024;

Text ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return FromWide(name);
}

struct TopSearch {
  DWORD processId;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<TopSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search->processId && IsWindowVisible(window)) search->found.push_back(window);
  return TRUE;
}

// The first descendant that a test accepts.
struct ChildSearch {
  std::function<bool(HWND)> accepts;
  HWND found = nullptr;
};

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ChildSearch*>(data);
  if (!search->accepts(window)) return TRUE;
  search->found = window;
  return FALSE;
}

HWND FirstChild(HWND top, std::function<bool(HWND)> accepts) {
  if (top == nullptr) return nullptr;
  ChildSearch search{std::move(accepts)};
  EnumChildWindows(top, FindChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK CollectStatic(HWND window, LPARAM data) {
  if (ClassOf(window) == u"Static") {
    const Text text = WindowProbe::TextOf(window);
    if (!text.empty()) *reinterpret_cast<Text*>(data) += text;
  }
  return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& ready, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(timeoutMs)) {
    if (ready()) return true;
    Sleep(20);
  }
  return ready();
}

std::vector<HWND> WindowProbe::TopWindows() const {
  TopSearch search{processId_, {}};
  EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WindowProbe::FindByTitle(TextView title) const {
  for (HWND window : TopWindows()) {
    if (TextOf(window) == title) return window;
  }
  return nullptr;
}

HWND WindowProbe::FindByClass(TextView className) const {
  for (HWND window : TopWindows()) {
    if (ClassOf(window) == className) return window;
  }
  return nullptr;
}

HWND WindowProbe::WaitForTitle(TextView title, int timeoutMs) const {
  HWND found = nullptr;
  WaitFor([&] { return (found = FindByTitle(title)) != nullptr; }, timeoutMs);
  return found;
}

HWND WindowProbe::Control(HWND top, int id) {
  return FirstChild(top, [id](HWND window) { return GetDlgCtrlID(window) == id; });
}

HWND WindowProbe::ControlOfClass(HWND top, TextView className) {
  return FirstChild(top, [name = Text(className)](HWND window) { return ClassOf(window) == name; });
}

Text WindowProbe::TextOf(HWND window) {
  if (window == nullptr) return Text();
  Text text(kTextUnits, u'\0');
  const LRESULT length = SendMessageW(window, WM_GETTEXT, kTextUnits, reinterpret_cast<LPARAM>(WideBuffer(text)));
  text.resize(static_cast<std::size_t>(length));
  return text;
}

void WindowProbe::SetText(HWND window, TextView text) {
  const Text copy(text);
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(copy)));
}

Text WindowProbe::StaticTexts(HWND top) {
  Text text;
  EnumChildWindows(top, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return text;
}

void WindowProbe::Click(HWND button) { Notify(button, BN_CLICKED); }

void WindowProbe::Notify(HWND control, WORD code) {
  PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

void WindowProbe::PostMenuCommand(HWND top, int item) {
  PostMessageW(top, WM_COMMAND, MAKEWPARAM(item, 0), 0);
}

int WindowProbe::ListCount(HWND list) const {
  return static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
}

Text WindowProbe::ListCell(HWND list, int row, int column) const {
  RemoteMemory memory(process_, sizeof(LVITEMW) + kTextUnits * sizeof(wchar_t));
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kTextUnits;
  item.pszText = reinterpret_cast<wchar_t*>(memory.Address() + sizeof(LVITEMW));
  if (!memory.Write(0, &item, sizeof item)) return Text();
  const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(memory.Address()));
  Text text(static_cast<std::size_t>(length), u'\0');
  memory.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(char16_t));
  return text;
}

std::vector<Text> WindowProbe::ListColumn(HWND list, int column) const {
  std::vector<Text> cells;
  for (int row = 0; row < ListCount(list); ++row) cells.push_back(ListCell(list, row, column));
  return cells;
}

void WindowProbe::SelectListRow(HWND list, int row) const {
  RemoteMemory memory(process_, sizeof(LVITEMW));
  LVITEMW item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  item.state = LVIS_SELECTED | LVIS_FOCUSED;
  if (memory.Write(0, &item, sizeof item)) {
    SendMessageW(list, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(memory.Address()));
  }
}

int WindowProbe::ListSelection(HWND list) const {
  return static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

int WindowProbe::LineCount(HWND listBox) const {
  return static_cast<int>(SendMessageW(listBox, LB_GETCOUNT, 0, 0));
}

Text WindowProbe::Line(HWND listBox, int line) const {
  const LRESULT length = SendMessageW(listBox, LB_GETTEXTLEN, line, 0);
  if (length <= 0) return Text();
  Text text(static_cast<std::size_t>(length) + 1, u'\0');
  const LRESULT got = SendMessageW(listBox, LB_GETTEXT, line, reinterpret_cast<LPARAM>(WideBuffer(text)));
  text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  return text;
}

std::vector<Text> WindowProbe::Lines(HWND listBox) const {
  std::vector<Text> lines;
  for (int i = 0; i < LineCount(listBox); ++i) lines.push_back(Line(listBox, i));
  return lines;
}

Text WindowProbe::StatusField(HWND statusBar, int field) const {
  RemoteMemory memory(process_, kTextUnits * sizeof(wchar_t));
  const LRESULT result = SendMessageW(statusBar, SB_GETTEXTW, field, reinterpret_cast<LPARAM>(memory.Address()));
  Text text(LOWORD(result), u'\0');
  memory.Read(0, text.data(), text.size() * sizeof(char16_t));
  return text;
}

Text ClipboardUnicodeText() {
  Text text;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = FromWide(chars);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

void EmptyTheClipboard() {
  for (int attempt = 0; attempt < 50 && !OpenClipboard(nullptr); ++attempt) Sleep(20);
  EmptyClipboard();
  CloseClipboard();
}
