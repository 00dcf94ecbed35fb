#include "app/lists/clipboard_text.h"

#include <gtest/gtest.h>

TEST(ClipboardText, CellsAreJoinedByCrLfWithoutALineEndAfterTheLast) {
  EXPECT_EQ(JoinWithLineEnds({u"a", u"b", u"c"}), u"a\r\nb\r\nc");
  EXPECT_EQ(JoinWithLineEnds({u"only"}), u"only");
  EXPECT_EQ(JoinWithLineEnds({}), u"");
  EXPECT_EQ(JoinWithLineEnds({u"", u"?", u""}), u"\r\n?\r\n");
}
