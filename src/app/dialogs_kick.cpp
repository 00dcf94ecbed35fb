// Kick Player (window 5): a reason.
#include "app/dialog_fields.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "app/logic/dialog_rules.h"
#include "app/player_actions.h"
#include "runtime/win32/gui.h"

void OpenKickDialog() {
  if (!PlayerStillSelected()) return;
  if (!OpenDialogWindow(kKickDialog, 430, 85, u"Kick Player - " + SelectedPlayerCell(kPlayerNameColumn))) return;
  CreateTextLabel(kKickReasonLabel, 10, 12, 50, 15, u"Reason:");
  CreateReasonCombo(kKickReasonCombo, 65, 10, 355, 20);
  CreateButton(kKickButton, 10, 55, 75, 25, u"Kick player");
  CreateButton(kKickCancelButton, 100, 55, 75, 25, u"Cancel");
  CreateSeparator(kKickSeparator, 10, 45, 410, 2);
  DisableWindow(kMainWindow, true);
}

void CloseKickDialog() { CloseDialog(kKickDialog); }

void HandleKickDialogGadget(int gadget) {
  switch (gadget) {
    case kKickReasonCombo: ApplyReasonLimit(gadget, kKickBanReasonLimit); return;
    case kKickButton: KickSelectedPlayer(); return;
    case kKickCancelButton: CloseKickDialog(); return;
    default: return;
  }
}
