#pragma once
// The end of the program when the main window is closed or "Quit" is chosen.

// Stops the network thread, closes the database and the connection, saves the window's
// settings, frees the toolkit, closes the main window and ends the process.
[[noreturn]] void ShutDown();
