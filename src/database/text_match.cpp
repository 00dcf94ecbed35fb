#include "database/text_match.h"

#include "runtime/portable/text_ops.h"

bool TextMatches(TextView value, TextView loweredSearch, bool exact) {
  if (value.empty()) return false;
  if (exact ? value.size() != loweredSearch.size() : value.size() < loweredSearch.size()) {
    return false;
  }
  const Text folded = LowerText(value);
  return exact ? folded == loweredSearch : folded.find(loweredSearch) != Text::npos;
}
