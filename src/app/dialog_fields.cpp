#include "app/dialog_fields.h"

#include "app/connect_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/logic/dialog_rules.h"
#include "runtime/win32/gui.h"

bool OpenDialogWindow(int window, int innerWidth, int innerHeight, TextView title) {
  constexpr std::uint32_t kDialogFlags = kWindowTitleBar | kWindowSystemMenu | kWindowCenteredOnOwner;
  return OpenWindow(window, 0, 0, innerWidth, innerHeight, title, kDialogFlags, WindowHandle(kMainWindow)) != 0;
}

void CreateReasonCombo(int gadget, int x, int y, int w, int h) {
  CreateComboBox(gadget, x, y, w, h, kComboEditable);
  for (const char16_t* reason : kStockReasons) AddGadgetItem(gadget, -1, reason);
}

void CreateSeparator(int gadget, int x, int y, int w, int h) {
  CreateContainer(gadget, x, y, w, h, kBorderThinSunken);
  CloseGadgetList();
}

void CreateDaysField(int gadget, int x, int y, int w, int h) {
  CreateStringField(gadget, x, y, w, h, kDefaultBanDays, kStringDigitsOnly);
  DisableGadget(gadget, true);
}

void ApplyReasonLimit(int gadget, std::size_t limit) {
  Text cut;
  if (!CutReason(GadgetText(gadget), limit, cut)) return;
  // Setting the text puts the caret at its start, where the next key would land in front of
  // everything typed so far; it stays where the user was typing, as far as the cut text reaches.
  const int caret = GadgetCaret(gadget);
  SetGadgetText(gadget, cut);
  SetGadgetCaret(gadget, caret);
}

void ApplyDaysDefault(int gadget) {
  if (DaysTextNeedsDefault(GadgetText(gadget))) SetGadgetText(gadget, kDefaultBanDays);
}

void CloseDialog(int window) {
  DisableWindow(kMainWindow, false);
  FreeWindow(window);
}
