#include "runtime/portable/text_ops.h"

namespace {

bool IsBlank(char16_t c) { return c == u' ' || c == u'\t'; }

char16_t LowerUnit(char16_t c) {
  if (c >= u'A' && c <= u'Z') return c + 0x20;
  if (c < 0xC0) return c;
  if (c <= 0xDE) return c == 0xD7 ? c : c + 0x20;  // Latin-1, but not the multiplication sign
  if (c == 0x130) return u'i';  // capital I with dot above
  if (c >= 0x100 && c <= 0x137) return c % 2 == 0 ? c + 1 : c;
  if (c >= 0x139 && c <= 0x148) return c % 2 == 1 ? c + 1 : c;
  if (c >= 0x14A && c <= 0x177) return c % 2 == 0 ? c + 1 : c;
  if (c == 0x178) return 0xFF;
  if (c >= 0x179 && c <= 0x17E) return c % 2 == 1 ? c + 1 : c;
  if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2) return c + 0x20;
  if (c >= 0x400 && c <= 0x40F) return c + 0x50;
  if (c >= 0x410 && c <= 0x42F) return c + 0x20;
  return c;
}

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
  Text out(text);
  for (auto& c : out) c = LowerUnit(c);
  return out;
}

bool EqualIgnoringCase(TextView a, TextView b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerUnit(a[i]) != LowerUnit(b[i])) return false;
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
