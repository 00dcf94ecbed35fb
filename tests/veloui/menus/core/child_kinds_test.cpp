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

TEST(ChildKinds, SystemAndToolkitHelperClassesAreNeverSubclassed) {
  for (TextView name : {u"#32768", u"VeloUI_DropShadow", u"tooltips_class32", u"ComboLBox", u"static"})
    EXPECT_TRUE(IsNeverSubclassedClass(name)) << TextToUtf8(name);
  for (TextView name : {u"Edit", u"IME2", u""}) EXPECT_FALSE(IsNeverSubclassedClass(name)) << TextToUtf8(name);
}
}  // namespace
