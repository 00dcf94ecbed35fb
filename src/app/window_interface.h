#pragma once
// The main window as the protocol code sees it (velorcon/rcon_window.h). Every call may come
// from the network thread; whatever it changes in a window is done on the GUI thread.

// Installs the main window for the protocol code, and the GUI thread's wait hook that keeps
// serving hand-overs while the GUI thread waits for the protocol. Call on the GUI thread
// after InitGuiThreadCalls and before the network thread starts.
void InstallMainWindowInterface();
