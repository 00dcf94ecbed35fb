#pragma once
// The one event loop of the GUI thread. Every gadget, menu, size and close event of the main
// window and the dialogs comes here and is dispatched by window, gadget, menu item and event
// type; work for the server goes into the network thread's mailbox. The loop opens the player
// database, starts the network thread, keeps the main window's normal-state geometry for the
// settings and lays the tab panel out again when it changes size.

// Never returns: it ends in ShutDown.
[[noreturn]] void RunMainLoop();
