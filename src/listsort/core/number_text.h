#pragma once
// Numbers read from list cells. These parsers are our own, not the C library's, so that both
// builds order a column the same way whatever the locale: "." is always the decimal point,
// and the only special values are the exact texts "+Infinity", "-Infinity" and "NaN".
#include "runtime/portable/text.h"

#include <cstdint>

// Leading spaces and tabs, an optional sign, then "$" and hex digits, "%" and binary digits,
// or decimal digits, up to the first character that does not fit. Accumulated in 64 bits
// (wrapping); a text without digits is 0.
std::int64_t ParseIntegerText(TextView text);
// The same value cut to its low 32 bits, read as signed.
std::int32_t ParseInteger32Text(TextView text);

// The leading decimal number (white space, sign, digits, fraction, exponent), rounded once to
// the target precision; 0 when the text starts with no number.
float ParseFloat32Text(TextView text);
double ParseFloat64Text(TextView text);
