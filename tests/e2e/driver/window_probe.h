#pragma once
// The test driver's view of another process's windows: top-level windows found by title or
// class, controls found by id, their texts and enabled states, list-view cells, list-box
// lines and status-bar fields read across the process boundary, and commands, clicks and
// answers posted to them. Every wait is bounded.
#include <windows.h>

#include <functional>
#include <vector>

#include "runtime/portable/text.h"

// Polls `ready` every 20 ms for at most `timeoutMs`; true once it answered true.
bool WaitFor(const std::function<bool()>& ready, int timeoutMs);

class WindowProbe {
 public:
  explicit WindowProbe(DWORD processId, HANDLE process) : processId_(processId), process_(process) {}

  // A visible top-level window of the process.
  HWND FindByTitle(TextView title) const;
  HWND FindByClass(TextView className) const;
  HWND WaitForTitle(TextView title, int timeoutMs) const;
  std::vector<HWND> TopWindows() const;

  // Any descendant of `top` whose control id is `id`, or whose window class is `className`.
  static HWND Control(HWND top, int id);
  static HWND ControlOfClass(HWND top, TextView className);
  static Text TextOf(HWND window);  // WM_GETTEXT
  static void SetText(HWND window, TextView text);
  static bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
  // The texts of the static children (a message box's message).
  static Text StaticTexts(HWND top);

  // As the user's click: the parent receives the button's notification.
  static void Click(HWND button);
  // A notification code of a control (EN_CHANGE, CBN_EDITCHANGE, ...) as the control raises it.
  static void Notify(HWND control, WORD code);
  static void PostMenuCommand(HWND top, int item);

  // List views, through memory lent in the other process.
  int ListCount(HWND list) const;
  Text ListCell(HWND list, int row, int column) const;
  std::vector<Text> ListColumn(HWND list, int column) const;
  void SelectListRow(HWND list, int row) const;
  int ListSelection(HWND list) const;
  // List boxes.
  int LineCount(HWND listBox) const;
  Text Line(HWND listBox, int line) const;
  std::vector<Text> Lines(HWND listBox) const;
  // Status bars.
  Text StatusField(HWND statusBar, int field) const;

 private:
  DWORD processId_;
  HANDLE process_;
};

// What the clipboard holds as Unicode text ("" when nothing).
Text ClipboardUnicodeText();
void EmptyTheClipboard();
