#include "listsort/core/cell_compare.h"

#include "listsort/core/number_text.h"
#include "listsort/core/sort_keys.h"
#include "runtime/portable/text_ops.h"

namespace {

template <typename Value>
int CompareValues(Value a, Value b) {
  if (a > b) return 1;
  if (a < b) return -1;
  return 0;  // equal, or not a number
}

template <typename Fold>
int CompareFolded(TextView a, TextView b, Fold fold) {
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const char16_t x = fold(a[i]);
    const char16_t y = fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return CompareValues(a.size(), b.size());
}

int CompareAscending(TextView a, TextView b, SortType type) {
  switch (type) {
    case kSortTextWithCase: return CompareTextsWithCase(a, b);
    case kSortInteger32: return CompareValues(ParseInteger32Text(a, IntegerBases::DecimalHexBinary, IntegerRange::Wrap32),
                                                     ParseInteger32Text(b, IntegerBases::DecimalHexBinary, IntegerRange::Wrap32));
    case kSortFloat32: return CompareValues(ParseFloat32Text(a), ParseFloat32Text(b));
    case kSortDayFirstDate:
      return CompareTextsIgnoringCase(DayFirstDateSortKey(a), DayFirstDateSortKey(b));
    case kSortMonthFirstDate:
      return CompareTextsIgnoringCase(MonthFirstDateSortKey(a), MonthFirstDateSortKey(b));
    case kSortFileSize: return CompareValues(SizeSortKey(a), SizeSortKey(b));
    case kSortNotSortable: return 0;
    case kSortDateTime: return CompareTextsIgnoringCase(DateTimeSortKey(a), DateTimeSortKey(b));
    case kSortShortDateTime:
      return CompareTextsIgnoringCase(ShortDateTimeSortKey(a), ShortDateTimeSortKey(b));
    case kSortCharacterMap:
    case kSortCallerProcedure: return 0;
    case kSortInteger64: return CompareValues(ParseIntegerText(a, IntegerBases::DecimalHexBinary, IntegerRange::Wrap64),
                                                     ParseIntegerText(b, IntegerBases::DecimalHexBinary, IntegerRange::Wrap64));
    case kSortFloat64: return CompareValues(ParseFloat64Text(a), ParseFloat64Text(b));
    default: return CompareTextsIgnoringCase(a, b);
  }
}

}  // namespace

char16_t FoldLetterCase(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + (u'a' - u'A')) : unit;
}

int CompareTextsIgnoringCase(TextView a, TextView b) { return CompareFolded(a, b, FoldLetterCase); }

int CompareTextsWithCase(TextView a, TextView b) {
  return CompareFolded(a, b, [](char16_t unit) { return unit; });
}

std::int32_t CompareCellTexts(TextView a, TextView b, SortType type, std::int32_t direction) {
  const int ascending = CompareAscending(a.substr(0, kCellTextLimit), b.substr(0, kCellTextLimit), type);
  return ascending * direction;
}
