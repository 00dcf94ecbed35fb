#pragma once
// How the window hook sorts the windows of the GUI thread: the kind of a subclassed
// window by its class name, and the classes it never subclasses (menus, shadows, tooltips,
// input-method and system helper windows, static texts). Class names compare without
// regard to letter case, as the window system does.
#include <cstdint>

#include "runtime/portable/text.h"

enum ChildKind : std::int32_t {
  ChildKindPassThrough = 0,
  ChildKindPanelEx = 1,
  ChildKindPanelExPage = 2,
  ChildKindToolbar = 5,
  ChildKindComboBox = 6,
  ChildKindComboEdit = 7,  // the edit field of a combo box
  ChildKindProgress = 8,
  ChildKindButton = 9,
  ChildKindTideContainer = 10,
  ChildKindTabControl = 11,
  ChildKindGroupBox = 12,
  ChildKindEdit = 13,
};

// `style` is the window's style; its low three bits tell a group box among the buttons.
ChildKind ChildKindOfClass(TextView className, TextView parentClassName, std::uint32_t style);
bool IsNeverSubclassedClass(TextView className);
bool SameClassName(TextView left, TextView right);
