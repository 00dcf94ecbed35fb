#include "veloui/foundation/core/ascii_case.h"

Text LowerKeyword(TextView text) {
  Text result(text);
  for (char16_t& c : result)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
  return result;
}

Text UpperKeyword(TextView text) {
  Text result(text);
  for (char16_t& c : result)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  return result;
}

Text TrimKeywordBlanks(TextView text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == TextView::npos) return {};
  const auto last = text.find_last_not_of(u' ');
  return Text(text.substr(first, last - first + 1));
}
