#pragma once
// How the sorted column is marked in the list's header: the header's own themed sort arrows,
// an arrow from the library's image list, or text marks around the heading.
#include "listsort/list_sort_state.h"

inline constexpr int kArrowOnRightFormat = HDF_BITMAP_ON_RIGHT;

// Arrow up (ascending) or down (descending) on `column`; `extraFormat` is 0 or
// kArrowOnRightFormat. Nothing without themes and without the image list.
void SetSortIndicator(HWND list, int column, bool descending, int extraFormat);
// Takes the arrow away; the heading text stays as it is.
void ClearSortIndicator(HWND list, int column);

// The column heading as the list holds it (at most 255 characters).
Text ReadColumnHeading(HWND list, int column);
void WriteColumnHeading(HWND list, int column, const Text& heading);
// "« Name »" after an ascending sort, "» Name «" after a descending one.
Text MarkedHeading(const Text& heading, bool descending);
