#pragma once
// The DATE text of the PLAYERS table: the local time a player was last seen, as
// "dd.mm.yyyy hh:ii" (mask "%dd.%mm.%yyyy %hh:%ii"). Files of earlier versions hold dates
// in exactly this form, and the database list shows them as they stand.
#include <ctime>

#include "runtime/portable/text.h"

inline constexpr TextView kPlayerDateMask = u"%dd.%mm.%yyyy %hh:%ii";

// The date text of `time` (local time, as std::localtime gives it).
Text PlayerSeenDate(const std::tm& time);
// The date text for a player seen now.
Text PlayerSeenDateNow();
