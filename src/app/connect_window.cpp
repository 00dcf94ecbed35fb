#include "app/connect_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"

#include "app/files/settings.h"
#include "runtime/portable/text_ops.h"
#include "runtime/win32/gui.h"
#include "velorcon/connect.h"

namespace {

constexpr char16_t kProgramTitle[] = u"Velo 2 DUro";

void OfferSave(bool save) {
  DisableGadget(kAddButton, save);
  DisableGadget(kSaveButton, !save);
}

}  // namespace

void OpenConnectWindow() {
  if (OpenWindow(kConnectWindow, 355, 311, 486, 330, u"Connect",
                 kWindowTitleBar | kWindowSystemMenu | kWindowCenteredOnOwner) == 0) {
    return;
  }
  CreateTree(kFavoritesTree, 0, 0, 225, 330);
  CreateFrame(kFavoriteFrame, 235, 10, 245, 310, u"Add/Save Favorite");
  CreateTextLabel(46, 250, 40, 60, 15, u"Description:");
  CreateTextLabel(47, 250, 75, 60, 15, u"Host:");
  CreateTextLabel(48, 250, 105, 60, 15, u"Port:");
  CreateTextLabel(49, 250, 140, 60, 15, u"Password:");
  CreateStringField(kDescriptionField, 320, 37, 145, 20, u"");
  CreateStringField(kHostField, 320, 72, 145, 20, u"");
  CreateStringField(kPortField, 320, 102, 145, 20, u"");
  CreateStringField(kPasswordField, 320, 137, 145, 20, u"", kStringPassword);
  CreateButton(kAddButton, 260, 180, 95, 25, u"Add", kButtonDefault);
  CreateButton(kSaveButton, 365, 180, 95, 25, u"Save");
  DisableGadget(kSaveButton, true);
  FillFavoritesList();
  DisableWindow(kMainWindow, true);
}

void FillFavoritesList() {
  ClearGadgetItems(kFavoritesTree);
  for (const auto& favorite : Favorites.FavoriteList) {
    AddGadgetItem(kFavoritesTree, -1, favorite.Description, kFavoriteImage);
  }
}

void UpdateFavoriteButtons() {
  OfferSave(false);
  if (FindFavorite(TrimSpaces(GadgetText(kDescriptionField))) != nullptr) OfferSave(true);
}

void ShowFavoriteInForm() {
  const FavoriteRecord* favorite = FindFavorite(GadgetText(kFavoritesTree));
  if (favorite == nullptr) return;
  SetGadgetText(kDescriptionField, favorite->Description);
  SetGadgetText(kHostField, favorite->Host);
  SetGadgetText(kPortField, DecimalText(favorite->Port));
  SetGadgetText(kPasswordField, favorite->Password);
  OfferSave(true);
}

std::int32_t ValidateFavoriteForm() {
  static constexpr struct {
    int gadget;
    const char16_t* message;
  } kRequired[] = {{kDescriptionField, u"Please enter a description."},
                   {kHostField, u"Please enter a host name."},
                   {kPortField, u"Please enter a port."},
                   {kPasswordField, u"Please enter a password."}};
  for (const auto& field : kRequired) {
    if (GadgetText(field.gadget).empty()) {
      ShowMessage(kProgramTitle, field.message);
      return 0;
    }
  }
  return 1;
}

void AddFavorite() {
  FavoriteRecord favorite;
  favorite.Description = TrimSpaces(GadgetText(kDescriptionField));
  favorite.Host = GadgetText(kHostField);
  favorite.Port = PortFromText(GadgetText(kPortField));
  favorite.Password = GadgetText(kPasswordField);
  if (!AppendFavorite(AppSettings.FavoritesFilePath, favorite)) return;
  FillFavoritesList();
  UpdateFavoriteButtons();
}

void SaveFavorite() {
  UpdateFavorites(TrimSpaces(GadgetText(kDescriptionField)), GadgetText(kHostField),
                  PortFromText(GadgetText(kPortField)), GadgetText(kPasswordField));
  WriteFavoritesFile(AppSettings.FavoritesFilePath);
}

void DeleteFavorite() {
  RemoveFavorite(GadgetText(kFavoritesTree));
  WriteFavoritesFile(AppSettings.FavoritesFilePath);
  UpdateFavoriteButtons();
  FillFavoritesList();
}

void ConnectToSelectedFavorite() {
  const FavoriteRecord* favorite = FindFavorite(GadgetText(kFavoritesTree));
  if (favorite == nullptr) return;
  SetServerTarget(favorite->Host, favorite->Port, favorite->Password);
  ConnectToServer(0);
}

void FillQuickConnectFromFavorite() {
  const FavoriteRecord* favorite = FindFavorite(GadgetText(kQuickConnectHost));
  if (favorite == nullptr) return;
  SetGadgetText(kQuickConnectHost, favorite->Host);
  SetGadgetText(kQuickConnectPort, DecimalText(favorite->Port));
  SetGadgetText(kQuickConnectPassword, favorite->Password);
}

void CloseConnectWindow() {
  DisableWindow(kMainWindow, false);
  FreeWindow(kConnectWindow);
}

void HandleConnectWindowGadget(int gadget, int type) {
  switch (gadget) {
    case kFavoritesTree:
      if (GadgetState(kFavoritesTree) < 0) return;
      if (type == kEventTypeClick) ShowFavoriteInForm();
      if (type == kEventTypeDoubleClick) ConnectToSelectedFavorite();
      return;
    case kSaveButton:
      if (ValidateFavoriteForm() == 1) SaveFavorite();
      return;
    case kAddButton:
      if (ValidateFavoriteForm() == 1) AddFavorite();
      return;
    case kDescriptionField: UpdateFavoriteButtons(); return;
    default: return;
  }
}
