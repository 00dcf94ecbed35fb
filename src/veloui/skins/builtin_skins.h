#pragma once
// The built-in skins of the skinned controls, made on demand by the name a control asks for
// ("sysbuttonskin", "office2007xbarskin" ...), with pictures drawn in the system's look and the
// program's embedded skin pictures.
#include <cstdint>

#include "runtime/portable/text.h"

// Makes sure the named built-in skin exists (FindSkin finds it afterwards); any other name and
// a skin that exists already change nothing. Returns 0.
std::int32_t BuildBuiltInSkin(TextView name);
