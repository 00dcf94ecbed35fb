#include "app/logic/error_report_text.h"

#include <gtest/gtest.h>

TEST(ErrorReportText, AnAccessViolationWithoutLineInformationAndTargetZero) {
  ErrorReport report;
  report.ErrorCode = 0xC0000005;
  report.CodeAddress = 0x4017A3;
  EXPECT_EQ(ProgramErrorText(report),
            u"A program error was detected:\r\r"
            u"Error Message:   Invalid memory access\r"
            u"Error Code:      -1073741819\r"
            u"Code Address:    $4017A3\r"
            u"Target Address:  $0\r"  // zero as one digit
            u"Sourcecode line: Enable OnError lines support to get code line information.\r");
}

TEST(ErrorReportText, OtherCodesHaveNoTargetLineAndShowAKnownLine) {
  ErrorReport report;
  report.ErrorCode = 0xE06D7363;  // a code without a text of its own
  report.CodeAddress = 0xABCDEF01;
  report.TargetAddress = 0x1234;
  report.SourceLine = 812;
  EXPECT_EQ(ProgramErrorText(report),
            u"A program error was detected:\r\r"
            u"Error Message:   Unknown error code\r"
            u"Error Code:      -529697949\r"
            u"Code Address:    $ABCDEF01\r"
            u"Sourcecode line: 812\r");
}
