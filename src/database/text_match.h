#pragma once
// The one rule by which the database list's search compares a value with the search text:
// letter case is ignored (the system's lower-case mapping, for every script), exact compares
// the whole value, otherwise the text may occur anywhere in it; an empty value never matches.
#include "runtime/portable/text.h"

// `loweredSearch` is already lower case.
bool TextMatches(TextView value, TextView loweredSearch, bool exact);
