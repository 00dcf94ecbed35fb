#pragma once
// The small windows: Ban Player (1), About (2), Quick Connect (3), Kick Player (5), Add Ban (6)
// and the donation window (7). Each opener builds its window in code and disables the main
// window, so that the dialog alone takes input; its close procedure enables the main window
// again and closes the dialog. The main loop hands each dialog's gadget events to its
// handler. GUI thread only.

void OpenBanDialog();
void CloseBanDialog();
void HandleBanDialogGadget(int gadget);

void OpenKickDialog();
void CloseKickDialog();
void HandleKickDialogGadget(int gadget);

void OpenAddBanDialog();
void CloseAddBanDialog();
void HandleAddBanDialogGadget(int gadget);

// The host combo lists the favourites; choosing one fills host, port and password.
void OpenQuickConnectDialog();
void CloseQuickConnectDialog();
void HandleQuickConnectGadget(int gadget);
// The Connect button and Return: connects to what the form holds; success closes the dialog.
void ConnectFromQuickConnectDialog();

void OpenAboutWindow();
void CloseAboutWindow();
void HandleAboutGadget(int gadget);

// Shown at start-up, before the main window exists, with an event loop of its own; its close
// button is enabled only after five seconds. Returns when the window is closed.
void ShowDonationWindow();
