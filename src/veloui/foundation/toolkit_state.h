#pragma once
// The toolkit's windowed globals: hook handles, the animation thread, shared glyphs, cursors
// and the menu font, together with the two records that teardown walks to give windows their
// procedures back. Written on the GUI thread during start-up; the animation window is read
// and written under the animation lock.
#include <windows.h>
#include <commctrl.h>

#include <atomic>
#include <cstdint>

#include "runtime/portable/text.h"

// One window that hosts a toolkit menu bar, popup menu, rebar or toolbar (the host-window
// list): the toolkit's procedure on it and the one it replaced.
struct HostWindowRecord {
  HWND Window = nullptr;
  WNDPROC NewProcedure = nullptr;
  WNDPROC PreviousProcedure = nullptr;
};

// One subclassed child window, in the child subclass map under the decimal text of its
// handle (guarded by the subclass lock); also holds the size limits of the window.
struct ChildSubclassRecord {
  HWND Window = nullptr;
  WNDPROC PreviousProcedure = nullptr;
  std::uint8_t Tracked = 0;
  std::int32_t Kind = 0;
  std::uint8_t TransparentInPanel = 0;
  std::int32_t MinimumWidth = 0;
  std::int32_t MinimumHeight = 0;
  std::int32_t MaximumWidth = 0;
  std::int32_t MaximumHeight = 0;
};

struct ToolkitWindowState {
  // Thread hooks of the GUI thread; whoever installs one first keeps it here.
  HHOOK CallWndProcHook = nullptr;  // TrackWindowsHookProc
  HHOOK KeyboardHook = nullptr;     // MenuKeyboardHookProc
  HHOOK GetMessageHook = nullptr;   // ShortcutHookProc
  bool Started = false;
  HANDLE AnimationThreadHandle = nullptr;
  HWND AnimationWindow = nullptr;  // under the animation lock
  // Set by teardown for an animation thread that has no window yet to receive WM_CLOSE.
  std::atomic<bool> AnimationStopRequested{false};
  // A 1 x 1 blank icon made at start-up; no toolbar uses it: a button without an image of its
  // own has none, and its image flag keeps it out of the re-tinting.
  HICON BlankIcon = nullptr;
  HIMAGELIST MenuCheckGlyph = nullptr;
  HIMAGELIST MenuRadioGlyph = nullptr;
  HCURSOR ArrowCursor = nullptr;
  HCURSOR RebarSizeCursor = nullptr;
  HCURSOR RebarDragCursor = nullptr;
  HCURSOR HandCursor = nullptr;
  HCURSOR SplitterCursor = nullptr;
  HFONT MenuFont = nullptr;
  HINSTANCE Module = nullptr;  // the toolkit's own, when a library build names it: its resources
};

extern ToolkitWindowState Toolkit;

// The key of a window in the child subclass map and the shortcut map.
Text WindowKey(HWND window);
