#pragma once
// Where the main window's controls go when the window or the splitter changes size. The main
// loop calls ResizeSplitterToMainWindow on every size event of window 0 and
// RelayoutPanelContents whenever the tab panel's width + height has changed.

// The lists, the REFRESH button, the search row, the log and the message field placed from
// the sizes of the tab panel and the log container.
void RelayoutPanelContents();
// The splitter fills window 0 below the rebar and above the status bar; its position stays.
void ResizeSplitterToMainWindow();
