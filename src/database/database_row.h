#pragma once
// One row of the PLAYERS table as the rest of the program sees it: values handed in (views,
// valid for the call) and an owning copy read out of the mirror.
#include "runtime/portable/text.h"

// The mirror keeps at most this many characters of each field.
inline constexpr std::size_t kDatabaseFieldLength = 255;

enum class DatabaseField { Name = 0, Guid = 1, Ip = 2, Server = 3 };

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
