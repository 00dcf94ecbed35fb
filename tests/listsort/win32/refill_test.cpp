#include "list_sort_fixture.h"

#include <atomic>
#include <thread>

// Rows added while suspended are not tracked until sorting resumes.
TEST_F(ListSortTest, RowsAreNumberedOnInsertDeleteAndResume) {
  Register(SortIndicator::HeaderArrow);
  window_->AddRows({{u"kilo", u"1", u"11"}});
  ExpectRowsNumbered();
  ListView_DeleteItem(window_->list(), 0);
  ExpectRowsNumbered();
  SetListSortSuspended(true);
  window_->AddRows({{u"golf", u"70", u"7"}, {u"hotel", u"5", u"8"}, {u"india", u"65", u"9"}, {u"juliet", u"15", u"10"}});
  EXPECT_EQ(window_->ItemData(5), 0);
  SetListSortSuspended(false);
  ExpectRowsNumbered();
  window_->ClickHeader(1);
  EXPECT_EQ(Scores(), (std::vector<Text>{u"1", u"5", u"10", u"15", u"20", u"30", u"40", u"65", u"70"}));
}

// As the end routine after an error report runs it: on a thread of its own while the GUI thread serves what it sends.
TEST_F(ListSortTest, AShutdownOnAnotherThreadDetachesTheHeadersAndEndsTheLibrary) {
  Register(SortIndicator::HeaderArrow);
  ASSERT_EQ(SortListByColumn(kListGadget, 1, 1), SortResult::Done);
  ASSERT_NE(Header_GetImageList(window_->header()), nullptr);
  std::atomic<bool> done{false};
  std::thread ending([&] {
    ShutdownListSortLibrary();
    done = true;
  });
  EXPECT_TRUE(PumpFor(5000, [&] { return done.load(); }));
  ending.join();
  EXPECT_EQ(Header_GetImageList(window_->header()), nullptr);
  EXPECT_EQ(SetColumnSortType(kListGadget, 1, kSortInteger32), SortResult::NotRegistered);
}

TEST_F(ListSortTest, CallsAndARefillFromAnotherThreadRunOnTheGuiThreadAndKeepTheSort) {
  std::atomic<bool> done{false};
  SortResult results[3] = {};
  int direction = 0;
  DWORD lookupThread = 0;
  std::thread network([&] {
    results[0] = RegisterSortableList(kListGadget, SortIndicator::HeaderArrow);
    lookupThread = g_lastLookupThread;
    results[1] = SetColumnSortType(kListGadget, 1, kSortInteger32);
    results[2] = SortListByColumn(kListGadget, 1, -1);
    direction = GetSortDirection(kListGadget);
    // What the program does with the players list after each player-list reply.
    const int column = GetSortedColumn(kListGadget);
    const int sortDirection = GetSortDirection(kListGadget);
    window_->DeleteAllRows();
    SetListSortSuspended(true);
    window_->AddRows({{u"golf", u"70"}, {u"hotel", u"5"}, {u"india", u"65"}, {u"juliet", u"15"}});
    SetListSortSuspended(false);
    SortListByColumn(kListGadget, column, sortDirection);
    done = true;
  });
  EXPECT_TRUE(PumpFor(5000, [&] { return done.load(); }));
  network.join();
  for (const SortResult result : results) EXPECT_EQ(result, SortResult::Done);
  EXPECT_EQ(direction, -1);
  EXPECT_EQ(lookupThread, GetCurrentThreadId());
  EXPECT_EQ(Scores(), (std::vector<Text>{u"70", u"65", u"15", u"5"}));
  EXPECT_EQ(GetSortedColumn(kListGadget), 1);
  EXPECT_EQ(GetSortDirection(kListGadget), -1);
  ExpectRowsNumbered();
  window_->ClickHeader(1);
  EXPECT_EQ(Scores(), (std::vector<Text>{u"5", u"15", u"65", u"70"}));
}
