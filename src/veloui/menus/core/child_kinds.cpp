#include "veloui/menus/core/child_kinds.h"

#include <array>

namespace {
constexpr std::uint32_t kButtonTypeMask = 7;
constexpr std::uint32_t kGroupBoxType = 7;

struct ClassKind {
  TextView Name;
  ChildKind Kind;
};
constexpr std::array<ClassKind, 7> kPlainKinds{{
    {u"VeloUI_PanelEx", ChildKindPanelEx},
    {u"VeloUI_PanelExPage", ChildKindPanelExPage},
    {u"ToolbarWindow32", ChildKindToolbar},
    {u"ComboBox", ChildKindComboBox},
    {u"msctls_progress32", ChildKindProgress},
    {u"TideContainer", ChildKindTideContainer},
    {u"SysTabControl32", ChildKindTabControl},
}};

constexpr std::array<TextView, 14> kNeverSubclassed{
    u"#32768",     u"SysShadow",  u"VeloUI_DropShadow", u"tooltips_class32",       u"MSCTFIME UI",
    u"CLIPBRDWNDCLASS", u"CicMarshalWndClass", u"IME", u"ComboLBox", u"DDEMLEvent",
    u"Message",    u"Static",     u"GDI+ Hook Window Class", u"VeloUI_ScrollbarBox",
};

char16_t Folded(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }
}  // namespace

bool SameClassName(TextView left, TextView right) {
  if (left.size() != right.size()) return false;
  for (std::size_t k = 0; k < left.size(); ++k)
    if (Folded(left[k]) != Folded(right[k])) return false;
  return true;
}

ChildKind ChildKindOfClass(TextView className, TextView parentClassName, std::uint32_t style) {
  for (const ClassKind& entry : kPlainKinds)
    if (SameClassName(className, entry.Name)) return entry.Kind;
  if (SameClassName(className, u"Edit"))
    return SameClassName(parentClassName, u"ComboBox") ? ChildKindComboEdit : ChildKindEdit;
  if (SameClassName(className, u"Button"))
    return (style & kButtonTypeMask) == kGroupBoxType ? ChildKindGroupBox : ChildKindButton;
  return ChildKindPassThrough;
}

bool IsNeverSubclassedClass(TextView className) {
  for (TextView name : kNeverSubclassed)
    if (SameClassName(className, name)) return true;
  return false;
}
