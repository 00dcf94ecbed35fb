#include "runtime/portable/text_ops.h"

#include "runtime/portable/lower_case.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

int DigitValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return 99;
}

}  // namespace

Text TrimSpaces(TextView text) {
  const auto first = text.find_first_not_of(u' ');
  if (first == TextView::npos) return Text();
  const auto last = text.find_last_not_of(u' ');
  return Text(text.substr(first, last - first + 1));
}

Text TrimBlanks(TextView text) {
  const auto first = text.find_first_not_of(u" \t");
  if (first == TextView::npos) return Text();
  const auto last = text.find_last_not_of(u" \t");
  return Text(text.substr(first, last - first + 1));
}

Text LowerText(TextView text) {
  const LowerCaseTable& lower = SystemLowerCase();
  Text out(text);
  for (auto& c : out) c = lower[c];
  return out;
}

bool EqualIgnoringCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  const LowerCaseTable& lower = SystemLowerCase();
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (lower[a[i]] != lower[b[i]]) return false;
  }
  return true;
}

std::int64_t ParseIntegerText(TextView text, IntegerBases bases, IntegerRange range) {
  std::size_t i = 0;
  while (i < text.size() && IsBlank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) negative = text[i++] == u'-';
  unsigned base = 10;
  if (bases == IntegerBases::DecimalHexBinary && i < text.size() && (text[i] == u'$' || text[i] == u'%')) {
    base = text[i++] == u'$' ? 16 : 2;
  }
  // Unsigned arithmetic wraps by definition; saturation stops one past the largest value.
  constexpr std::uint64_t kSaturation = std::uint64_t{1} << 31;
  std::uint64_t value = 0;
  for (; i < text.size(); ++i) {
    const int digit = DigitValue(text[i]);
    if (digit >= static_cast<int>(base)) break;
    value = value * base + static_cast<unsigned>(digit);
    if (range == IntegerRange::Saturate32 && value > kSaturation) value = kSaturation;
  }
  switch (range) {
    case IntegerRange::Saturate32:
      return negative ? -static_cast<std::int64_t>(value)
                      : static_cast<std::int64_t>(value == kSaturation ? kSaturation - 1 : value);
    case IntegerRange::Wrap32: {
      const std::uint32_t low = static_cast<std::uint32_t>(negative ? 0 - value : value);
      return static_cast<std::int32_t>(low);
    }
    case IntegerRange::Wrap64:
      break;
  }
  return static_cast<std::int64_t>(negative ? 0 - value : value);
}

std::int32_t ParseInteger32Text(TextView text, IntegerBases bases, IntegerRange range) {
  return static_cast<std::int32_t>(ParseIntegerText(text, bases, range));
}
