#pragma once
// Window 4 "Connect": the favourites list and the Add/Save Favorite form, with every
// favourites operation behind it, and the filling of the Quick Connect dialog from a
// favourite. The window is modal by hand: it disables the main window while it is open.
#include <cstdint>

#include "app/files/favorites.h"


void OpenConnectWindow();
void FillFavoritesList();
void UpdateFavoriteButtons();
// The favourite whose description is the selected item's text goes into the form.
void ShowFavoriteInForm();
// 1 when the four fields hold text; otherwise a message names the first empty one.
std::int32_t ValidateFavoriteForm();
void AddFavorite();
void SaveFavorite();
void DeleteFavorite();
// The selected favourite becomes the server target and ConnectToServer(0) runs; on success
// the connection code closes this window.
void ConnectToSelectedFavorite();
void FillQuickConnectFromFavorite();
void CloseConnectWindow();

// The main loop's handling of a gadget event of window 4. A right click on the list
// (type 1, with an item selected) is left to the caller, which shows pop-up menu 2.
void HandleConnectWindowGadget(int gadget, int type);
