#pragma once
// Numbers read from list cells. These parsers are our own, not the C library's, so that both
// builds order a column the same way whatever the locale: "." is always the decimal point,
// and the only special values are the exact texts "+Infinity", "-Infinity" and "NaN".
#include "runtime/portable/text.h"

#include <cstdint>

// The leading decimal number (white space, sign, digits, fraction, exponent), rounded once to
// the target precision; 0 when the text starts with no number.
float ParseFloat32Text(TextView text);
double ParseFloat64Text(TextView text);
