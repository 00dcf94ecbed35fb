#pragma once
// Window 4 "Connect": the favourites list and the Add/Save Favorite form, with every
// favourites operation behind it, and the filling of the Quick Connect dialog from a
// favourite. The window is modal by hand: it disables the main window while it is open.
#include <cstdint>

#include "app/files/favorites.h"

inline constexpr int kMainWindow = 0;
inline constexpr int kConnectWindow = 4;
inline constexpr int kFavoritesTree = 44;
inline constexpr int kFavoriteFrame = 45;
inline constexpr int kDescriptionField = 50;
inline constexpr int kHostField = 51;
inline constexpr int kPortField = 52;
inline constexpr int kPasswordField = 53;
inline constexpr int kAddButton = 54;
inline constexpr int kSaveButton = 55;
inline constexpr int kFavoriteImage = 3;
inline constexpr int kQuickConnectHost = 37;
inline constexpr int kQuickConnectPort = 38;
inline constexpr int kQuickConnectPassword = 39;

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
