#pragma once
// The library's state, one instance for the process, touched only on the GUI thread.
#include "listsort/listsort.h"
#include "runtime/portable/text.h"
#include "runtime/win32/gui_thread_handoff.h"

#include <commctrl.h>

#include <array>
#include <atomic>
#include <list>
#include <type_traits>
#include <vector>

inline constexpr int kSortableColumns = 256;

struct SortableListRecord {
  HWND topWindow = nullptr;  // nearest ancestor whose class begins with "WindowClass"
  int gadget = 0;
  HWND listWindow = nullptr;
  std::array<SortType, kSortableColumns> columnTypes{};
  int indicatorOption = 0;
  bool sorted = false;  // cleared when every row is deleted
  int nextDirection = 1;
  HWND sortedList = nullptr;  // nullptr until the first sort after registration
  int sortedColumn = 0;
  Text savedHeaderText;  // the sorted column's heading without text marks (option 1)
};

struct SubclassEntry {
  HWND window;
  WNDPROC previous;
};

// The sort that runs now, read by the row comparison.
struct CurrentSort {
  HWND list = nullptr;
  // The sorted column's texts by row number, copied before the sort: the list moves its rows
  // while it sorts, so a row read back by number meanwhile may be another row.
  std::vector<Text> cells;
  SortType type = kSortTextIgnoringCase;
  int direction = 1;
  bool directionPending = false;  // the direction came from SortListByColumn
};

// The header click being handled, so that ancestors that see the same notification while
// the first one passes it on leave it alone.
struct ClickInProgress {
  bool active = false;
  HWND list = nullptr;
  int column = 0;
};

struct ListSortGlobals {
  std::list<SortableListRecord> records;  // a list: records keep their address
  std::vector<SubclassEntry> subclassed;  // outlives a restart: the windows keep our procedure
  HIMAGELIST headerImages = nullptr;
  std::array<HBITMAP, 2> arrowBitmaps{};
  int themed = 0;
  bool suspended = false;
  CurrentSort current;
  ClickInProgress click;
  GadgetWindowLookup lookup = nullptr;
  // Made by InitListSortLibrary on the thread that becomes the GUI thread; read by other
  // threads to decide whether a call must be carried over.
  GuiThreadHandOff handOff;
};

extern ListSortGlobals ListSort;

// Runs a library call on the GUI thread (the network thread's reply handlers refill lists)
// and returns its result.
template <typename Call>
auto OnGuiThread(Call call) -> decltype(call()) {
  const GuiThreadHandOff& handOff = ListSort.handOff;
  if (!handOff.MustHandOff()) return call();
  if constexpr (std::is_void_v<decltype(call())>) {
    handOff.Run(call);
  } else {
    decltype(call()) result{};
    handOff.Run([&] { result = call(); });
    return result;
  }
}

// The live window of a gadget number, or nullptr.
HWND GadgetWindow(int gadget);
SortableListRecord* FindRecordByGadget(int gadget);
SortableListRecord* FindRecordByList(HWND list);

int ListRowCount(HWND list);
// Item data = row index, which is how the row comparison finds a row's cells.
void RenumberRows(HWND list);
