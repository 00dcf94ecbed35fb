#pragma once
// A "WindowClass_1" window of the program's runtime; its container holds list 9 and list 10 (never registered).
#include "../../veloui/foundation/dib_canvas.h"
#include "listsort/listsort.h"
#include "runtime/win32/gui.h"
#include "runtime/win32/platform/wide_text.h"

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

inline WNDPROC Subclass(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

class SortTestWindow {
 public:
  // With `forwardingContainer` the container passes WM_NOTIFY on to the window, as some containers do.
  explicit SortTestWindow(const std::vector<Text>& columns, bool forwardingContainer = true) {
    g_topWindowColumnClicks = 0;
    OpenWindow(1, 20, 20, 640, 480, u"Sorting", kWindowTitleBar | kWindowInvisible);
    CreateContainer(2, 0, 0, 600, 440);
    for (const int gadget : {kListGadget, kOtherGadget}) {
      CreateReportList(gadget, 10, gadget == kListGadget ? 10 : 220, 560, 180, columns[0], 100, kReportAlwaysShowSelection);
      for (std::size_t i = 1; i < columns.size(); ++i) AddGadgetColumn(gadget, static_cast<int>(i), columns[i], 100);
    }
    CloseGadgetList();
    topWindowProc_ = Subclass(top(), CountColumnClicks);
    if (forwardingContainer) containerProc_ = Subclass(GadgetHandle(2), ForwardNotifications);
    SetListSortGadgetLookup([](int gadget) {
      g_lastLookupThread = GetCurrentThreadId();
      return GadgetHandle(gadget);
    });
  }
  ~SortTestWindow() {
    FreeWindow(1);
    PumpFor(0);
  }
  SortTestWindow(const SortTestWindow&) = delete;
  SortTestWindow& operator=(const SortTestWindow&) = delete;

  HWND top() const { return WindowHandle(1); }
  HWND list() const { return GadgetHandle(kListGadget); }
  HWND header() const { return ListView_GetHeader(list()); }
  void AddRows(const Rows& rows) {
    for (const auto& cells : rows) {
      Text line = cells[0];
      for (std::size_t column = 1; column < cells.size(); ++column) line += u"\n" + cells[column];
      AddGadgetItem(kListGadget, -1, line);
    }
  }
  void DeleteAllRows() { ClearGadgetItems(kListGadget); }
  int RowCount() const { return CountGadgetItems(kListGadget); }
  std::vector<Text> Column(int column) const {
    std::vector<Text> cells;
    for (int row = 0; row < RowCount(); ++row) cells.push_back(GadgetItemText(kListGadget, row, column));
    return cells;
  }
  LPARAM ItemData(int row) const {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    ListView_GetItem(list(), &item);
    return item.lParam;
  }
  // Presses and releases the left button on the header item, as the user does.
  void ClickHeader(int column) {
    RECT rect{};
    Header_GetItemRect(header(), column, &rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    SendMessageW(header(), WM_MOUSEMOVE, 0, point);
    SendMessageW(header(), WM_LBUTTONDOWN, MK_LBUTTON, point);
    SendMessageW(header(), WM_LBUTTONUP, 0, point);
    PumpFor(0);
  }
  Text HeaderText(int column) const {
    wchar_t buffer[512] = {};
    HeaderItem(column, HDI_TEXT, buffer);
    return FromWide(buffer);
  }
  int HeaderFormat(int column) const { return HeaderItem(column, HDI_FORMAT).fmt; }
  int HeaderImage(int column) const { return HeaderItem(column, HDI_IMAGE).iImage; }

 private:
  HDITEMW HeaderItem(int column, UINT mask, wchar_t* text = nullptr) const {
    HDITEMW item{};
    item.mask = mask;
    item.pszText = text;
    item.cchTextMax = 512;
    Header_GetItem(header(), column, &item);
    return item;
  }
  static LRESULT CALLBACK CountColumnClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_COLUMNCLICK) ++g_topWindowColumnClicks;
    return CallWindowProcW(topWindowProc_, window, message, wParam, lParam);
  }
  static LRESULT CALLBACK ForwardNotifications(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NOTIFY) return SendMessageW(GetParent(window), message, wParam, lParam);
    return CallWindowProcW(containerProc_, window, message, wParam, lParam);
  }
  static inline WNDPROC topWindowProc_ = nullptr;
  static inline WNDPROC containerProc_ = nullptr;
};

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
