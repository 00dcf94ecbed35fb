// Ban Player (window 1): a reason, permanent or for a number of days.
#include "app/dialog_fields.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "app/logic/dialog_rules.h"
#include "app/player_actions.h"
#include "runtime/win32/gui.h"

void OpenBanDialog() {
  if (!PlayerStillSelected()) return;
  if (!OpenDialogWindow(kBanDialog, 430, 165, u"Ban Player - " + SelectedPlayerCell(kPlayerNameColumn))) return;
  CreateTextLabel(kBanReasonLabel, 10, 12, 50, 15, u"Reason:");
  CreateReasonCombo(kBanReasonCombo, 65, 10, 355, 20);
  CreateOption(kBanPermanentOption, 10, 50, 140, 20, u"Ban permanently.");
  CreateOption(kBanForOption, 10, 85, 55, 20, u"Ban for");
  SetGadgetState(kBanPermanentOption, 1);
  CreateDaysField(kBanDaysField, 75, 85, 65, 20);
  CreateTextLabel(kBanDaysLabel, 150, 87, 45, 20, u"days.");
  CreateButton(kBanButton, 10, 135, 75, 25, u"Ban player");
  CreateButton(kBanCancelButton, 100, 135, 75, 25, u"Cancel");
  CreateSeparator(kBanSeparator, 10, 125, 410, 2);
  DisableWindow(kMainWindow, true);
}

void CloseBanDialog() { CloseDialog(kBanDialog); }

void HandleBanDialogGadget(int gadget) {
  switch (gadget) {
    case kBanReasonCombo: ApplyReasonLimit(gadget, kKickBanReasonLimit); return;
    case kBanDaysField: ApplyDaysDefault(gadget); return;
    case kBanPermanentOption: DisableGadget(kBanDaysField, true); return;
    case kBanForOption: DisableGadget(kBanDaysField, false); return;
    case kBanButton: BanSelectedPlayer(); return;
    case kBanCancelButton: CloseBanDialog(); return;
    default: return;
  }
}
