#pragma once
// The main window as the protocol code sees it (velorcon/rcon_window.h). Every call may come
// from the network thread; whatever it changes in a window is done on the GUI thread.

#include "runtime/win32/gui_thread_handoff.h"

// The GUI thread's hand-off for work from other threads: created with the main window,
// destroyed at shut-down (work handed over after that is dropped).
extern GuiThreadHandOff AppHandOff;

// Installs the main window for the protocol code, and the GUI thread's wait hook that keeps
// serving hand-overs while the GUI thread waits for the protocol. Call on the GUI thread
// after AppHandOff.Create() and before the network thread starts.
void InstallMainWindowInterface();
