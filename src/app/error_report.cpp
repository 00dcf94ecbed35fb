#include "app/error_report.h"

#include <windows.h>

#include "app/logic/error_report_text.h"
#include "app/program_end.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

ErrorReport ReportOf(const EXCEPTION_RECORD& exception) {
  ErrorReport report;
  report.ErrorCode = exception.ExceptionCode;
  report.CodeAddress = reinterpret_cast<std::uintptr_t>(exception.ExceptionAddress);
  // For an access violation the second parameter is the address that was touched.
  if (exception.ExceptionCode == kAccessViolation && exception.NumberParameters >= 2) {
    report.TargetAddress = exception.ExceptionInformation[1];
  }
  // The program keeps no line information, so the report says how to get it.
  report.SourceLine = -1;
  return report;
}

// Whatever thread failed shows the report and ends the process: the program's state can no
// longer be trusted, so neither the settings nor the connection are touched.
LONG WINAPI ShowProgramError(EXCEPTION_POINTERS* pointers) {
  const Text text = ProgramErrorText(ReportOf(*pointers->ExceptionRecord));
  MessageBoxW(nullptr, Wide(text), L"Velo 2 DUro", MB_OK | MB_ICONERROR | MB_TASKMODAL);
  EndProgramAfterError(pointers->ExceptionRecord->ExceptionCode);
  return EXCEPTION_EXECUTE_HANDLER;
}

}  // namespace

void InstallProgramErrorReport() { SetUnhandledExceptionFilter(ShowProgramError); }
