#include "app/main_window.h"

#include "app/database_view.h"
#include "app/files/settings.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/main_window_layout.h"
#include "app/main_window_menus.h"
#include "app/window_interface.h"
#include "database/player_database.h"
#include "listsort/listsort.h"
#include "runtime/portable/end_routine.h"
#include "runtime/win32/gui_state.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/rebars.h"
#include "veloui/toolkit/ui_colour_mode.h"

namespace {

constexpr char16_t kMainWindowTitle[] = u"Velo 2 DUro";

constexpr std::uint32_t kMainWindowFlags = kWindowInvisible | kWindowTitleBar | kWindowSystemMenu |
                                           kWindowSizeable | kWindowMinimizeBox | kWindowMaximizeBox;
constexpr std::uint32_t kRebarFlags = UISTYLE_OFFICE2003 | RBS_BANDBORDERS | RBS_VARHEIGHT;
constexpr std::uint32_t kListFlags = kReportFullRowSelect | kReportAlwaysShowSelection;
constexpr int kLogAreaAtStart = 70;

const int kServerItems[] = {kItemReassign, kItemRestart, kItemShutdown, kItemSetMaxPing, kItemRefresh,
                            kItemAddBan,   kItemLock,    kItemUnlock,   kItemReloadBans, kItemLoadScripts};
const int kServerGadgets[] = {kRefreshButton, kPlayersList, kBansList, kMissionsList, kMessageField};
const int kDatabaseGadgets[] = {kDatabaseList, kSearchFieldCombo, kSearchText, kExactMatchBox};

void AddColumns(int list, std::initializer_list<const char16_t*> titles, const std::int32_t* widths) {
  int column = 0;
  for (const char16_t* title : titles) {
    if (column > 0) AddGadgetColumn(list, column, title, widths[column]);
    ++column;
  }
}

void RegisterPlayersListSorting() {
  if (RegisterSortableList(kPlayersList, SortIndicator::HeaderArrow) != SortResult::Done) return;
  SetThemedSortDrawing(1);
  const SortType types[] = {kSortTextIgnoringCase, kSortInteger32, kSortInteger32, kSortTextIgnoringCase,
                            kSortInteger32};
  for (int column = 0; column < 5; ++column) SetColumnSortType(kPlayersList, column, types[column]);
}

void BuildPlayersPage(const GuiSettingsRecord& gui) {
  AddTab(kTabPanel, -1, u"Players");
  CreateReportList(kPlayersList, 0, 0, 0, 0, u"Name", gui.PlayerListColumn[0], kListFlags);
  AddColumns(kPlayersList, {u"Name", u"Score", u"Deaths", u"Team", u"Ping", u"IP", u"GUID"},
             gui.PlayerListColumn.data());
  RegisterPlayersListSorting();
  CreateButton(kRefreshButton, 0, 0, 0, 0, u"REFRESH", kButtonFlat);
  DisableGadgetTheme(kRefreshButton);
  // Kept for the life of the program, as the button is.
  static const HFONT refreshFont = CreateFontHandle(u"Arial", 10, true);
  SetGadgetFont(kRefreshButton, refreshFont);
}

void BuildDatabasePage(const GuiSettingsRecord& gui) {
  AddTab(kTabPanel, -1, u"Database");
  CreateDatabaseList(0, 0, 0, 0, gui.DataBaseListColumn);
  CreateComboBox(kSearchFieldCombo, 0, 0, 0, 0);
  for (const char16_t* item : {u"Search for", u"Name", u"GUID", u"IP", u"Server"}) {
    AddGadgetItem(kSearchFieldCombo, -1, item);
  }
  SetGadgetState(kSearchFieldCombo, 1);
  CreateStringField(kSearchText, 0, 0, 0, 0, u"");
  CreateCheckBox(kExactMatchBox, 0, 0, 0, 0, u"Exact match");
}

void BuildTabPanel(const GuiSettingsRecord& gui) {
  CreateTabPanel(kTabPanel, 0, 0, 0, 0);
  BuildPlayersPage(gui);
  AddTab(kTabPanel, -1, u"Bans");
  CreateReportList(kBansList, 0, 0, 500, 400, u"GUID", gui.BanListColumn[0],
                   kListFlags | kReportHeaderDragDrop);
  AddColumns(kBansList, {u"GUID", u"Banned until", u"Reason"}, gui.BanListColumn.data());
  AddTab(kTabPanel, -1, u"Missions");
  CreateReportList(kMissionsList, 0, 0, 0, 0, u"Mission", gui.MissionListColumn, kListFlags);
  BuildDatabasePage(gui);
  CloseGadgetList();
}

void BuildLogContainer() {
  CreateContainer(kLogContainer, 0, 0, 0, 0, kBorderNone);
  CreateListBox(kLogList, 0, 0, WindowInnerWidth(kMainWindow), 0);
  SetGadgetBackColor(kLogList, RGB(0xEE, 0xEE, 0xEE));
  CreateStringField(kMessageField, 0, 0, 0, 0, u"");
  // First parameter 0: the banner hides while the field has the focus.
  SendMessageW(GadgetHandle(kMessageField), EM_SETCUEBANNER, 0, reinterpret_cast<LPARAM>(L"Ingame message"));
  AddKeyboardShortcut(kMainWindow, VK_RETURN, kItemBroadcastReturn);
  CloseGadgetList();
}

// The remembered position, or the last 70 pixels below the rebar for the log, against the
// window's size now.
void PlaceSplitter(const GuiSettingsRecord& gui, int rebarHeight) {
  const int height = WindowInnerHeight(kMainWindow) - rebarHeight;
  SetGadgetState(kSplitterGadget, gui.Splitter != -1 ? gui.Splitter : height - kLogAreaAtStart);
}

void BuildSplitter(const GuiSettingsRecord& gui, int rebarHeight) {
  const int height = WindowInnerHeight(kMainWindow) - rebarHeight;
  CreateSplitter(kSplitterGadget, 0, rebarHeight, WindowInnerWidth(kMainWindow), height, kTabPanel, kLogContainer);
  PlaceSplitter(gui, rebarHeight);
}

void BuildStatusBar() {
  CreateStatusBar(kMainStatusBar, kMainWindow);
  for (const int width : {200, 150, 200}) AddStatusField(kMainStatusBar, width);
}

}  // namespace

void InitMainWindowServices() {
  SetListSortGadgetLookup(&GadgetHandle);
  InitListSortLibrary();
  InstallLibraryEnd(EndingLibrary::ListSorting, ShutdownListSortLibrary);
  AppHandOff.Create();
  InstallMainWindowInterface();
}

void CreateMainWindow() {
  const GuiSettingsRecord& gui = AppSettings.GuiSettings;
  std::uint32_t flags = kMainWindowFlags | static_cast<std::uint32_t>(gui.WindowState);
  if (gui.WindowX == -1 && gui.WindowY == -1) flags |= kWindowCentered;
  if (OpenWindow(kMainWindow, gui.WindowX, gui.WindowY, gui.WindowWidth, gui.WindowHeight, kMainWindowTitle, flags) ==
      0) {
    return;
  }
  const HWND window = WindowHandle(kMainWindow);
  const HWND menuBar = BuildMainMenuBar(window);
  CreateRebar(kMainRebar, window, 0, kRebarFlags, 0);
  if (menuBar != nullptr) AddRebarBand(menuBar, u"", 200, 200, 0, nullptr, RBBS_USECHEVRON);
  BuildPopupMenus();
  SetUIColourMode(UICOLOURMODE_DEFAULT_GREY);
  UseGadgetList(kMainWindow);
  BuildTabPanel(gui);
  BuildLogContainer();
  // The recording on the network thread reads the switch from the player database.
  PlayerDb.DatabaseEnabled = AppSettings.DatabaseEnabled;
  if (AppSettings.DatabaseEnabled == 0) {
    SetMenuItemDisabled(kMenuBar, kItemImport, true);
    SetMenuItemDisabled(kMenuBar, kItemExport, true);
    for (const int gadget : kDatabaseGadgets) DisableGadget(gadget, true);
  }
  BuildSplitter(gui, GetRebarHeight(kMainRebar));
  BuildStatusBar();
  SetWindowFlickerFree(kMainWindow);
  SetMainWindowServerControlsDisabled(true);
  HideWindow(kMainWindow, false);
  // A window opened maximised has its size only now: the position was cut to the normal size.
  if (WindowState(kMainWindow) == static_cast<std::int32_t>(kWindowMaximized)) {
    ResizeSplitterToMainWindow();
    PlaceSplitter(gui, GetRebarHeight(kMainRebar));
  }
}

void DisableGadgetTheme(int gadget) {
  const HMODULE library = LoadLibraryW(L"UxTheme.dll");
  if (library == nullptr) return;
  using SetThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
  const auto setTheme = reinterpret_cast<SetThemeProc>(reinterpret_cast<void*>(GetProcAddress(library, "SetWindowTheme")));
  if (setTheme != nullptr) setTheme(GadgetHandle(gadget), L"", L"");
  FreeLibrary(library);
}

void SetMainWindowServerControlsDisabled(bool disabled) {
  for (const int gadget : kServerGadgets) DisableGadget(gadget, disabled);
  for (const int item : kServerItems) SetMenuItemDisabled(kMenuBar, item, disabled);
}

HANDLE StoredImageHandle(int image) {
  const auto found = Gui.images.find(image);
  if (found == Gui.images.end()) return nullptr;
  if (found->second.icon != nullptr) return found->second.icon;
  return found->second.bitmap;
}
