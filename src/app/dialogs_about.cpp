// About (window 2): the program's text, the sponsor's logo and a scrolling list of supporters,
// each with a small picture at the right of the name.
#include "app/dialog_fields.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "app/logic/web_pages.h"
#include "app/web_browser.h"
#include "runtime/win32/gui.h"

namespace {

constexpr char16_t kAboutText[] =
    u"Velo 2 DUro\nVersion: 1.8.5\n\nCopyright (c) the Velo 2 DUro developers\n\n"
    u"This software is absolutely freeware.\n\nPlease donate in order To support further development!\n\n"
    u"Sponsored by:";

constexpr char16_t kThanksText[] =
    u"Thanks to all those who supported the development of this tool by making generous donations:\n\n";

constexpr int kSupporterCount = 28;
constexpr const char16_t* kSupporters[kSupporterCount] = {
    u"Arlo Fenwick",   u"Brisa Okafor",   u"Cato Lindqvist", u"Dalia Moreau",   u"Emeric Holt",
    u"Fenna Vos",      u"Gideon Achebe",  u"Hallie Brandt",  u"Ivo Marchetti",  u"Juno Takeda",
    u"Kasimir Rowe",   u"Lene Haugen",    u"Milo Castell",   u"Nadja Ferreira", u"Oren Blackwood",
    u"Pia Sandoval",   u"Quill Harper",   u"Rosalind Ekberg", u"Soren Valdez",  u"Tamsin Orr",
    u"Ulrich Pemberton", u"Vesna Kowal",  u"Wendell Amari",  u"Xenia Strand",   u"Yusuf Calloway",
    u"Zora Whitcombe", u"Anselm Dury",    u"Beatrix Nolan"};
// The picture beside each supporter's name, in the same order.
constexpr int kSupporterPictures[kSupporterCount] = {6, 6, 8, 6, 7, 7, 11, 9, 6, 12, 6, 8, 11, 13,
                                                     11, 6, 8, 11, 14, 6, 6, 8, 8, 8, 8, 8, 8, 7};

// The pictures lie on the text: it goes beneath them and leaves them out of its painting, so
// that a repaint of the text never covers them.
void KeepPicturesAboveText(HWND text) {
  if (text == nullptr) return;
  SetWindowLongPtrW(text, GWL_STYLE, GetWindowLongPtrW(text, GWL_STYLE) | WS_CLIPSIBLINGS);
  SetWindowPos(text, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void CreateSupporterArea() {
  CreateScrollArea(kAboutScrollArea, 250, 160, 280, 170, 300, 420, 30, kBorderNone);
  Text supporters = kThanksText;
  for (const char16_t* name : kSupporters) supporters += Text(name) + u"\n";
  const int text = static_cast<int>(CreateTextLabel(-1, 0, 0, 280, 420, supporters));
  for (int i = 0; i < kSupporterCount; ++i) CreateImageBox(-1, 200, 40 + 13 * i, 0, 0, kSupporterPictures[i]);
  CloseGadgetList();
  KeepPicturesAboveText(GadgetHandle(text));
}

}  // namespace

void OpenAboutWindow() {
  if (!OpenDialogWindow(kAboutWindow, 540, 340, u"About")) return;
  CreateImageBox(kAboutLogo, 20, 180, 0, 0, kLogoImage);
  CreateTextLabel(-1, 10, 10, 300, 150, kAboutText);
  CreateButton(kAboutOkButton, 20, 305, 80, 25, u"OK", kButtonDefault);
  CreateButton(kAboutDonateButton, 110, 305, 80, 25, u"Donate");
  CreateSupporterArea();
  DisableWindow(kMainWindow, true);
}

void CloseAboutWindow() { CloseDialog(kAboutWindow); }

void HandleAboutGadget(int gadget) {
  switch (gadget) {
    case kAboutDonateButton: OpenDonationPage(); return;
    case kAboutLogo: OpenWebPage(kMakerHomePageAddress); return;
    case kAboutOkButton: CloseAboutWindow(); return;
    default: return;
  }
}
