#include "list_sort_fixture.h"

// The container passes the notification on to the top window, which is subclassed too: each
// click is still handled once, so the direction toggles.
TEST_F(ListSortTest, HeaderClicksAlternateTheDirectionThoughTwoAncestorsSeeThem) {
  Register(2);
  window_.ClickHeader(1);
  EXPECT_EQ(SortTestWindow::TopWindowColumnClicks(), 1);
  EXPECT_EQ(Scores(), kScoresUp);
  EXPECT_EQ(GetSortDirection(kListGadget), 1);
  window_.ClickHeader(1);
  EXPECT_EQ(SortTestWindow::TopWindowColumnClicks(), 2);
  EXPECT_EQ(Scores(), kScoresDown);
  EXPECT_EQ(GetSortDirection(kListGadget), -1);
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), kScoresUp);
  EXPECT_EQ(GetSortDirection(kListGadget), 1);
  // Another column starts ascending.
  window_.ClickHeader(0);
  EXPECT_EQ(Names(), (std::vector<Text>{u"alpha", u"Bravo", u"charlie", u"delta", u"Echo"}));
  EXPECT_EQ(GetSortedColumn(kListGadget), 0);
  EXPECT_EQ(GetSortDirection(kListGadget), 1);
}

TEST_F(ListSortTest, ClicksDoNothingForAnUnregisteredList) {
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), kScoresAsFilled);
}

TEST(ListSortPlainContainer, ClickReachingOnlyTheParentSorts) {
  InitListSortLibrary();
  {
    SortTestWindow window({u"Name", u"Score"}, false);
    window.AddRows({{u"b", u"3"}, {u"a", u"1"}, {u"c", u"2"}});
    ASSERT_EQ(RegisterSortableList(kListGadget, SortIndicator::HeaderArrow), SortResult::Done);
    SetColumnSortType(kListGadget, 1, kSortInteger32);
    window.ClickHeader(1);
    EXPECT_EQ(SortTestWindow::TopWindowColumnClicks(), 0);
    EXPECT_EQ(window.Column(1), (std::vector<Text>{u"1", u"2", u"3"}));
    window.ClickHeader(1);
    EXPECT_EQ(window.Column(1), (std::vector<Text>{u"3", u"2", u"1"}));
  }
  ShutdownListSortLibrary();
}
