#include "app/startup.h"

#include <random>

#include "app/dialogs.h"
#include "app/embedded_images_store.h"
#include "app/error_report.h"
#include "app/files/settings.h"
#include "app/main_loop.h"
#include "app/main_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/shutdown.h"
#include "runtime/portable/files.h"
#include "runtime/portable/sockets.h"
#include "runtime/portable/ticks.h"
#include "runtime/win32/gui.h"
#include "velorcon/connect.h"
#include "veloui/toolkit/toolkit.h"

namespace {

struct StartUpState {
  std::minstd_rand Random;
};
StartUpState g_startUp;

// Two starts in three: a draw of 0, 1 or 2 that is not 2.
bool DonationWindowDue() { return std::uniform_int_distribution<int>(0, 2)(g_startUp.Random) != 2; }

}  // namespace

int StartUp() {
  g_startUp.Random.seed(CurrentTick());
  StartNetworkLibrary();
  InitToolkit();
  StartToolkitHooks();
  LoadEmbeddedImages();
  InstallProgramErrorReport();
  SetCurrentFolder(ProgramFolder());
  SetFilePaths(EnvironmentValue(u"APPDATA"));
  ReadFavoritesOrCreateDataFolder();
  ReadSettingsFile();
  CreateDatabaseFileIfMissing();
  SetAutoRefresh(AppSettings.AutoRefreshEnable, AppSettings.AutoRefreshSeconds);
  return 0;
}

void StartProgramLibraries() {
  // The sorting library first, then the hand-over of window work from the network thread.
  InitMainWindowServices();
  // Before the donation window's web page and any file requester.
  StartRequesters();
}

void RunProgramEntry() {
  StartProgramLibraries();
  StartUp();
  if (DonationWindowDue()) ShowDonationWindow();
  CreateMainWindow();
  // Without its window the program could only wait, unseen, for ever.
  if (!IsWindowNumber(kMainWindow)) ShutDown();
  RunMainLoop();
}
