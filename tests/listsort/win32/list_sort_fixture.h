#pragma once
// A "WindowClass_1" window of the program's runtime; its container holds list 9 and list 10 (never registered).
#include "listsort/listsort.h"
#include "runtime/win32/gui.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

inline constexpr int kListGadget = 9;
inline constexpr int kOtherGadget = 10;
using Rows = std::vector<std::vector<Text>>;
// How many LVN_COLUMNCLICK notifications the window's own procedure received.
inline int g_topWindowColumnClicks = 0;
// The thread on which the library last asked which window a gadget number names.
inline DWORD g_lastLookupThread = 0;

class SortTestWindow {
 public:
  // With `forwardingContainer` the container passes WM_NOTIFY on to the window, as some containers do.
  explicit SortTestWindow(const std::vector<Text>& columns, bool forwardingContainer = true);
  ~SortTestWindow();
  SortTestWindow(const SortTestWindow&) = delete;
  SortTestWindow& operator=(const SortTestWindow&) = delete;

  HWND top() const { return WindowHandle(1); }
  HWND list() const { return GadgetHandle(kListGadget); }
  HWND header() const { return ListView_GetHeader(list()); }
  void AddRows(const Rows& rows);
  void DeleteAllRows() { ClearGadgetItems(kListGadget); }
  int RowCount() const { return CountGadgetItems(kListGadget); }
  std::vector<Text> Column(int column) const;
  LPARAM ItemData(int row) const;
  // Presses and releases the left button on the header item, as the user does.
  void ClickHeader(int column);
  Text HeaderText(int column) const;
  int HeaderFormat(int column) const { return HeaderItem(column, HDI_FORMAT).fmt; }
  int HeaderImage(int column) const { return HeaderItem(column, HDI_IMAGE).iImage; }

 private:
  HDITEMW HeaderItem(int column, UINT mask, wchar_t* text = nullptr) const;
};

// Serves the calling thread's messages; false when none was waiting.
bool PumpMessagesOnce();

inline const std::vector<Text> kScoresUp = {u"10", u"20", u"30", u"40", u"50"};
inline const std::vector<Text> kScoresDown = {u"50", u"40", u"30", u"20", u"10"};
inline const std::vector<Text> kScoresAsFilled = {u"50", u"10", u"30", u"20", u"40"};

// The library started and a window with five rows, scores 50, 10, 30, 20, 40.
class ListSortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    InitListSortLibrary();
    NewWindow();
  }
  void TearDown() override {
    window_.reset();
    ShutdownListSortLibrary();
  }
  void NewWindow(bool forwardingContainer = true) {
    window_.reset();
    window_.emplace(std::vector<Text>{u"Name", u"Score", u"Id"}, forwardingContainer);
    window_->AddRows({{u"delta", u"50", u"$5"}, {u"alpha", u"10", u"4"}, {u"Echo", u"30", u"1"},
                      {u"charlie", u"20", u"3"}, {u"Bravo", u"40", u"2"}});
  }
  // The list registered with the given indicator; columns text, integer, integer.
  void Register(SortIndicator indicator) {
    ASSERT_EQ(RegisterSortableList(kListGadget, indicator), SortResult::Done);
    ASSERT_EQ(SetColumnSortType(kListGadget, 0, kSortTextIgnoringCase), SortResult::Done);
    ASSERT_EQ(SetColumnSortType(kListGadget, 1, kSortInteger32), SortResult::Done);
    ASSERT_EQ(SetColumnSortType(kListGadget, 2, kSortInteger32), SortResult::Done);
  }
  std::vector<Text> Scores() const { return window_->Column(1); }
  std::vector<Text> Names() const { return window_->Column(0); }
  // Every row's item data is its index, as the comparison needs it.
  void ExpectRowsNumbered() const {
    for (int row = 0; row < window_->RowCount(); ++row) EXPECT_EQ(window_->ItemData(row), row) << row;
  }

  std::optional<SortTestWindow> window_;
};
