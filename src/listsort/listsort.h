#pragma once
// Makes report-mode list views sortable by a click on a column header. A program registers a
// list once (by gadget number), gives each column a sort type (listsort/core/sort_types.h),
// and from then on a header click sorts the rows, alternating ascending and descending on the
// same column, and marks the sorted column in the header. The library can be suspended while
// a list is refilled, and asked to sort by a column itself.
//
// Everything runs on the GUI thread (the thread that called InitListSortLibrary). A call made
// on another thread is carried over to the GUI thread and waits for its result there, so the
// calls of one thread keep their order; the GUI thread must keep serving sent messages while
// it waits for such a thread, as every wait of this program does.
#include "listsort/core/sort_types.h"

#include <windows.h>

// The runtime tells the library which window a gadget number names (nullptr: no such gadget).
// A list gadget's control identifier is its gadget number.
using GadgetWindowLookup = HWND (*)(int gadget);
void SetListSortGadgetLookup(GadgetWindowLookup lookup);

void InitListSortLibrary();
void ShutdownListSortLibrary();

// What registering a list, typing a column and sorting answer.
enum class SortResult : int { Done = 1, NoSuchGadget = 2, ColumnOutOfRange = 3, NotRegistered = 4 };

// How the sorted column is marked in the header.
enum class SortIndicator : int { None = 0, TextMarks = 1, HeaderArrow = 2, ArrowBesideText = 3 };

// Done or NoSuchGadget.
SortResult RegisterSortableList(int gadget, SortIndicator indicator);
// Use the header's own themed sort arrows when `flag` is set and visual themes are active;
// returns the flag in force (0 when themes are not active).
int SetThemedSortDrawing(int flag);
// Done, NoSuchGadget, NotRegistered, or ColumnOutOfRange for a column outside 0-255.
SortResult SetColumnSortType(int gadget, int column, SortType sortType);
// The sorted column, or -1 (no such gadget, not registered, or not sorted since the list was
// registered or last emptied).
int GetSortedColumn(int gadget);
// 1 ascending, -1 descending: the direction of the last sort; 0 as for GetSortedColumn.
int GetSortDirection(int gadget);
// Sorts as a header click would, in the given direction. Done also for an empty list, a
// column that is not sortable, or while suspended (then nothing changes); otherwise as
// SetColumnSortType.
SortResult SortListByColumn(int gadget, int column, int direction);
// Suspends sorting and row tracking; resuming renumbers every registered list.
void SetListSortSuspended(bool suspended);
// Adds a bitmap or icon to the header image list; 1 added, 0 failed.
int AddSortArrowImage(HANDLE image);

// Installed on each registered list and every ancestor up to its top-level window.
LRESULT CALLBACK ListSortWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
// The row comparison the list view calls while a sort runs.
int CALLBACK CompareListRows(LPARAM rowA, LPARAM rowB, LPARAM sortParameter);
