#include "app/program_end.h"

#include <windows.h>

#include "runtime/portable/end_routine.h"

void EndProgram(unsigned exitCode) {
  RunEndRoutine();
  ExitProcess(exitCode);
}

void EndProgramAfterError(unsigned exitCode) {
  RunEndRoutine();
  TerminateProcess(GetCurrentProcess(), exitCode);
  // TerminateProcess does not return for the calling process; this only tells the compiler so.
  ExitProcess(exitCode);
}
