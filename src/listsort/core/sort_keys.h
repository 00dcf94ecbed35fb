#pragma once
// Keys that turn file sizes and dates written in a few fixed layouts into values that sort
// in order, and the text search they rely on.
#include "runtime/portable/text.h"

// "12.5 KB", "3 Mo", "900 b": the leading number times its unit (b/o, kb/ko, mb/mo, gb/go,
// any letter case; another unit counts as 1), in 32-bit precision.
float SizeSortKey(TextView text);

// Layout dd/mm/yyyy -> yyyymmdd.
Text DayFirstDateSortKey(TextView text);
// Layout mm/dd/yyyy -> yyyymmdd.
Text MonthFirstDateSortKey(TextView text);
// Layout dd/mm/yyyy hh:mm:ss -> yyyymmddhh:mm:ss.
Text DateTimeSortKey(TextView text);
// Layout dd/mm/yy hh:mm -> a century mark, yymmddhh:mm; years 00-29 sort after 30-99.
Text ShortDateTimeSortKey(TextView text);

// 1-based position of the last occurrence of `search` at or after `start` (1-based);
// start - 1 (0 for start 1) when there is none.
int FindLastSubstring(TextView text, TextView search, int start);
