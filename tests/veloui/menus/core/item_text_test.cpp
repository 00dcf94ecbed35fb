#include "veloui/menus/core/item_text.h"

#include <gtest/gtest.h>

namespace {

TEST(SplitItemText, DollarRules) {
  struct Case {
    const char16_t* Text;
    const char16_t* Label;
    const char16_t* Shortcut;
    bool Mark;
  };
  const Case cases[] = {
      {u"Copy$Ctrl+K", u"Copy", u"Ctrl+K", true},
      {u"Save$$", u"Save$", u"", false},          // "$$" is a literal "$"
      {u"Pay $$5$ctrl-p", u"Pay $5", u"ctrl-p", true},
      {u"A$$$F2", u"A$", u"F2", true},            // a literal and a mark
      {u"X$a$$b", u"X", u"a$$b", true},           // later dollars belong to the shortcut
      {u"Item$", u"Item", u"", true},             // a mark with an empty shortcut
      {u"Refresh\tF5", u"Refresh\tF5", u"", false},
      {u"", u"", u"", false},
      {u"\\bDonate...", u"\\bDonate...", u"", false},  // coded text escapes stay
  };
  for (const Case& c : cases) {
    const SplitItem split = SplitItemText(c.Text);
    EXPECT_EQ(split.Label, Text(c.Label));
    EXPECT_EQ(split.Shortcut, Text(c.Shortcut));
    EXPECT_EQ(split.HasShortcutMark, c.Mark);
  }
}

}  // namespace
