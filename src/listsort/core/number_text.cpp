#include "listsort/core/number_text.h"

#include <charconv>
#include <limits>
#include <string>
#include <system_error>

namespace {

bool IsDecimalDigit(char16_t unit) { return unit >= u'0' && unit <= u'9'; }

// The white space that the formatted-input conversions skip.
bool IsFormattedInputSpace(char16_t unit) {
  return unit == u' ' || (unit >= u'\t' && unit <= u'\r');
}

bool EqualsIgnoringCase(TextView text, std::u16string_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    char16_t a = text[i];
    char16_t b = word[i];
    if (a >= u'A' && a <= u'Z') a = static_cast<char16_t>(a + 32);
    if (b >= u'A' && b <= u'Z') b = static_cast<char16_t>(b + 32);
    if (a != b) return false;
  }
  return true;
}

// The leading decimal number of a text, as ASCII for the conversion, with what is needed to
// tell an overflow from an underflow when the conversion reports the value out of range.
struct DecimalNumber {
  bool found = false;
  bool negative = false;
  bool allZero = true;
  std::string ascii;        // digits, point and exponent, without the sign
  long long magnitude = 0;  // roughly the power of ten of the first significant digit
};

DecimalNumber ScanDecimalNumber(TextView text) {
  DecimalNumber number;
  std::size_t i = 0;
  while (i < text.size() && IsFormattedInputSpace(text[i])) ++i;
  if (i < text.size() && (text[i] == u'-' || text[i] == u'+')) {
    number.negative = text[i] == u'-';
    ++i;
  }
  long long integerDigits = 0;
  long long leadingFractionZeros = 0;
  int mantissaDigits = 0;
  for (; i < text.size() && IsDecimalDigit(text[i]); ++i, ++mantissaDigits) {
    if (text[i] != u'0') number.allZero = false;
    if (!number.allZero) ++integerDigits;
    number.ascii += static_cast<char>(text[i]);
  }
  if (i < text.size() && text[i] == u'.') {
    number.ascii += '.';
    for (++i; i < text.size() && IsDecimalDigit(text[i]); ++i, ++mantissaDigits) {
      if (text[i] != u'0') number.allZero = false;
      if (number.allZero) ++leadingFractionZeros;
      number.ascii += static_cast<char>(text[i]);
    }
  }
  if (mantissaDigits == 0) return number;
  number.found = true;
  long long exponent = 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == u'-' || text[j] == u'+')) {
      negativeExponent = text[j] == u'-';
      ++j;
    }
    if (j < text.size() && IsDecimalDigit(text[j])) {
      number.ascii += negativeExponent ? "e-" : "e";
      for (; j < text.size() && IsDecimalDigit(text[j]); ++j) {
        number.ascii += static_cast<char>(text[j]);
        if (exponent < 1000000000) exponent = exponent * 10 + (text[j] - u'0');
      }
      if (negativeExponent) exponent = -exponent;
    }
  }
  number.magnitude = exponent + (integerDigits > 0 ? integerDigits : -leadingFractionZeros);
  return number;
}

template <typename Real>
Real ParseFloatText(TextView text) {
  if (EqualsIgnoringCase(text, u"+Infinity")) return std::numeric_limits<Real>::infinity();
  if (EqualsIgnoringCase(text, u"-Infinity")) return -std::numeric_limits<Real>::infinity();
  if (EqualsIgnoringCase(text, u"NaN")) return std::numeric_limits<Real>::quiet_NaN();
  DecimalNumber number = ScanDecimalNumber(text);
  if (!number.found) return 0;
  Real value = 0;
  const char* first = number.ascii.data();
  auto [end, error] = std::from_chars(first, first + number.ascii.size(), value,
                                      std::chars_format::general);
  (void)end;
  if (error == std::errc::result_out_of_range) {
    value = number.magnitude > 0 ? std::numeric_limits<Real>::infinity() : Real(0);
  } else if (error != std::errc()) {
    value = 0;
  }
  return number.negative ? -value : value;
}

}  // namespace

float ParseFloat32Text(TextView text) { return ParseFloatText<float>(text); }

double ParseFloat64Text(TextView text) { return ParseFloatText<double>(text); }
