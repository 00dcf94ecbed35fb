#include "listsort/core/sort_keys.h"

#include "listsort/core/cell_compare.h"
#include "listsort/core/number_text.h"
#include "runtime/portable/text_ops.h"

namespace {

// Characters `start` (1-based) to start + count - 1; positions past the end give nothing.
TextView Middle(TextView text, std::size_t start, std::size_t count) {
  if (start > text.size()) return {};
  return text.substr(start - 1, count);
}

// The last `count` characters, or the whole text when it is shorter.
TextView Last(TextView text, std::size_t count) {
  return count >= text.size() ? text : text.substr(text.size() - count);
}

float SizeUnitFactor(TextView unit) {
  Text folded(unit);
  for (char16_t& c : folded) c = FoldLetterCase(c);
  if (folded == u"b" || folded == u"o") return 1.0f;
  if (folded == u"kb" || folded == u"ko") return 1024.0f;
  if (folded == u"mb" || folded == u"mo") return 1048576.0f;
  if (folded == u"gb" || folded == u"go") return 1073741824.0f;
  return 1.0f;
}

}  // namespace

float SizeSortKey(TextView text) {
  const Text trimmed = TrimSpaces(text);
  const float number = ParseFloat32Text(trimmed);
  const int lastSpace = FindLastSubstring(trimmed, u" ", 1);
  if (lastSpace == 0) return number;
  return number * SizeUnitFactor(TextView(trimmed).substr(static_cast<std::size_t>(lastSpace)));
}

Text DayFirstDateSortKey(TextView text) {
  Text key(Last(text, 4));
  key += Middle(text, 4, 2);
  key += Middle(text, 1, 2);
  return key;
}

Text MonthFirstDateSortKey(TextView text) {
  Text key(Last(text, 4));
  key += Middle(text, 1, 2);
  key += Middle(text, 4, 2);
  return key;
}

Text DateTimeSortKey(TextView text) {
  Text key(Middle(text, 7, 4));
  key += Middle(text, 4, 2);
  key += Middle(text, 1, 2);
  key += Last(text, 8);
  return key;
}

Text ShortDateTimeSortKey(TextView text) {
  const TextView year = Middle(text, 7, 2);
  Text key(year < TextView(u"30") ? u"1" : u"0");
  key += year;
  key += Middle(text, 4, 2);
  key += Middle(text, 1, 2);
  key += Last(text, 5);
  return key;
}

int FindLastSubstring(TextView text, TextView search, int start) {
  if (start < 1) start = 1;
  if (search.empty()) return start - 1;
  int last = start - 1;
  std::size_t from = static_cast<std::size_t>(start - 1);
  for (;;) {
    const std::size_t found = text.find(search, from);
    if (found == TextView::npos) return last;
    last = static_cast<int>(found) + 1;
    from = found + 1;
  }
}
