#pragma once
// Trimming, case folding and number parsing of texts. These are our own rather than the C
// library's so that both builds give the same answer for the same text.
#include <cstdint>

#include "runtime/portable/text.h"

// Removes leading and trailing spaces (U+0020 only).
Text TrimSpaces(TextView text);
// Removes leading and trailing spaces and tabs.
Text TrimBlanks(TextView text);

// Lower case for Latin, Greek and Cyrillic letters; other characters are kept.
Text LowerText(TextView text);
bool EqualIgnoringCase(TextView a, TextView b);

// The integer value of a text: leading spaces and tabs skipped, an optional sign, then "$"
// for base-16 digits, "%" for base-2 digits or base-10 digits, up to the first character
// that is not a digit of that base. No digits give 0; the value wraps to 32 bits.
std::int32_t ParseInteger(TextView text);
// As ParseInteger, but base 10 only: "$" and "%" are not digits.
std::int32_t ParseDecimal(TextView text);
