#include "app/logic/error_report_text.h"

namespace {

struct CodeMessage {
  std::uint32_t code;
  const char16_t* message;
};

constexpr CodeMessage kMessages[] = {
    {0xC0000005, u"Invalid memory access"},
    {0xC000008C, u"Array bounds exceeded"},
    {0x80000003, u"Debugger breakpoint reached"},
    {0x80000002, u"Misaligned data access"},
    {0xC000008D, u"Denormal floating-point operand"},
    {0xC000008E, u"Division by zero (floating-point)"},
    {0xC000008F, u"Inexact floating-point result"},
    {0xC0000090, u"Invalid floating-point operation"},
    {0xC0000091, u"Floating-point overflow (exponent to great)"},
    {0xC0000092, u"Floating-point stack overflow or underflow"},
    {0xC0000093, u"Floating-point underflow (exponent too small)"},
    {0xC000001D, u"Illegal instruction"},
    {0xC0000006, u"Memory page error"},
    {0xC0000094, u"Division by zero "},
    {0xC0000095, u"Integer overflow"},
    {0xC0000026, u"Exception handler returned unknown value"},
    {0xC0000025, u"Exception handler tried to continue after non-continuable exception"},
    {0xC0000096, u"Privileged instruction"},
    {0x80000004, u"Single step trap"},
    {0xC00000FD, u"Stack overflow"},
};

Text UpperHex(std::uint64_t value) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Text digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return digits;
}

}  // namespace

Text ErrorMessageForCode(std::uint32_t code) {
  for (const CodeMessage& entry : kMessages) {
    if (entry.code == code) return entry.message;
  }
  return u"Unknown error code";
}

Text ProgramErrorText(const ErrorReport& report) {
  Text text = u"A program error was detected:\r\r";
  text += u"Error Message:   " + ErrorMessageForCode(report.ErrorCode) + u"\r";
  text += u"Error Code:      " + DecimalText(static_cast<std::int32_t>(report.ErrorCode)) + u"\r";
  text += u"Code Address:    $" + UpperHex(report.CodeAddress) + u"\r";
  if (report.ErrorCode == kAccessViolation) text += u"Target Address:  $" + UpperHex(report.TargetAddress) + u"\r";
  if (report.SourceLine == -1) {
    text += u"Sourcecode line: Enable OnError lines support to get code line information.\r";
  } else {
    text += u"Sourcecode line: " + DecimalText(report.SourceLine) + u"\r";
  }
  return text;
}
