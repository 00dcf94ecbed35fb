#pragma once
// The program's report of an unhandled processor exception: a message box titled
// "Velo 2 DUro" with the error, its code, the code address (and for an access violation the
// address it touched) and the source line, after which the process ends at once, without
// saving anything.

// Installs ShowProgramError for every thread of the process.
void InstallProgramErrorReport();
