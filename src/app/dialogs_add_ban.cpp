// Add Ban (window 6): a GUID or IP address typed in, a reason, permanent or for days.
#include "app/dialog_fields.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "app/logic/dialog_rules.h"
#include "app/player_actions.h"
#include "runtime/win32/gui.h"

namespace {

// Nobody is banned for an empty target, so the button waits for one, as the connect window's
// buttons wait for their fields.
void OfferBanForTarget() {
  DisableGadget(kAddBanButton, !HasAddBanTarget(GadgetText(kAddBanTargetField)));
}

}  // namespace

void OpenAddBanDialog() {
  if (!OpenDialogWindow(kAddBanDialog, 430, 195, u"Add Ban")) return;
  CreateTextLabel(kAddBanTargetLabel, 10, 12, 50, 15, u"GUID/IP:");
  CreateStringField(kAddBanTargetField, 65, 10, 355, 20, u"");
  CreateTextLabel(kAddBanReasonLabel, 10, 42, 50, 15, u"Reason:");
  CreateReasonCombo(kAddBanReasonCombo, 65, 40, 355, 20);
  CreateOption(kAddBanPermanentOption, 10, 80, 140, 20, u"Ban permanently.");
  CreateOption(kAddBanForOption, 10, 115, 55, 20, u"Ban for");
  SetGadgetState(kAddBanPermanentOption, 1);
  CreateDaysField(kAddBanDaysField, 75, 115, 65, 20);
  CreateTextLabel(kAddBanDaysLabel, 150, 117, 45, 20, u"days.");
  CreateButton(kAddBanButton, 10, 165, 75, 25, u"Ban player");
  CreateButton(kAddBanCancelButton, 100, 165, 75, 25, u"Cancel");
  CreateSeparator(kAddBanSeparator, 10, 155, 410, 2);
  OfferBanForTarget();
  DisableWindow(kMainWindow, true);
}

void CloseAddBanDialog() { CloseDialog(kAddBanDialog); }

void HandleAddBanDialogGadget(int gadget) {
  switch (gadget) {
    case kAddBanTargetField: OfferBanForTarget(); return;
    case kAddBanReasonCombo: ApplyReasonLimit(gadget, kAddBanReasonLimit); return;
    case kAddBanDaysField: ApplyDaysDefault(gadget); return;
    case kAddBanPermanentOption: DisableGadget(kAddBanDaysField, true); return;
    case kAddBanForOption: DisableGadget(kAddBanDaysField, false); return;
    case kAddBanButton: AddBanFromDialog(); return;
    case kAddBanCancelButton: CloseAddBanDialog(); return;
    default: return;
  }
}
