#pragma once
// A real top-level window of the program's class with a report-mode list view inside a
// container, as the program's windows hold their lists, for driving the sorting library.
#include "listsort/listsort.h"
#include "runtime/portable/text.h"

#include <commctrl.h>

#include <vector>

inline constexpr int kListGadget = 9;
inline constexpr int kOtherGadget = 10;  // a gadget that exists but is not registered

class SortTestWindow {
 public:
  // `columns` headings; the list lies in a container that passes WM_NOTIFY on to the top
  // window when `forwardingContainer` is set, as the runtime's containers do.
  explicit SortTestWindow(std::vector<Text> columns, bool forwardingContainer = true);
  ~SortTestWindow();
  SortTestWindow(const SortTestWindow&) = delete;
  SortTestWindow& operator=(const SortTestWindow&) = delete;

  HWND top() const { return top_; }
  HWND list() const { return list_; }
  HWND header() const;

  void AddRow(const std::vector<Text>& cells);
  void AddRows(const std::vector<std::vector<Text>>& rows);
  void DeleteAllRows();
  int RowCount() const;
  std::vector<Text> Column(int column) const;
  LPARAM ItemData(int row) const;

  // Presses and releases the left button on the header item, as the user does.
  void ClickHeader(int column);
  Text HeaderText(int column) const;
  int HeaderFormat(int column) const;
  int HeaderImage(int column) const;

  // How many LVN_COLUMNCLICK notifications the top window's own procedure received.
  static int TopWindowColumnClicks();
  // The thread on which the library last asked which window a gadget number names.
  static DWORD LastLookupThread();

 private:
  // The header item with the fields of `mask`; the text goes into `text` (512 characters).
  HDITEMW HeaderItem(int column, UINT mask, wchar_t* text = nullptr) const;

  HWND top_ = nullptr;
  HWND container_ = nullptr;
  HWND list_ = nullptr;
  HWND other_ = nullptr;
};

// Serves the calling thread's messages until `done` returns true or about five seconds pass.
template <typename Done>
bool PumpMessagesUntil(Done done);
bool PumpMessagesOnce();

template <typename Done>
bool PumpMessagesUntil(Done done) {
  for (int round = 0; round < 5000; ++round) {
    if (done()) return true;
    if (!PumpMessagesOnce()) Sleep(1);
  }
  return done();
}
