#include "app/shutdown.h"

#include <windows.h>

#include "app/connect_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/window_interface.h"
#include "app/program_end.h"
#include "app/save_settings.h"
#include "app/database_view.h"
#include "runtime/win32/gui.h"
#include "velorcon/disconnect.h"
#include "velorcon/network_thread.h"
#include "veloui/toolkit/toolkit.h"

void ShutDown() {
  // The network thread uses the connection, records into the database and hands work to the
  // windows: it goes first, so that none of them is released under it.
  StopNetworkThread();
  // Whatever the database's worker is doing stops here; the last refresh is still recorded.
  StopPlayerDatabase();
  CloseServerConnection();
  // The settings are read from the window; without one they would be saved as zeros.
  if (IsWindowNumber(kMainWindow)) SaveSettings();
  FreeToolkit();
  FreeWindow(kMainWindow);
  AppHandOff.Destroy();
  EndProgram(0);
}
