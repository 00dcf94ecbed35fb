#pragma once
// Scrollable copies of over-long menu-bar drop-downs: when a title's menu would not fit
// under the title, a copy holding the items that fit, with arrow rows at the ends, is shown
// instead; resting the mouse on an arrow scrolls it, keyboard selection past an end
// rebuilds it at the other end. Commands chosen in it carry the source items' ids.
//
// Threads: every menu edit, ScrollWindow and redraw runs on the GUI thread. The scroll
// thread only times the steps of a held arrow and asks the GUI thread for each one with a
// sent message to a message-only window, which the GUI thread serves inside the menu loop.
#include <windows.h>

#include <atomic>
#include <vector>

#include "veloui/menus/core/menu_scroll_model.h"
#include "veloui/menus/menus.h"

struct CopyMnemonicKey {
  char16_t Key = 0;
  std::int32_t CommandId = 0;
};

struct MenuScrollState {
  // GUI thread only.
  MenuRecord* Title = nullptr;
  HMENU SourceMenu = nullptr;
  std::vector<int> ItemHeights;
  int ArrowHeight = 0;
  int Frame = 0;
  int CopyHeight = 0;
  CopyView View;
  std::vector<int> Rows;            // the keys of the rows the copy holds now
  std::vector<CopyMnemonicKey> Keys;  // MenuKeyList
  HWND StepWindow = nullptr;
  HANDLE Thread = nullptr;
  bool ReshowPending = false;
  int ReshowSelection = -1;
  // Shared with the scroll thread.
  std::atomic<bool> Requested{false};  // the mouse rests on an arrow
  std::atomic<bool> Running{false};    // the copy is being changed: selection and moves frozen
  std::atomic<bool> Finished{false};   // the end was reached; the hooks pass everything on
  std::atomic<bool> ThreadActive{false};
};
extern MenuScrollState MenuScroll;

// The copy to show for the title's menu, or nullptr when the menu fits into `available`
// pixels below the title. The title record is marked Scrolling.
HMENU BuildScrollCopy(MenuRecord& title, int available);
// Once the copy's menu has closed: stops the scroll thread, frees the copy and its keys.
void FreeScrollCopy();
// Where the platform cannot lay out a shown popup again, an edit of the copy ends the menu
// loop; the caller then shows the copy again at the same place while this returns true.
bool TakeCopyReshow();

// The selection of the copy's window landed on a row of this Kind: by the mouse, an arrow starts
// the scroll thread (unless one runs) and an ordinary item stops a held scroll; by the keyboard,
// any row but an arrow stops it.
void NoteCopySelection(std::int32_t kind);
// The same for a selection learnt from WM_MENUSELECT (the low word of the row's command).
void NoteCopySelectionOfCommand(std::uint16_t command);
// The Kind of the row at `position` of the copy; 0 when it is no special row.
std::int32_t CopyRowKind(int position);
// Asks a running scroll to stop after its current step.
void StopMenuScroll();
// Modes 0 (down) and 1 (up) scroll while the arrow is held, 2 and 3 rebuild the copy at the
// end or the start. On the scroll thread only modes 0 and 1 run, and only through the GUI.
void MenuScrollThread(int mode);
// A key pressed while the copy is open: the item of that mnemonic is fired when it opens no
// submenu and is enabled. True when an item was fired.
bool FireCopyMnemonic(UINT key);

// Stops the scroll thread (serving what it sends meanwhile) and takes the step window down.
void EndScrollSteps();
// Selects the row `row` (a key of MenuScroll.Rows) once the copy's shown-again menu loop runs,
// wherever scroll steps meanwhile moved it.
void PostCopyReselect(int row);
// Where the row `row` stands in the copy now; -1 when the copy does not hold it.
int CopyRowPosition(int row);

// The GUI-thread work of the steps (menu_scroll_copy.cpp) that the thread asks for.
void ApplyCopyView(const CopyView& view, bool rebuild);
CopyGeometry CurrentCopyGeometry();
void ScrollCopyBand(int mode);
void SelectCopyPosition(int position);
