#include "app/main_window_menus.h"

#include "app/main_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "runtime/win32/gui.h"
#include "veloui/foundation/core/ui_colour_ids.h"
#include "veloui/menus/menus.h"

namespace {


struct MenuLine {
  int id;              // -1: a separator
  const char16_t* text;
  int image;           // -1: none
};

void AddItems(std::initializer_list<MenuLine> lines) {
  for (const MenuLine& line : lines) {
    if (line.id < 0) {
      AddMenuSeparator();
      continue;
    }
    const HANDLE image = line.image >= 0 ? StoredImageHandle(line.image) : nullptr;
    AddMenuItem(line.id, Text(line.text), image, nullptr, nullptr, 0);
  }
}

constexpr MenuLine kSeparator{-1, u"", -1};

}  // namespace

HWND BuildMainMenuBar(HWND window) {
  SetMenuImageSize(16, 16);
  const std::intptr_t bar = CreateMenuBar(kMenuBar, window, UISTYLE_OFFICE2003);
  if (bar == 0) return nullptr;
  AddMenuTitle(u"Server");
  AddItems({{kItemConnect, u"Connect", kConnectImage},
            {kItemQuickConnect, u"Quick Connect", kQuickConnectImage},
            kSeparator,
            {kItemQuit, u"Quit", -1}});
  AddMenuTitle(u"Commands");
  AddItems({{kItemRefresh, u"Refresh\tF5", -1}});
  // F5 works through the window's shortcut; the text only shows it.
  AddKeyboardShortcut(kMainWindow, VK_F5, kItemRefresh);
  AddItems({kSeparator,
            {kItemReassign, u"Reassign", -1},
            {kItemRestart, u"Restart", -1},
            {kItemShutdown, u"Shutdown", -1},
            kSeparator,
            {kItemAddBan, u"Add Ban", -1},
            {kItemReloadBans, u"Reload Ban-List", -1},
            kSeparator,
            {kItemSetMaxPing, u"Set MaxPing", -1},
            kSeparator,
            {kItemLock, u"Lock", -1},
            {kItemUnlock, u"Unlock", -1},
            kSeparator,
            {kItemLoadScripts, u"LoadScripts", -1}});
  AddMenuTitle(u"Database");
  AddItems({{kItemImport, u"Import...", -1}, {kItemExport, u"Export...", -1}});
  AddMenuTitle(u"Info");
  // "\b" in a toolkit item text draws the rest bold.
  AddItems({{kItemProjectPage, u"Project Page...", -1},
            {kItemDonate, u"\\bDonate...", -1},
            kSeparator,
            {kItemAbout, u"About...", kAboutImage}});
  return reinterpret_cast<HWND>(bar);
}

void BuildPopupMenus() {
  CreateSkinnedPopupMenu(kPlayersPopup, UISTYLE_OFFICE2003);
  AddItems({{kItemPlayerCopyAll, u"Copy all", -1},
            {kItemPlayerCopyName, u"Copy name", -1},
            {kItemPlayerCopyGuid, u"Copy GUID", -1},
            {kItemPlayerCopyIp, u"Copy IP", -1},
            kSeparator,
            {kItemKick, u"Kick", -1},
            {kItemBan, u"Ban", -1},
            kSeparator,
            {kItemSendMessage, u"Send Message", -1}});
  CreateSkinnedPopupMenu(kBansPopup, UISTYLE_OFFICE2003);
  AddItems({{kItemRemoveBan, u"Remove ban", -1}});
  CreateSkinnedPopupMenu(kFavoritesPopup, UISTYLE_OFFICE2003);
  AddItems({{kItemConnectFavorite, u"Connect", -1}, {kItemDeleteFavorite, u"Delete", -1}});
  CreateSkinnedPopupMenu(kDatabasePopup, UISTYLE_OFFICE2003);
  AddItems({{kItemDbCopyAll, u"Copy all", -1},
            {kItemDbCopyName, u"Copy name", -1},
            {kItemDbCopyGuid, u"Copy GUID", -1},
            {kItemDbCopyIp, u"Copy IP", -1},
            {kItemDbCopyServer, u"Copy server", -1},
            kSeparator,
            {kItemShowAssociations, u"Show associations", -1},
            {kItemResetSearch, u"Reset search", -1}});
  CreateSkinnedPopupMenu(kMissionsPopup, UISTYLE_OFFICE2003);
  AddItems({{kItemLoadMission, u"Load", -1}});
  CreateSkinnedPopupMenu(kLogPopup, UISTYLE_OFFICE2003);
  AddItems({{kItemCopyLog, u"Copy to Clipboard", -1}});
}
