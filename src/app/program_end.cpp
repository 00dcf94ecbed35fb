#include "app/program_end.h"

#include <windows.h>

#include "runtime/portable/end_routine.h"
#include "runtime/win32/gui_thread_handoff.h"

namespace {

// However the end functions fare, the process ends this long after the report was closed.
constexpr DWORD kEndRoutineAfterErrorMs = 2000;

DWORD WINAPI RunEndRoutineThread(void*) {
  RunEndRoutine();
  return 0;
}

// Until the thread ends or the time is up, serving what it sends to this thread's windows.
void WaitServingSentMessages(HANDLE thread) {
  const DWORD start = GetTickCount();
  for (DWORD elapsed = 0; elapsed < kEndRoutineAfterErrorMs; elapsed = GetTickCount() - start) {
    if (MsgWaitForMultipleObjects(1, &thread, FALSE, kEndRoutineAfterErrorMs - elapsed, QS_SENDMESSAGE) !=
        WAIT_OBJECT_0 + 1) {
      return;
    }
    ServeSentMessages();
  }
}

}  // namespace

void EndProgram(unsigned exitCode) {
  RunEndRoutine();
  ExitProcess(exitCode);
}

void EndProgramAfterError(unsigned exitCode) {
  // On a thread of its own: the failed thread's stack may be spent, and an end function that
  // waits for a window of a thread that no longer answers must not keep the process alive.
  if (HANDLE ending = CreateThread(nullptr, 0, RunEndRoutineThread, nullptr, 0, nullptr)) {
    WaitServingSentMessages(ending);
    CloseHandle(ending);
  }
  TerminateProcess(GetCurrentProcess(), exitCode);
  // TerminateProcess does not return for the calling process; this only tells the compiler so.
  ExitProcess(exitCode);
}
