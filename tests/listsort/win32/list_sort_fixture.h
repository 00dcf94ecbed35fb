#pragma once
// Starts the library for each test and builds the test window with five rows whose scores
// are 50, 10, 30, 20, 40 and whose names and ids follow them.
#include "sort_test_window.h"

#include <gtest/gtest.h>

class ListSortTest : public ::testing::Test {
 protected:
  ListSortTest() : window_({u"Name", u"Score", u"Id"}) {}
  void SetUp() override {
    InitListSortLibrary();
    window_.AddRows({{u"delta", u"50", u"$5"},
                     {u"alpha", u"10", u"4"},
                     {u"Echo", u"30", u"1"},
                     {u"charlie", u"20", u"3"},
                     {u"Bravo", u"40", u"2"}});
  }
  void TearDown() override { ShutdownListSortLibrary(); }

  // The list registered with the given indicator option; columns text, integer, integer.
  void Register(int option) {
    ASSERT_EQ(RegisterSortableList(kListGadget, static_cast<SortIndicator>(option)), SortResult::Done);
    ASSERT_EQ(SetColumnSortType(kListGadget, 0, kSortTextIgnoringCase), SortResult::Done);
    ASSERT_EQ(SetColumnSortType(kListGadget, 1, kSortInteger32), SortResult::Done);
    ASSERT_EQ(SetColumnSortType(kListGadget, 2, kSortInteger32), SortResult::Done);
  }

  std::vector<Text> Scores() const { return window_.Column(1); }
  std::vector<Text> Names() const { return window_.Column(0); }

  // Every row's item data is its index, as the comparison needs it.
  void ExpectRowsNumbered() const {
    for (int row = 0; row < window_.RowCount(); ++row) EXPECT_EQ(window_.ItemData(row), row) << row;
  }

  SortTestWindow window_;
};

inline const std::vector<Text> kScoresUp = {u"10", u"20", u"30", u"40", u"50"};
inline const std::vector<Text> kScoresDown = {u"50", u"40", u"30", u"20", u"10"};
inline const std::vector<Text> kScoresAsFilled = {u"50", u"10", u"30", u"20", u"40"};
