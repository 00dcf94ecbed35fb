#pragma once
// The program's report of an unhandled processor exception: a message box titled
// "Velo 2 DUro" with the error, its code, the code address (and for an access violation the
// address it touched) and the source line, after which the process ends at once, without
// saving anything.

// Installs the report for every thread of the process. The failing thread shows it, except a
// thread with no stack left, whose report a thread started here shows. The line comes from
// velo2duro.exe.lines beside the program, when that table is this build's and whole.
void InstallProgramErrorReport();
