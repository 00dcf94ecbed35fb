#pragma once
// What the dialogs share: opening one centred on and owned by the main window, the stock
// reasons combo, the separator line, the reason and days field rules, and closing.
#include <cstddef>

#include "runtime/portable/text.h"

// Caption with close box, no sizing, centred on window 0 and owned by it. False when the
// window could not be opened.
bool OpenDialogWindow(int window, int innerWidth, int innerHeight, TextView title);
// An editable combo with the stock reasons; none chosen, the text empty.
void CreateReasonCombo(int gadget, int x, int y, int w, int h);
// An empty container 2 pixels high with a thin sunken edge.
void CreateSeparator(int gadget, int x, int y, int w, int h);
// A days field holding "7", digits only, disabled while "Ban permanently." is chosen.
void CreateDaysField(int gadget, int x, int y, int w, int h);
// The reason never grows past `limit` characters.
void ApplyReasonLimit(int gadget, std::size_t limit);
// The days field is never left empty or zero.
void ApplyDaysDefault(int gadget);
// The main window takes input again, then the dialog goes.
void CloseDialog(int window);
