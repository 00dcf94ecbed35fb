#pragma once
// Trimming, case folding and number parsing of texts. These are our own rather than the C
// library's so that both builds give the same answer for the same text.
#include <cstdint>

#include "runtime/portable/text.h"

// Removes leading and trailing spaces (U+0020 only).
Text TrimSpaces(TextView text);
// Removes leading and trailing spaces and tabs.
Text TrimBlanks(TextView text);

// Lower case as the system maps it (lower_case.h), for every script; other characters are kept.
Text LowerText(TextView text);
bool EqualIgnoringCase(TextView a, TextView b);

// The one integer reader of the program. Leading spaces and tabs are skipped, then an
// optional sign, then digits up to the first character that is not a digit of the base; no
// digits give 0. What differs between the formats read is said at each call:
enum class IntegerBases {
  Decimal,          // base 10 only
  DecimalHexBinary  // also "$" before base-16 digits and "%" before base-2 digits
};
enum class IntegerRange {
  Wrap32,      // the low 32 bits, read as signed
  Wrap64,      // the low 64 bits, read as signed
  Saturate32   // held at the nearest end of the signed 32-bit range
};
std::int64_t ParseIntegerText(TextView text, IntegerBases bases, IntegerRange range);
// The same for the two 32-bit ranges, whose value always fits.
std::int32_t ParseInteger32Text(TextView text, IntegerBases bases, IntegerRange range);
