#pragma once
// Dragging rebar bands between rows with the mouse: a thread mouse hook notices a press on
// a band's gripper of a toolkit rebar and moves the band into another row as the mouse goes
// up or down, growing or shrinking the top-level window with the bar.
#include <windows.h>

struct RebarHookState {
  HHOOK MouseHook = nullptr;      // RebarMouseHook, for the thread's life
  HHOOK CursorHook = nullptr;     // RebarDragCursorHook, while a gripper drag runs
  HHOOK BandDragHook = nullptr;   // RebarBandDragMouseHook, while the rebar's own band drag runs
  HWND DragRebar = nullptr;       // the gripper drag's rebar (nullptr: none)
  int DragBand = -1;              // its band index
  POINT DragStart{};
  HCURSOR DragCursor = nullptr;
  HWND BandDragRebar = nullptr;   // the rebar of the band drag the host window saw begin
  UINT BandDragId = 0;
  int LastRowCount = -1;
};
extern RebarHookState RebarHooks;

LRESULT CALLBACK RebarMouseHook(int code, WPARAM message, LPARAM data);
LRESULT CALLBACK RebarDragCursorHook(int code, WPARAM flag, LPARAM data);
LRESULT CALLBACK RebarBandDragMouseHook(int code, WPARAM message, LPARAM data);

// Takes every rebar hook away (when the last rebar is gone) and forgets any drag.
void RemoveRebarHooks();

// Moves band `band` of `rebar` into the row under (x, y) (rebar co-ordinates), resizing the
// top-level window by the bar's change with the host's sizing flag set; the drag's end clears it.
void MoveRebarBand(HWND rebar, int band, int x, int y);
