#pragma once
// The registries behind the numbers of gui.h. They belong to the GUI thread: other threads
// hand their window work to it (AskForText keeps its state per thread and uses none of this).
#include <deque>
#include <map>
#include <vector>

#include "runtime/win32/gui.h"
// After windows.h, which gui.h brings.
#include <commctrl.h>

enum class GadgetKind {
  ReportList, ListBox, StringField, TextLabel, Button, CheckBox, Option, ComboBox, Tree, Frame,
  ImageBox, Container, TabPanel, ScrollArea, Splitter
};

struct Shortcut {
  int key = 0;  // virtual key with kShortcut* modifiers
  int menuItem = 0;
};

struct WindowRecord {
  HWND handle = nullptr;
  std::vector<Shortcut> shortcuts;
  int showCommand = SW_SHOW;  // used at the first show of a window opened hidden
  bool shown = false;
  WindowGeometry normal;  // WindowNormalGeometry
};

struct GadgetRecord {
  HWND handle = nullptr;
  GadgetKind kind = GadgetKind::Button;
  HWND inner = nullptr;         // where the gadgets inside go (container, scroll area)
  std::vector<HWND> pages;      // tab panel
  int first = -1, second = -1;  // splitter
  int position = 0;             // splitter
  bool sideBySide = false;      // splitter
  int scrollStep = 1;           // scroll area
  HIMAGELIST imageList = nullptr;
  std::map<int, int> imageIndex;  // image number -> index in imageList
  HBRUSH background = nullptr;
  COLORREF backColor = 0;
};

struct ImageRecord {
  HBITMAP bitmap = nullptr;
  HICON icon = nullptr;
  int width = 0, height = 0;
};

struct StatusBarRecord {
  HWND handle = nullptr;
  std::vector<int> widths;
};

struct Event {
  int code = kEventNone;
  int window = -1;
  int gadget = -1;
  int menu = -1;
  int type = 0;
};

struct GuiState {
  std::map<int, WindowRecord> windows;
  std::map<int, GadgetRecord> gadgets;
  std::map<int, ImageRecord> images;
  std::map<int, StatusBarRecord> statusBars;
  std::vector<HWND> gadgetLists;  // innermost last
  std::deque<Event> queue;
  Event current;
  int quiet = 0;  // > 0 while the program itself changes something
  int nextFresh = 0x4000;
  bool lastWasOption = false;
};

extern GuiState Gui;

// Number of the first free fresh number, or the number itself.
int TakeNumber(int requested);
WindowRecord* FindWindowRecord(int window);
GadgetRecord* FindGadget(int gadget);
int GadgetNumberOf(HWND handle);
// The number of the top-level window of ours that holds this handle, -1 when none.
int TopWindowNumberOf(HWND handle);

// While one lives, what the program does raises no events.
class QuietScope {
 public:
  QuietScope() { ++Gui.quiet; }
  ~QuietScope() { --Gui.quiet; }
  QuietScope(const QuietScope&) = delete;
  QuietScope& operator=(const QuietScope&) = delete;
};

void PushEvent(const Event& event);
// WM_COMMAND, WM_NOTIFY and the colour messages of every window that holds gadgets.
bool HandleParentMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
// Registers the window classes of the runtime once.
void RegisterGadgetClasses();
HFONT DefaultGuiFont();
// The image list index of an image for a list or tree gadget; -1 when there is no image.
int GadgetImageIndex(GadgetRecord& gadget, int image, bool forTree);
void LayoutSplitter(GadgetRecord& splitter);
