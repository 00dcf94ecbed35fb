#include "veloui/menus/core/child_kinds.h"

#include <gtest/gtest.h>

namespace {
TEST(ChildKinds, EditsByTheirParentAndGroupBoxesByButtonType) {
  EXPECT_EQ(ChildKindOfClass(u"Edit", u"ComboBox", 0), ChildKindComboEdit);
  EXPECT_EQ(ChildKindOfClass(u"Edit", u"WindowClass_0", 0), ChildKindEdit);
  EXPECT_EQ(ChildKindOfClass(u"EDIT", u"combobox", 0), ChildKindComboEdit);
  EXPECT_EQ(ChildKindOfClass(u"Button", u"", 0x50000007), ChildKindGroupBox);
  EXPECT_EQ(ChildKindOfClass(u"Button", u"", 0x50000003), ChildKindButton);  // auto check box
  EXPECT_EQ(ChildKindOfClass(u"Button", u"", 0x5000000F), ChildKindGroupBox);
  EXPECT_EQ(ChildKindOfClass(u"VeloUI_PanelExPages", u"", 0), ChildKindPassThrough);  // not a page
}

TEST(ChildKinds, FourteenClassesAreNeverSubclassed) {
  int never = 0;
  for (TextView name : {u"#32768", u"SysShadow", u"VeloUI_DropShadow", u"tooltips_class32", u"MSCTFIME UI",
                        u"CLIPBRDWNDCLASS", u"CicMarshalWndClass", u"IME", u"ComboLBox", u"DDEMLEvent",
                        u"Message", u"Static", u"GDI+ Hook Window Class", u"VeloUI_ScrollbarBox"})
    never += IsNeverSubclassedClass(name) ? 1 : 0;
  EXPECT_EQ(never, 14);
  EXPECT_TRUE(IsNeverSubclassedClass(u"static"));
  EXPECT_FALSE(IsNeverSubclassedClass(u"Edit"));
  EXPECT_FALSE(IsNeverSubclassedClass(u"IME2"));
  EXPECT_FALSE(IsNeverSubclassedClass(u""));
}
}  // namespace
