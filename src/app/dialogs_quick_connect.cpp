// Quick Connect (window 3): host (or a favourite's description), port and password.
#include "app/connect_window.h"
#include "app/dialog_fields.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "runtime/win32/gui.h"
#include "velorcon/connect.h"

namespace {

constexpr int kQuickConnectReturnItem = 35;

struct QuickConnectState {
  // The host combo's selection at its previous event. No selection at each opening, so that
  // choosing the first favourite fills the form as any other does.
  int LastQuickConnectSelection = -1;
};
QuickConnectState g_quickConnect;

}  // namespace

void OpenQuickConnectDialog() {
  if (!OpenDialogWindow(kQuickConnectDialog, 285, 146, u"Quick Connect")) return;
  CreateTextLabel(kQuickHostLabel, 15, 17, 30, 15, u"Host:");
  CreateTextLabel(kQuickPortLabel, 15, 47, 30, 15, u"Port:");
  CreateTextLabel(kQuickPasswordLabel, 15, 80, 55, 15, u"Password:");
  CreateComboBox(kQuickConnectHost, 80, 15, 190, 20, kComboEditable);
  for (const FavoriteRecord& favorite : Favorites.FavoriteList) {
    AddGadgetItem(kQuickConnectHost, -1, favorite.Description);
  }
  CreateStringField(kQuickConnectPort, 80, 45, 190, 20, u"", kStringDigitsOnly);
  CreateStringField(kQuickConnectPassword, 80, 77, 190, 20, u"", kStringPassword);
  CreateButton(kQuickConnectButton, 15, 115, 75, 25, u"Connect", kButtonDefault);
  CreateButton(kQuickCancelButton, 100, 115, 75, 25, u"Cancel");
  CreateSeparator(kQuickSeparator, 15, 105, 255, 2);
  AddKeyboardShortcut(kQuickConnectDialog, VK_RETURN, kQuickConnectReturnItem);
  g_quickConnect.LastQuickConnectSelection = -1;
  DisableWindow(kMainWindow, true);
}

void CloseQuickConnectDialog() { CloseDialog(kQuickConnectDialog); }

void ConnectFromQuickConnectDialog() {
  if (!IsWindowNumber(kQuickConnectDialog)) return;  // Return is its shortcut alone
  SetServerTarget(GadgetText(kQuickConnectHost), PortFromText(GadgetText(kQuickConnectPort)),
                  GadgetText(kQuickConnectPassword));
  ConnectToServer(1);
}

void HandleQuickConnectGadget(int gadget) {
  switch (gadget) {
    case kQuickConnectHost: {
      const int selection = GadgetState(kQuickConnectHost);
      if (selection == g_quickConnect.LastQuickConnectSelection) return;
      FillQuickConnectFromFavorite();
      g_quickConnect.LastQuickConnectSelection = selection;
      return;
    }
    case kQuickConnectButton: ConnectFromQuickConnectDialog(); return;
    case kQuickCancelButton: CloseQuickConnectDialog(); return;
    default: return;
  }
}
