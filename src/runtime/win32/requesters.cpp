// Message boxes, the open and save file dialogs, and the clipboard.
#include "runtime/win32/gui.h"
// After windows.h, which gui.h brings.
#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>

#include "runtime/portable/files.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

// "Name|*.x|Other|*.*" -> the dialog's list of zero-ended pairs, ended by one more zero.
Text FilterList(TextView patterns) {
  Text filter(patterns);
  for (auto& c : filter) {
    if (c == u'|') c = u'\0';
  }
  filter.push_back(u'\0');
  filter.push_back(u'\0');
  return filter;
}

Text AskFileName(TextView title, TextView defaultPath, TextView patterns, int patternIndex, bool save) {
  Text file(defaultPath);
  file.resize(32768, u'\0');
  const Text filter = FilterList(patterns);
  const Text caption(title);
  OPENFILENAMEW ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = GetActiveWindow();
  ofn.lpstrFilter = patterns.empty() ? nullptr : Wide(filter);
  ofn.nFilterIndex = static_cast<DWORD>(patternIndex + 1);
  ofn.lpstrFile = WideBuffer(file);
  ofn.nMaxFile = static_cast<DWORD>(file.size());
  ofn.lpstrTitle = Wide(caption);
  ofn.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | (save ? 0 : OFN_FILEMUSTEXIST);
  // The dialogs make the user's folder the current one; OFN_NOCHANGEDIR would undo that only
  // for the save dialog on Windows. The program finds "settings.ini" in the current folder.
  const Text folder = CurrentFolder();
  const BOOL chosen = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
  if (!folder.empty()) SetCurrentFolder(folder);
  if (!chosen) return Text();
  file.resize(file.find(u'\0'));
  return file;
}

}  // namespace

bool StartRequesters() {
  INITCOMMONCONTROLSEX classes{sizeof classes, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&classes);
  return SUCCEEDED(OleInitialize(nullptr));
}

void ShowMessage(TextView title, TextView text) {
  const Text caption(title), body(text);
  MessageBoxW(GetActiveWindow(), Wide(body), Wide(caption), MB_OK);
}

Text AskOpenFileName(TextView title, TextView defaultPath, TextView patterns, int patternIndex) {
  return AskFileName(title, defaultPath, patterns, patternIndex, false);
}

Text AskSaveFileName(TextView title, TextView defaultPath, TextView patterns, int patternIndex) {
  return AskFileName(title, defaultPath, patterns, patternIndex, true);
}

bool PutClipboardText(TextView text) {
  if (!OpenClipboard(nullptr)) return false;
  EmptyClipboard();
  const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  bool placed = false;
  if (memory != nullptr) {
    auto* target = static_cast<char16_t*>(GlobalLock(memory));
    text.copy(target, text.size());
    target[text.size()] = u'\0';
    GlobalUnlock(memory);
    placed = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    if (!placed) GlobalFree(memory);
  }
  CloseClipboard();
  return placed;
}

Text ClipboardText() {
  if (!OpenClipboard(nullptr)) return Text();
  Text text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = FromWide(chars);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}
