#include "list_sort_fixture.h"

#include <atomic>
#include <thread>

namespace {

const std::vector<std::vector<Text>> kRefill = {
    {u"golf", u"70", u"7"}, {u"hotel", u"5", u"8"}, {u"india", u"65", u"9"}, {u"juliet", u"15", u"10"}};

// What the program does with the players list after each player-list reply.
void RefillKeepingTheSort(SortTestWindow& window) {
  const int column = GetSortedColumn(kListGadget);
  const int direction = GetSortDirection(kListGadget);
  window.DeleteAllRows();
  SetListSortSuspended(true);
  window.AddRows(kRefill);
  SetListSortSuspended(false);
  SortListByColumn(kListGadget, column, direction);
}

}  // namespace

TEST_F(ListSortTest, RowsAddedWhileSuspendedAreNumberedOnResume) {
  Register(2);
  SetListSortSuspended(true);
  window_.AddRows(kRefill);
  EXPECT_EQ(window_.ItemData(5), 0);  // not tracked while suspended
  SetListSortSuspended(false);
  ExpectRowsNumbered();
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), (std::vector<Text>{u"5", u"10", u"15", u"20", u"30", u"40", u"50", u"65", u"70"}));
}

TEST_F(ListSortTest, ClicksDoNotSortWhileSuspended) {
  Register(2);
  SetListSortSuspended(true);
  window_.ClickHeader(1);
  EXPECT_EQ(SortListByColumn(kListGadget, 1, 1), SortResult::Done);
  EXPECT_EQ(Scores(), kScoresAsFilled);
  EXPECT_EQ(GetSortedColumn(kListGadget), -1);
  SetListSortSuspended(false);
  // The direction asked for while suspended does not stick to the next click.
  SortListByColumn(kListGadget, 1, -1);
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), kScoresUp);
}

TEST_F(ListSortTest, InsertsAndDeletesAreNumberedAtOnce) {
  Register(2);
  window_.AddRow({u"kilo", u"1", u"11"});
  ExpectRowsNumbered();
  SendMessageW(window_.list(), LVM_DELETEITEM, 0, 0);
  ExpectRowsNumbered();
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), (std::vector<Text>{u"1", u"10", u"20", u"30", u"40"}));
}

// The program refills from the network thread; the library hands the work to the GUI thread.
TEST_F(ListSortTest, RefillFromAnotherThreadKeepsTheChosenSort) {
  Register(2);
  window_.ClickHeader(1);
  window_.ClickHeader(1);
  std::atomic<bool> done{false};
  std::thread network([&] {
    RefillKeepingTheSort(window_);
    done = true;
  });
  EXPECT_TRUE(PumpMessagesUntil([&] { return done.load(); }));
  network.join();
  EXPECT_EQ(Scores(), (std::vector<Text>{u"70", u"65", u"15", u"5"}));
  EXPECT_EQ(GetSortedColumn(kListGadget), 1);
  EXPECT_EQ(GetSortDirection(kListGadget), -1);
  ExpectRowsNumbered();
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), (std::vector<Text>{u"5", u"15", u"65", u"70"}));
}

TEST_F(ListSortTest, CallsFromAnotherThreadReturnTheirResults) {
  std::atomic<bool> done{false};
  SortResult results[3] = {};
  int direction = 0;
  DWORD lookupThread = 0;
  std::thread other([&] {
    results[0] = RegisterSortableList(kListGadget, SortIndicator::HeaderArrow);
    lookupThread = SortTestWindow::LastLookupThread();
    results[1] = SetColumnSortType(kListGadget, 1, kSortInteger32);
    results[2] = SortListByColumn(kListGadget, 1, -1);
    direction = GetSortDirection(kListGadget);
    done = true;
  });
  EXPECT_TRUE(PumpMessagesUntil([&] { return done.load(); }));
  other.join();
  for (const SortResult result : results) EXPECT_EQ(result, SortResult::Done);
  EXPECT_EQ(direction, -1);
  EXPECT_EQ(lookupThread, GetCurrentThreadId());  // the registration ran on this thread
  EXPECT_EQ(Scores(), kScoresDown);
}
