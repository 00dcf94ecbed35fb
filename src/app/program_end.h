#pragma once
// The program's last step, after ShutDown or after the error report: the runtime's end
// routine (each started library's end function, in the order they end), then the end of the
// process.

// Ends a program that has finished its work.
[[noreturn]] void EndProgram(unsigned exitCode);
// Ends the program after the error report: the same end routine, given a bounded time, then
// the process ends without the system libraries' own detach code, which might wait on a lock
// the failed thread holds.
[[noreturn]] void EndProgramAfterError(unsigned exitCode);
