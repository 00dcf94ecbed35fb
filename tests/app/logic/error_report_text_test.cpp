#include "app/logic/error_report_text.h"

#include <gtest/gtest.h>

#include <algorithm>

TEST(ErrorReportText, AnAccessViolationWithoutLineInformation) {
  ErrorReport report;
  report.ErrorCode = 0xC0000005;
  report.CodeAddress = 0x4017A3;
  report.TargetAddress = 0x10;
  EXPECT_EQ(ProgramErrorText(report),
            u"A program error was detected:\r\r"
            u"Error Message:   Invalid memory access\r"
            u"Error Code:      -1073741819\r"
            u"Code Address:    $4017A3\r"
            u"Target Address:  $10\r"
            u"Sourcecode line: Enable OnError lines support to get code line information.\r");
}

TEST(ErrorReportText, OtherCodesHaveNoTargetLineAndShowAKnownLine) {
  ErrorReport report;
  report.ErrorCode = 0xC00000FD;
  report.CodeAddress = 0xABCDEF01;
  report.TargetAddress = 0x1234;
  report.SourceLine = 812;
  const Text text = ProgramErrorText(report);
  EXPECT_EQ(text,
            u"A program error was detected:\r\r"
            u"Error Message:   Stack overflow\r"
            u"Error Code:      -1073741571\r"
            u"Code Address:    $ABCDEF01\r"
            u"Sourcecode line: 812\r");
  EXPECT_EQ(std::count(text.begin(), text.end(), u'\r'), 6);
}

TEST(ErrorReportText, AddressZeroIsShownAsOneDigit) {
  ErrorReport report;
  report.ErrorCode = kAccessViolation;
  const Text text = ProgramErrorText(report);
  EXPECT_NE(text.find(u"Code Address:    $0\r"), Text::npos);
  EXPECT_NE(text.find(u"Target Address:  $0\r"), Text::npos);
}

TEST(ErrorMessageForCode, EveryKnownCodeAndTheRest) {
  EXPECT_EQ(ErrorMessageForCode(0xC000008C), u"Array bounds exceeded");
  EXPECT_EQ(ErrorMessageForCode(0x80000003), u"Debugger breakpoint reached");
  EXPECT_EQ(ErrorMessageForCode(0x80000002), u"Misaligned data access");
  EXPECT_EQ(ErrorMessageForCode(0xC000008D), u"Denormal floating-point operand");
  EXPECT_EQ(ErrorMessageForCode(0xC000008E), u"Division by zero (floating-point)");
  EXPECT_EQ(ErrorMessageForCode(0xC000008F), u"Inexact floating-point result");
  EXPECT_EQ(ErrorMessageForCode(0xC0000090), u"Invalid floating-point operation");
  EXPECT_EQ(ErrorMessageForCode(0xC0000091), u"Floating-point overflow (exponent to great)");
  EXPECT_EQ(ErrorMessageForCode(0xC0000092), u"Floating-point stack overflow or underflow");
  EXPECT_EQ(ErrorMessageForCode(0xC0000093), u"Floating-point underflow (exponent too small)");
  EXPECT_EQ(ErrorMessageForCode(0xC000001D), u"Illegal instruction");
  EXPECT_EQ(ErrorMessageForCode(0xC0000006), u"Memory page error");
  EXPECT_EQ(ErrorMessageForCode(0xC0000094), u"Division by zero ");
  EXPECT_EQ(ErrorMessageForCode(0xC0000095), u"Integer overflow");
  EXPECT_EQ(ErrorMessageForCode(0xC0000026), u"Exception handler returned unknown value");
  EXPECT_EQ(ErrorMessageForCode(0xC0000025), u"Exception handler tried to continue after non-continuable exception");
  EXPECT_EQ(ErrorMessageForCode(0xC0000096), u"Privileged instruction");
  EXPECT_EQ(ErrorMessageForCode(0x80000004), u"Single step trap");
  EXPECT_EQ(ErrorMessageForCode(0xE06D7363), u"Unknown error code");
  EXPECT_EQ(ErrorMessageForCode(0), u"Unknown error code");
}
