#include "veloui/menus/core/item_text.h"

SplitItem SplitItemText(TextView itemText) {
  SplitItem split;
  std::size_t at = 0;
  while (at < itemText.size()) {
    const char16_t c = itemText[at];
    if (c != u'$') {
      split.Label.push_back(c);
      ++at;
      continue;
    }
    if (at + 1 < itemText.size() && itemText[at + 1] == u'$') {
      split.Label.push_back(u'$');
      at += 2;
      continue;
    }
    split.HasShortcutMark = true;
    split.Shortcut = Text(itemText.substr(at + 1));
    break;
  }
  return split;
}
