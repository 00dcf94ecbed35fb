#include "app/log_view.h"

#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "runtime/win32/gui.h"

void AddLogLine(TextView text) {
  if (text.empty()) return;
  const int line = AddGadgetItem(kLogList, -1, text);
  if (line >= 0) SetGadgetState(kLogList, line);
}
