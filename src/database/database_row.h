#pragma once
// One row of the PLAYERS table as the rest of the program sees it: a view into the mirror
// (valid only while the mirror is locked) and an owning copy.
#include "runtime/portable/text.h"

struct DatabaseRowView {
  TextView Name;
  TextView GUID;
  TextView IP;
  TextView Server;
  TextView Date;
};

struct DatabaseRow {
  Text Name;
  Text GUID;
  Text IP;
  Text Server;
  Text Date;

  static DatabaseRow CopyOf(const DatabaseRowView& view) {
    return {Text(view.Name), Text(view.GUID), Text(view.IP), Text(view.Server), Text(view.Date)};
  }
};
