#pragma once
// The sort types a program gives each column of a sortable list. One signed byte per column;
// a value not listed here sorts as text ignoring case.
#include <cstdint>

using SortType = std::int8_t;

inline constexpr SortType kSortTextIgnoringCase = 0;
inline constexpr SortType kSortTextWithCase = 1;
inline constexpr SortType kSortInteger32 = 2;
inline constexpr SortType kSortFloat32 = 3;
inline constexpr SortType kSortDayFirstDate = 4;    // dd/mm/yyyy
inline constexpr SortType kSortMonthFirstDate = 5;  // mm/dd/yyyy
inline constexpr SortType kSortFileSize = 6;        // "12.5 KB", "3 Mo"
inline constexpr SortType kSortNotSortable = 7;
inline constexpr SortType kSortDateTime = 8;       // dd/mm/yyyy hh:mm:ss
inline constexpr SortType kSortShortDateTime = 9;  // dd/mm/yy hh:mm
// A character map and a compare procedure of the caller's: nothing can supply them, so every
// pair of rows is equal under these two.
inline constexpr SortType kSortCharacterMap = 10;
inline constexpr SortType kSortCallerProcedure = 11;
inline constexpr SortType kSortInteger64 = 12;
inline constexpr SortType kSortFloat64 = 13;
