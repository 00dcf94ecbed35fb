#pragma once
// Windows, gadgets (controls), events, requesters and the clipboard, addressed by small
// numbers the program chooses. -1 as a number asks for a fresh one, which is returned; an
// operation on a number that names nothing does nothing and returns 0 (or "").
// The gadget number is the control's id, so another process can find a control by it.
// Every call runs on the GUI thread, except AskForText and ShowMessage (any thread).
#include <windows.h>

#include <cstdint>
#include <string_view>

#include "runtime/portable/text.h"

// ---- Windows --------------------------------------------------------------------------
// Flags: the style bits keep their Windows values; the rest are ours.
inline constexpr std::uint32_t kWindowCentered = 0x1;          // on the screen
inline constexpr std::uint32_t kWindowCenteredOnOwner = 0x2;   // on the owner, else the active window
inline constexpr std::uint32_t kWindowMaximizeBox = 0x10000;
inline constexpr std::uint32_t kWindowMinimizeBox = 0x20000;
inline constexpr std::uint32_t kWindowSizeable = 0x40000;
inline constexpr std::uint32_t kWindowSystemMenu = 0x80000;    // with the close box
inline constexpr std::uint32_t kWindowTitleBar = 0xC00000;
inline constexpr std::uint32_t kWindowMaximized = 0x1000000;
inline constexpr std::uint32_t kWindowInvisible = 0x10000000;  // opened hidden
inline constexpr std::uint32_t kWindowMinimized = 0x20000000;
// Every window has a title bar. x, y place the outer frame; sizes are inner (client) sizes. Top-level windows are of
// the class "WindowClass_<number>". Returns the fresh number for -1, else the window handle
// as a number; 0 when the window could not be opened. An existing window of the number is
// closed first.
std::intptr_t OpenWindow(int window, int x, int y, int innerWidth, int innerHeight, TextView title,
                         std::uint32_t flags, HWND owner = nullptr);
void FreeWindow(int window);  // destroys it and its gadgets
bool IsWindowNumber(int window);
HWND WindowHandle(int window);
int WindowNumberOf(HWND handle);  // -1 when it is none of ours
void SetWindowTitle(int window, TextView title);
Text WindowTitle(int window);
void DisableWindow(int window, bool disabled);
void HideWindow(int window, bool hidden);  // the first show honours the state flags
// 0 normal, kWindowMaximized or kWindowMinimized.
std::int32_t WindowState(int window);
int WindowX(int window);  // outer position on the screen
int WindowY(int window);
int WindowInnerWidth(int window);
int WindowInnerHeight(int window);
// Where the window last was in normal state (neither minimised nor maximised): outer position,
// inner size. Kept as the window moves and changes size, so that it is right even when the
// window was maximised before the program looked.
struct WindowGeometry {
  int X = 0, Y = 0, InnerWidth = 0, InnerHeight = 0;
  bool operator==(const WindowGeometry&) const = default;
};
WindowGeometry WindowNormalGeometry(int window);
inline constexpr int kKeep = INT32_MIN;  // leaves that coordinate unchanged
void ResizeWindow(int window, int x, int y, int innerWidth, int innerHeight);
// Children are clipped out of the window's painting, so that resizing does not flicker.
void SetWindowFlickerFree(int window);
// A key (virtual key, with kShortcut* modifiers) on the window gives a menu event with the
// item number, whatever control has the focus.
inline constexpr int kShortcutShift = 0x10000;
inline constexpr int kShortcutControl = 0x20000;
inline constexpr int kShortcutAlt = 0x40000;
void AddKeyboardShortcut(int window, int key, int menuItem);
void RemoveKeyboardShortcut(int window, int key);

// ---- Events -----------------------------------------------------------------------------
// Events come only from the user; what the program changes itself raises none. The close
// box raises kEventCloseWindow and never closes the window by itself.
inline constexpr int kEventNone = 0;
inline constexpr int kEventSizeWindow = 5;
inline constexpr int kEventCloseWindow = 16;
inline constexpr int kEventGadget = 13100;
inline constexpr int kEventMenu = 13101;  // menu item or keyboard shortcut; EventMenu() is its number
// WM_QUIT reached the wait: the thread's event loop is over. The quit message stays queued
// for any loop outside this one.
inline constexpr int kEventQuit = -1;
inline constexpr int kEventTypeClick = 0;        // also: tab chosen, list box line chosen, combo item chosen
inline constexpr int kEventTypeRightClick = 1;
inline constexpr int kEventTypeDoubleClick = 2;
inline constexpr int kEventTypeChange = 768;     // the text of a field changed
int WaitWindowEvent();  // waits without limit
int WindowEvent();      // kEventNone when nothing is waiting
int EventWindow();
int EventGadget();
int EventMenu();
int EventType();
// Any WM_COMMAND without a control (menus of our own or of a toolkit) reaching one of our
// windows becomes a menu event with the command id.

// ---- Gadgets ----------------------------------------------------------------------------
// Gadgets are created in the current gadget list: the last opened window, or the container,
// tab or scroll area opened since; CloseGadgetList goes back one level.
void UseGadgetList(int window);
void CloseGadgetList();
// Returns the fresh number for -1, else the control handle as a number; 0 on failure.
inline constexpr std::uint32_t kReportFullRowSelect = 0x1;
inline constexpr std::uint32_t kReportAlwaysShowSelection = 0x2;
inline constexpr std::uint32_t kReportHeaderDragDrop = 0x4;
inline constexpr std::uint32_t kReportMultiSelect = 0x8;
std::intptr_t CreateReportList(int gadget, int x, int y, int w, int h, TextView firstTitle,
                               int firstWidth, std::uint32_t flags);
std::intptr_t CreateListBox(int gadget, int x, int y, int w, int h);
inline constexpr std::uint32_t kStringPassword = 0x1;
inline constexpr std::uint32_t kStringDigitsOnly = 0x2;
inline constexpr std::uint32_t kStringReadOnly = 0x4;
std::intptr_t CreateStringField(int gadget, int x, int y, int w, int h, TextView text, std::uint32_t flags = 0);
std::intptr_t CreateTextLabel(int gadget, int x, int y, int w, int h, TextView text);
inline constexpr std::uint32_t kButtonDefault = 0x1;
inline constexpr std::uint32_t kButtonFlat = 0x2;
std::intptr_t CreateButton(int gadget, int x, int y, int w, int h, TextView text, std::uint32_t flags = 0);
std::intptr_t CreateCheckBox(int gadget, int x, int y, int w, int h, TextView text);
// Options created one after another form one group.
std::intptr_t CreateOption(int gadget, int x, int y, int w, int h, TextView text);
inline constexpr std::uint32_t kComboEditable = 0x1;
std::intptr_t CreateComboBox(int gadget, int x, int y, int w, int h, std::uint32_t flags = 0);
std::intptr_t CreateTree(int gadget, int x, int y, int w, int h);
std::intptr_t CreateFrame(int gadget, int x, int y, int w, int h, TextView text);
// w or h 0: the image's own size.
std::intptr_t CreateImageBox(int gadget, int x, int y, int w, int h, int image);
inline constexpr std::uint32_t kBorderNone = 0;
inline constexpr std::uint32_t kBorderSingle = 0x1;
inline constexpr std::uint32_t kBorderSunken = 0x2;
inline constexpr std::uint32_t kBorderThinSunken = 0x4;
std::intptr_t CreateContainer(int gadget, int x, int y, int w, int h, std::uint32_t border = kBorderNone);
std::intptr_t CreateTabPanel(int gadget, int x, int y, int w, int h);
// Adds a tab (position -1: at the end) whose page becomes the current gadget list.
void AddTab(int panel, int position, TextView text);
std::intptr_t CreateScrollArea(int gadget, int x, int y, int w, int h, int innerWidth, int innerHeight,
                               int scrollStep, std::uint32_t border = kBorderNone);
inline constexpr std::uint32_t kSplitterSideBySide = 0x1;  // default: first above second
// Takes the two gadgets into the splitter; its state is the first one's height (or width).
std::intptr_t CreateSplitter(int gadget, int x, int y, int w, int h, int first, int second,
                             std::uint32_t flags = 0);

bool IsGadgetNumber(int gadget);
HWND GadgetHandle(int gadget);
void FreeGadget(int gadget);
// Buttons, labels, fields, frames: their text. Combo boxes: the shown text. Lists and the
// tree: the selected item's text. Tab panel: the current tab's text.
Text GadgetText(int gadget);
void SetGadgetText(int gadget, TextView text);
// String fields and editable combos: where the caret stands, in characters from the start (the
// end of a selection); 0 for other gadgets. Setting it clamps it to the text and selects nothing.
int GadgetCaret(int gadget);
void SetGadgetCaret(int gadget, int position);
// Check box and option: 1 checked. Lists, list box, tree, combo box, tab panel: the selected
// index, -1 for none. Splitter: its position.
int GadgetState(int gadget);
void SetGadgetState(int gadget, int state);
void DisableGadget(int gadget, bool disabled);
void HideGadget(int gadget, bool hidden);
void ResizeGadget(int gadget, int x, int y, int w, int h);  // kKeep leaves a value
int GadgetX(int gadget);  // relative to its parent
int GadgetY(int gadget);
int GadgetWidth(int gadget);
int GadgetHeight(int gadget);
void SetGadgetFont(int gadget, HFONT font);
void SetGadgetBackColor(int gadget, COLORREF color);
void SetActiveGadget(int gadget);
// The list control's redraw switch, for refilling a long list.
void SetGadgetRedraw(int gadget, bool redraw);

// Items of lists, list box, combo box, tree and tab panel. In a report list the columns
// of an item's text are separated by LF. position -1 adds at the end; image -1 none.
int AddGadgetItem(int gadget, int position, TextView text, int image = -1);
void RemoveGadgetItem(int gadget, int position);
void ClearGadgetItems(int gadget);
int CountGadgetItems(int gadget);
Text GadgetItemText(int gadget, int item, int column = 0);
void SetGadgetItemText(int gadget, int item, TextView text, int column = 0);
void AddGadgetColumn(int gadget, int position, TextView title, int width);
int CountGadgetColumns(int gadget);
int GadgetColumnWidth(int gadget, int column);
void SetGadgetColumnWidth(int gadget, int column, int width);

// A font by face name, size in points and weight; the caller keeps it while it is used.
HFONT CreateFontHandle(TextView face, int points, bool bold);

// ---- Status bars (their own numbers) -------------------------------------------------------
std::intptr_t CreateStatusBar(int statusBar, int window);
void AddStatusField(int statusBar, int width);
void SetStatusText(int statusBar, int field, TextView text);
Text StatusText(int statusBar, int field);
int StatusBarHeight(int statusBar);
HWND StatusBarHandle(int statusBar);

// ---- Images (their own numbers) ----------------------------------------------------------
// The store takes the bitmap or icon over; -1 gives a fresh number. Non-zero on success.
int StoreBitmap(int image, HBITMAP bitmap);
int StoreIcon(int image, HICON icon);
// An icon file (its first image), a PNG, or whatever a registered decoder knows.
int DecodeImage(int image, std::string_view bytes);
// The same pictures stored as an icon that keeps their alpha (for menus and windows).
int DecodeIcon(int image, std::string_view bytes);
bool IsImageNumber(int image);
int ImageWidth(int image);
int ImageHeight(int image);
void FreeImage(int image);

// ---- Requesters and clipboard ------------------------------------------------------------
// Once, on the GUI thread, before any requester or web page: the common controls and COM
// (OLE, which the file requesters' drag and drop needs), in this thread's apartment.
// False when COM could not be started here.
bool StartRequesters();
// An "OK" message box owned by the active window.
void ShowMessage(TextView title, TextView text);
// Asks for one line of text in a window of its own, with its own modal loop, on whatever
// thread calls it. "" when cancelled.
Text AskForText(TextView title, TextView prompt, TextView defaultText);
// Closes, as cancelled, every AskForText window that another thread than the caller shows.
void CancelOtherThreadsTextRequests();
// Patterns as "Name (*.x)|*.x|Other|*.*"; patternIndex selects one (0 the first). "" when
// cancelled.
Text AskOpenFileName(TextView title, TextView defaultPath, TextView patterns, int patternIndex = 0);
Text AskSaveFileName(TextView title, TextView defaultPath, TextView patterns, int patternIndex = 0);
// Replaces the clipboard's content with one Unicode text.
bool PutClipboardText(TextView text);
Text ClipboardText();
