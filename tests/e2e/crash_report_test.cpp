// An access violation in the running program: its report, then the end without anything saved.
#include "runtime/portable/files.h"
#include "scenario.h"

namespace e2e {
namespace {

using CrashReport = Scenario;

TEST_F(CrashReport, AnAccessViolationShowsTheReportAndEndsTheProgram) {
  const std::string settings = "[General]\r\nAutoRefreshEnable = 0\r\n";
  StartProgram(settings);
  // A thread of the program that jumps to an address where nothing is mapped.
  HANDLE thread = CreateRemoteThread(process_.hProcess, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10),
                                     nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  CloseHandle(thread);
  const Text report = AnswerMessageBox(u"Velo 2 DUro");
  // The report's wording is tested without a window (app_tests); here its facts.
  EXPECT_EQ(report.rfind(u"A program error was detected:\r\r", 0), 0u) << TextToUtf8(report);
  EXPECT_NE(report.find(u"Error Code:      -1073741819\r"), Text::npos);
  EXPECT_NE(report.find(u"Code Address:    $10\r"), Text::npos);
  const DWORD code = ExitCode();
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, STILL_ACTIVE);
  std::string after;
  ASSERT_TRUE(ReadWholeFile(File("settings.ini"), after));
  EXPECT_EQ(after, settings);  // nothing saved
}

}  // namespace
}  // namespace e2e
