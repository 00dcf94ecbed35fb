// The donation window (7), shown before the main window on two starts in three. It has no
// close box, and its close button counts down five seconds before it can be pressed.
#include <windows.h>

#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "app/logic/dialog_rules.h"
#include "app/web_browser.h"
#include "runtime/win32/gui.h"

void ShowDonationWindow() {
  if (OpenWindow(kDonationWindow, 0, 0, 350, 165, u"Velo 2 DUro - Donation", kWindowCentered) == 0) return;
  CreateImageBox(-1, 10, 10, 0, 0, kDonationSignImage);
  CreateButton(kDonateNowButton, 110, 130, 70, 25, u"Donate now!");
  CreateButton(kDonationCloseButton, 190, 130, 70, 25, DonationCloseText(0));
  DisableGadget(kDonationCloseButton, true);
  const TickCount start = CurrentTick();
  for (;;) {
    if (WindowEvent() == kEventGadget && EventWindow() == kDonationWindow) {
      if (EventGadget() == kDonationCloseButton) break;
      if (EventGadget() == kDonateNowButton) OpenDonationPage();
    }
    const TickCount elapsed = ElapsedSince(start);
    const Text shown = DonationCloseText(elapsed);
    if (GadgetText(kDonationCloseButton) != shown) {
      SetGadgetText(kDonationCloseButton, shown);
      if (elapsed >= kDonationLockMs) DisableGadget(kDonationCloseButton, false);
    }
    Sleep(10);
  }
  FreeWindow(kDonationWindow);
}
