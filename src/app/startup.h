#pragma once
// The program's life from its entry to the main loop: the services the windows need, the
// toolkit, the built-in pictures, the error report, the program's folder and files, the
// donation window on two starts in three, the main window and the main loop.

// The runtime's libraries the program needs before anything else, on the GUI thread: the
// sorting library, the hand-over of window work, and the requesters (common controls, COM).
void StartProgramLibraries();
// Never returns: the main loop ends in ShutDown, which ends the process.
[[noreturn]] void RunProgramEntry();
// Random seed, network, toolkit, pictures, error report, folders, favourites, settings and
// an empty "db.db" when there is none. Returns 0.
int StartUp();
