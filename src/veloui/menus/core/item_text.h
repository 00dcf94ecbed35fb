#pragma once
// A toolkit menu item carries everything in one text: the label (which may hold the
// coded-text escapes), then optionally "$" and the keyboard shortcut that also fires the
// item. "$$" is a literal "$" of the label.
#include "runtime/portable/text.h"

struct SplitItem {
  Text Label;         // the label with every "$$" made one "$"
  Text Shortcut;      // the text after the first single "$"; "" when there is none
  bool HasShortcutMark = false;  // a single "$" was found (even at the very end)
};

SplitItem SplitItemText(TextView itemText);
