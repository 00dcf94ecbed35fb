#include "app/main_loop.h"

#include <windows.h>

#include "app/clipboard_copies.h"
#include "app/connect_window.h"
#include "app/database_transfer.h"
#include "app/database_view.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/dialogs.h"
#include "app/files/settings.h"
#include "app/logic/main_loop_rules.h"
#include "app/logic/web_pages.h"
#include "app/main_window_layout.h"
#include "app/player_actions.h"
#include "app/shutdown.h"
#include "app/web_browser.h"
#include "runtime/win32/gui.h"
#include "velorcon/mailbox.h"
#include "velorcon/server_commands.h"
#include "velorcon/network_thread.h"
#include "velorcon/rcon_state.h"
#include "veloui/menus/popup_menus.h"

namespace {

void ShowPopupAtMouse(int menu, int ownerWindow) {
  POINT mouse{};
  GetCursorPos(&mouse);
  ShowPopupMenu(menu, WindowHandle(ownerWindow), mouse.x, mouse.y);
}

bool HasSelectedRow(int list) { return GadgetState(list) >= 0; }

bool IsConnected() {
  RconLockGuard guard;
  return Rcon.Connected;
}

// The field searched: the combo's item less the heading "Search for".
void SearchDatabase() { SearchDatabaseList(GadgetState(kSearchFieldCombo) - 1); }

void HandleMainWindowGadget(int gadget, int type) {
  switch (gadget) {
    case kLogList:
      if (type == kEventTypeClick) ShowPopupAtMouse(kLogPopup, kMainWindow);
      break;
    case kMissionsList:
      if (type == kEventTypeRightClick && HasSelectedRow(gadget)) ShowPopupAtMouse(kMissionsPopup, kMainWindow);
      break;
    case kDatabaseList:
      if (type == kEventTypeRightClick && HasSelectedRow(gadget)) ShowPopupAtMouse(kDatabasePopup, kMainWindow);
      break;
    case kBansList:
      if (type == kEventTypeRightClick && HasSelectedRow(gadget)) ShowPopupAtMouse(kBansPopup, kMainWindow);
      break;
    case kPlayersList:
      if (type == kEventTypeRightClick && HasSelectedRow(gadget)) ShowPopupAtMouse(kPlayersPopup, kMainWindow);
      break;
    case kTabPanel:
      if (type == kEventTypeClick && IsConnected()) {
        const CommandCode code = TabCommand(GadgetState(kTabPanel));
        if (code != kCommandNone) QueueServerCommand(code);
      }
      break;
    case kRefreshButton: QueueServerCommand(kCommandRefreshPlayers); break;
    case kSearchText:
      if (type == kEventTypeChange) SearchDatabase();
      break;
    case kExactMatchBox: SearchDatabase(); break;
    default: break;
  }
  // The search text means nothing while the combo shows its heading.
  if (AppSettings.DatabaseEnabled != 0) DisableGadget(kSearchText, GadgetState(kSearchFieldCombo) == 0);
}

void HandleConnectWindowEvent(int gadget, int type) {
  if (gadget == kFavoritesTree && type == kEventTypeRightClick && GadgetState(kFavoritesTree) >= 0) {
    ShowPopupAtMouse(kFavoritesPopup, kConnectWindow);
    return;
  }
  HandleConnectWindowGadget(gadget, type);
}

void HandleGadgetEvent(int window, int gadget, int type) {
  switch (window) {
    case kMainWindow: HandleMainWindowGadget(gadget, type); return;
    case kBanDialog: HandleBanDialogGadget(gadget); return;
    case kAboutWindow: HandleAboutGadget(gadget); return;
    case kQuickConnectDialog: HandleQuickConnectGadget(gadget); return;
    case kConnectWindow: HandleConnectWindowEvent(gadget, type); return;
    case kKickDialog: HandleKickDialogGadget(gadget); return;
    case kAddBanDialog: HandleAddBanDialogGadget(gadget); return;
    default: return;
  }
}

// False for "Quit".
bool HandleMenuEvent(int item) {
  const CommandCode code = MenuItemCommand(item);
  if (code != kCommandNone) {
    // The server items are greyed while no server is connected, but F5 still fires.
    QueueServerCommand(code);
    return true;
  }
  switch (item) {
    case kItemQuickConnect: OpenQuickConnectDialog(); break;
    case kItemConnect: OpenConnectWindow(); break;
    case kItemAbout: OpenAboutWindow(); break;
    case kItemKick: OpenKickDialog(); break;
    case kItemBan: OpenBanDialog(); break;
    case kItemDeleteFavorite: DeleteFavorite(); break;
    case kItemConnectFavorite: ConnectToSelectedFavorite(); break;
    case kItemQuit: return false;
    case kItemAddBan: OpenAddBanDialog(); break;
    case kItemDbCopyAll: CopyDatabaseSelection(0); break;
    case kItemDbCopyName: CopyDatabaseSelection(1); break;
    case kItemDbCopyGuid: CopyDatabaseSelection(2); break;
    case kItemDbCopyIp: CopyDatabaseSelection(3); break;
    case kItemDbCopyServer: CopyDatabaseSelection(4); break;
    case kItemShowAssociations: ShowAssociations(); break;
    case kItemResetSearch: FillDatabaseList(); break;
    case kItemProjectPage: OpenWebPage(kProjectPageAddress); break;
    case kItemDonate: OpenDonationPage(); break;
    case kItemImport: ImportDatabaseFromFile(); break;
    case kItemExport: ExportDatabaseToFile(); break;
    case kItemPlayerCopyAll: CopyPlayerSelection(0); break;
    case kItemPlayerCopyName: CopyPlayerSelection(1); break;
    case kItemPlayerCopyGuid: CopyPlayerSelection(3); break;
    case kItemPlayerCopyIp: CopyPlayerSelection(2); break;
    case kItemQuickConnectReturn: ConnectFromQuickConnectDialog(); break;
    case kItemBroadcastReturn: BroadcastFromMessageField(); break;
    case kItemSendMessage: MessageSelectedPlayer(); break;
    case kItemCopyLog: CopyLogToClipboard(); break;
    default: break;
  }
  return true;
}

// False when the main window was closed.
bool HandleCloseEvent(int window) {
  switch (window) {
    case kMainWindow: return false;
    case kBanDialog: CloseBanDialog(); break;
    case kAboutWindow: CloseAboutWindow(); break;
    case kQuickConnectDialog: CloseQuickConnectDialog(); break;
    case kConnectWindow: CloseConnectWindow(); break;
    case kKickDialog: CloseKickDialog(); break;
    case kAddBanDialog: CloseAddBanDialog(); break;
    default: break;
  }
  return true;
}

// The settings keep the geometry the window last had in normal state, which the window itself
// keeps as it moves: a move raises no event, and the next one may come once it is maximised.
void TrackMainWindowGeometry() {
  if (!IsWindowNumber(kMainWindow)) return;
  const WindowGeometry normal = WindowNormalGeometry(kMainWindow);
  GuiSettingsRecord& gui = AppSettings.GuiSettings;
  gui.WindowX = normal.X;
  gui.WindowY = normal.Y;
  gui.WindowWidth = normal.InnerWidth;
  gui.WindowHeight = normal.InnerHeight;
}

void OpenDatabaseWhenEnabled() {
  if (AppSettings.DatabaseEnabled == 0) return;
  StartLoadingDatabase(AppSettings.DatabaseFilePath);
}

}  // namespace

void RunMainLoop() {
  OpenDatabaseWhenEnabled();
  StartNetworkThread();
  LayOutMainWindow();
  for (bool running = true; running;) {
    const int event = WaitWindowEvent();
    if (event == kEventQuit) break;
    if (event == kEventNone) continue;
    TrackMainWindowGeometry();
    const int window = EventWindow();
    if (event == kEventGadget) HandleGadgetEvent(window, EventGadget(), EventType());
    if (event == kEventMenu) running = HandleMenuEvent(EventMenu());
    if (event == kEventSizeWindow && window == kMainWindow) FollowMainWindowSize();
    // After the splitter followed the window, so that its halves' contents follow at once.
    RelayoutWhenResized();
    if (event == kEventCloseWindow) running = running && HandleCloseEvent(window);
  }
  ShutDown();
}
