#pragma once
// What a click on a column header of a registered list does: sort by the column's type in the
// next direction and mark the column.
#include "listsort/list_sort_state.h"

// True when the click sorted the list.
bool HandleColumnClick(SortableListRecord& record, int column);
