#pragma once
// How two cells of a column compare under the column's sort type, in a given direction.
#include "listsort/core/sort_types.h"
#include "runtime/portable/text.h"

#include <cstdint>

// A cell is read into a buffer of 256 units: longer cells compare on their first 255.
inline constexpr int kCellTextLimit = 255;

// Only A-Z are folded, so that both builds agree whatever the locale.
char16_t FoldLetterCase(char16_t unit);
// -1, 0 or +1 by UTF-16 code unit; a text that is a prefix of the other goes first.
int CompareTextsIgnoringCase(TextView a, TextView b);
int CompareTextsWithCase(TextView a, TextView b);

// Negative when `a` goes before `b`, 0 when equal, positive after; the result of the
// ascending comparison multiplied by `direction` (+1 ascending, -1 descending).
std::int32_t CompareCellTexts(TextView a, TextView b, SortType type, std::int32_t direction);
