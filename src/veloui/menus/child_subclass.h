#pragma once
// The subclass the window hook puts on every new window of the GUI thread (except the
// classes it never touches): ChildControlWindowProc keeps the window's size limits, paints
// combo boxes embedded in skinned Office-style toolbars with their hot state, and keeps
// controls inside a PanelEx page transparent. Each window's record lives in the child
// subclass map (ChildSubclassRecord, under the subclass lock) from WM_CREATE until the
// window is destroyed; the window gets its own procedure back before the record goes, so
// its last messages (WM_NCDESTROY) reach it.
#include <windows.h>

#include <cstdint>
#include <optional>

#include "veloui/foundation/toolkit_state.h"
#include "veloui/menus/core/child_kinds.h"

LRESULT CALLBACK ChildControlWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// Non-zero when it handled the message (the value is then the result), else 0.
LRESULT TrackChildHotState(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::int32_t kind);
// EnumChildWindows callback while a PanelEx page erases its background; lParam is the DC.
BOOL CALLBACK ExcludeChildClipProc(HWND child, LPARAM lParam);

// Makes (or renews) the record of a window being created and puts ChildControlWindowProc on
// it; a toolbar also loses its divider line. Returns the procedure replaced.
WNDPROC SubclassChildWindow(HWND window, ChildKind kind);
// A copy of the window's record, when it has one.
std::optional<ChildSubclassRecord> FindChildRecord(HWND window);
// The kind of a window's record; ChildKindPassThrough without one.
std::int32_t ChildKindOfWindow(HWND window);
// The outermost PanelEx page among the window and its ancestors, or nullptr.
HWND PanelExPageAround(HWND window);

// Re-measures, re-places the scroll bars of and repaints a PanelEx page after one of its
// children moved, was sized or shown. The pages live in a layer above this one, which
// installs its refresh when it starts; until then there is none.
using PageLayoutRefresh = void (*)(HWND page);
void InstallPageLayoutRefresh(PageLayoutRefresh refresh);
