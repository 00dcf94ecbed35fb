#pragma once
// Where the main window's controls go when the window or the splitter changes size. The main
// loop lays the window out once before its first wait, then calls FollowMainWindowSize on
// every size event of window 0 and RelayoutWhenResized after every event.

// The lists, the REFRESH button, the search row, the log and the message field placed from
// the sizes of the tab panel and the log container.
void RelayoutPanelContents();
// RelayoutPanelContents when the tab panel or the log container has changed size since the
// last layout: a window that only grows taller changes the container alone.
void RelayoutWhenResized();
// The splitter fills window 0 below the rebar and above the status bar; its position stays.
void ResizeSplitterToMainWindow();
// ResizeSplitterToMainWindow, except while the window is minimised: its inner size is then
// nothing, and the splitter would lose its position to it.
void FollowMainWindowSize();
// The first layout: the window's first show raises no size event, so nothing else would.
void LayOutMainWindow();
// Forgets the sizes of the last layout (for a new main window).
void ResetMainWindowLayout();
