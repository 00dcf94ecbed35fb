#include "list_sort_fixture.h"

#include <algorithm>
#include <random>

// Row 0 holds the greatest score: taken for a row without item data it would stay where it is.
TEST_F(ListSortTest, SortsByValueInBothDirectionsAndKeepsColumnTypesWhenRegisteredAgain) {
  Register(SortIndicator::HeaderArrow);
  EXPECT_EQ(SortListByColumn(kListGadget, 1, 1), SortResult::Done);
  EXPECT_EQ(Scores(), kScoresUp);
  EXPECT_EQ(Names(), (std::vector<Text>{u"alpha", u"charlie", u"Echo", u"Bravo", u"delta"}));
  ExpectRowsNumbered();
  EXPECT_EQ(SortListByColumn(kListGadget, 1, -1), SortResult::Done);
  EXPECT_EQ(Scores(), kScoresDown);
  EXPECT_EQ(window_->Column(2), (std::vector<Text>{u"$5", u"2", u"1", u"3", u"4"}));
  ExpectRowsNumbered();
  SortListByColumn(kListGadget, 2, 1);  // "$5" is 5: the greatest id
  EXPECT_EQ(window_->Column(2), (std::vector<Text>{u"1", u"2", u"3", u"4", u"$5"}));

  window_->AddRows({{u"foxtrot", u"9", u"6"}});
  ASSERT_EQ(RegisterSortableList(kListGadget, SortIndicator::HeaderArrow), SortResult::Done);
  SortListByColumn(kListGadget, 1, 1);
  EXPECT_EQ(Scores(), (std::vector<Text>{u"9", u"10", u"20", u"30", u"40", u"50"}));  // by value, not by text
}

// The container passes the notification on to the subclassed top window: each click is handled once.
TEST_F(ListSortTest, HeaderClicksAlternateTheDirectionThoughTwoAncestorsSeeThem) {
  Register(SortIndicator::HeaderArrow);
  window_->ClickHeader(1);
  EXPECT_EQ(g_topWindowColumnClicks, 1);
  EXPECT_EQ(Scores(), kScoresUp);
  EXPECT_EQ(GetSortDirection(kListGadget), 1);
  window_->ClickHeader(1);
  EXPECT_EQ(g_topWindowColumnClicks, 2);
  EXPECT_EQ(Scores(), kScoresDown);
  EXPECT_EQ(GetSortDirection(kListGadget), -1);
  window_->ClickHeader(1);
  EXPECT_EQ(Scores(), kScoresUp);
  EXPECT_EQ(GetSortDirection(kListGadget), 1);
  // Another column starts ascending.
  window_->ClickHeader(0);
  EXPECT_EQ(Names(), (std::vector<Text>{u"alpha", u"Bravo", u"charlie", u"delta", u"Echo"}));
  EXPECT_EQ(GetSortedColumn(kListGadget), 0);
  EXPECT_EQ(GetSortDirection(kListGadget), 1);
}

TEST_F(ListSortTest, AClickReachingOnlyTheListsParentSorts) {
  NewWindow(false);
  Register(SortIndicator::HeaderArrow);
  window_->ClickHeader(1);
  EXPECT_EQ(g_topWindowColumnClicks, 0);
  EXPECT_EQ(Scores(), kScoresUp);
  window_->ClickHeader(1);
  EXPECT_EQ(Scores(), kScoresDown);
}

TEST_F(ListSortTest, ResultCodesCheckGadgetThenRegistrationThenColumn) {
  constexpr int kNoGadget = 77;
  window_->ClickHeader(1);  // not registered yet: nothing happens
  EXPECT_EQ(Scores(), kScoresAsFilled);
  EXPECT_EQ(RegisterSortableList(kNoGadget, SortIndicator::HeaderArrow), SortResult::NoSuchGadget);
  Register(SortIndicator::HeaderArrow);
  EXPECT_EQ(SetColumnSortType(kListGadget, 256, kSortInteger32), SortResult::ColumnOutOfRange);
  EXPECT_EQ(SetColumnSortType(kListGadget, -1, kSortInteger32), SortResult::ColumnOutOfRange);
  EXPECT_EQ(SetColumnSortType(kListGadget, 255, kSortInteger32), SortResult::Done);
  EXPECT_EQ(SetColumnSortType(kOtherGadget, 999, kSortInteger32), SortResult::NotRegistered);
  EXPECT_EQ(SetColumnSortType(kNoGadget, 999, kSortInteger32), SortResult::NoSuchGadget);
  EXPECT_EQ(SortListByColumn(kListGadget, -1, 1), SortResult::ColumnOutOfRange);  // what a refill passes when nothing was sorted
  EXPECT_EQ(SortListByColumn(kOtherGadget, 1, 1), SortResult::NotRegistered);
  EXPECT_EQ(SortListByColumn(kNoGadget, 1, 1), SortResult::NoSuchGadget);
  for (const int gadget : {kNoGadget, kOtherGadget, kListGadget}) {
    EXPECT_EQ(GetSortedColumn(gadget), -1) << gadget;
    EXPECT_EQ(GetSortDirection(gadget), 0) << gadget;
  }
  EXPECT_EQ(Scores(), kScoresAsFilled);
}

// Nor is the direction such a request asked for kept for the next click.
TEST_F(ListSortTest, RequestsThatCannotSortChangeNothing) {
  Register(SortIndicator::HeaderArrow);
  ASSERT_EQ(SetColumnSortType(kListGadget, 2, kSortNotSortable), SortResult::Done);
  EXPECT_EQ(SortListByColumn(kListGadget, 2, -1), SortResult::Done);
  window_->ClickHeader(2);
  SetListSortSuspended(true);
  window_->ClickHeader(1);
  EXPECT_EQ(SortListByColumn(kListGadget, 1, -1), SortResult::Done);
  EXPECT_EQ(Scores(), kScoresAsFilled);
  EXPECT_EQ(GetSortedColumn(kListGadget), -1);
  EXPECT_EQ(GetSortDirection(kListGadget), 0);
  SetListSortSuspended(false);
  window_->ClickHeader(1);
  EXPECT_EQ(Scores(), kScoresUp);
}

namespace {

// Counts text reads during a sort: read by row number then, a text may belong to a row that has moved.
struct SortWatch {
  WNDPROC previous = nullptr;
  int sorting = 0;
  int textReadsWhileSorting = 0;
} g_watch;

LRESULT CALLBACK WatchSorting(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  g_watch.sorting += message == LVM_SORTITEMS ? 1 : 0;
  g_watch.textReadsWhileSorting += g_watch.sorting > 0 && message == LVM_GETITEMTEXTW ? 1 : 0;
  const LRESULT result = CallWindowProcW(g_watch.previous, window, message, wParam, lParam);
  g_watch.sorting -= message == LVM_SORTITEMS ? 1 : 0;
  return result;
}

}  // namespace

TEST(LongList, FiveHundredShuffledRowsOfEveryNumericTypeSortInBothDirectionsFromACopyOfTheColumn) {
  InitListSortLibrary();
  SortTestWindow window({u"Value"});
  ASSERT_EQ(RegisterSortableList(kListGadget, SortIndicator::HeaderArrow), SortResult::Done);
  g_watch = {};
  g_watch.previous = Subclass(window.list(), WatchSorting);
  const struct {
    SortType type;
    Text (*cell)(int);
  } kTypes[] = {
      {kSortInteger32, [](int i) { return DecimalText(i * 7 - 1700); }},
      {kSortInteger64, [](int i) { return DecimalText(std::int64_t{i} * 40000000000LL - 9000000000000LL); }},
      {kSortFloat32, [](int i) { return DecimalText(i - 250) + u".5"; }},
      {kSortFloat64, [](int i) { return DecimalText(i * 3 - 700) + u".25"; }},
  };
  std::mt19937 random(500);
  for (const auto& t : kTypes) {
    std::vector<Text> ascending;
    Rows rows;
    for (int i = 0; i < 500; ++i) {
      ascending.push_back(t.cell(i));
      rows.push_back({ascending.back()});
    }
    std::shuffle(rows.begin(), rows.end(), random);
    window.DeleteAllRows();
    window.AddRows(rows);
    ASSERT_EQ(SetColumnSortType(kListGadget, 0, t.type), SortResult::Done);
    SortListByColumn(kListGadget, 0, 1);
    EXPECT_EQ(window.Column(0), ascending) << "type " << int{t.type};
    SortListByColumn(kListGadget, 0, -1);
    EXPECT_EQ(window.Column(0), std::vector<Text>(ascending.rbegin(), ascending.rend())) << "type " << int{t.type};
  }
  EXPECT_EQ(g_watch.textReadsWhileSorting, 0);
  Subclass(window.list(), g_watch.previous);
  ShutdownListSortLibrary();
}
