#pragma once
// Letter case and blank trimming of the toolkit's keywords (colour names, modes, skin keys).
// Only A-Z and a-z change, so both builds agree whatever the locale.
#include "runtime/portable/text.h"

Text LowerKeyword(TextView text);
Text UpperKeyword(TextView text);
// Strips the blanks (U+0020) at both ends.
Text TrimKeywordBlanks(TextView text);
