#include "app/lists/clipboard_text.h"

#include <gtest/gtest.h>

TEST(ClipboardText, LinesAreJoinedByCrLfWithoutALineEndAfterTheLast) {
  EXPECT_EQ(JoinWithLineEnds({u"a", u"b", u"c"}), u"a\r\nb\r\nc");
}

TEST(ClipboardText, OneCellHasNoLineEnd) { EXPECT_EQ(JoinWithLineEnds({u"only"}), u"only"); }

TEST(ClipboardText, NothingGivesAnEmptyText) { EXPECT_EQ(JoinWithLineEnds({}), u""); }

TEST(ClipboardText, EmptyCellsKeepTheirPlaces) {
  EXPECT_EQ(JoinWithLineEnds({u"", u"?", u""}), u"\r\n?\r\n");
}
