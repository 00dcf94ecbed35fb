// The Connect window and the dialogs, and what their buttons put into the mailbox or "favs.dat".
#include <algorithm>

#include "app/connect_window.h"
#include "app/dialogs.h"
#include "app/player_actions.h"
#include "main_window_fixture.h"
#include "rcon_test_server.h"
#include "velorcon/connect.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

class Dialogs : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    AddGadgetItem(kPlayersList, -1, u"Alice\n?\n?\n?\n50\n192.0.2.1\n0123456789abcdef0123456789abcdef");
    SetGadgetState(kPlayersList, 0);
  }
  void TearDown() override {
    MainWindowTest::TearDown();
    ResetRconState();
    server_.Stop();
  }
  // Connected as Quick Connect connects, to a server whose player list is these players; the replies to the
  // connect wait in the socket until the fetch of a kick or ban reads them.
  void ConnectWithPlayers(const std::vector<rcon_test_server::FakePlayer>& players) {
    ASSERT_TRUE(server_.Start());
    server_.SetReply("players", rcon_test_server::PlayersText(players, true));
    SetServerTarget(u"127.0.0.1", server_.Port(), u"secret");
    ConnectToServer(1);
    RconLockGuard guard;
    ASSERT_TRUE(Rcon.Connected);
  }

  rcon_test_server::RconTestServer server_;
};

// Cut reasons and default days are tested natively and typed into the real dialogs end to end.
TEST_F(Dialogs, AddBanOffersItsButtonOnlyForATargetAndAnEmptyOneSendsNothing) {
  ASSERT_NO_FATAL_FAILURE(ConnectWithPlayers({}));
  OpenAddBanDialog();
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kAddBanButton)));
  const std::pair<const char16_t*, bool> kTargets[] = {{u"", false}, {u"   ", false}, {u" 0123456789abcdef", true},
                                                       {u"", false}};
  for (const auto& [target, offered] : kTargets) {
    SetGadgetText(kAddBanTargetField, target);
    HandleAddBanDialogGadget(kAddBanTargetField);
    EXPECT_EQ(IsWindowEnabled(GadgetHandle(kAddBanButton)) != FALSE, offered) << TextToUtf8(target);
  }
  HandleAddBanDialogGadget(kAddBanButton);  // as a click that reaches the disabled button
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
  EXPECT_TRUE(IsWindowNumber(kAddBanDialog));
  // Permanent, whatever the days field holds.
  SetGadgetText(kAddBanTargetField, u"192.0.2.7");
  SetGadgetText(kAddBanDaysField, u"5");
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_EQ(TakePendingCommand().Parameters.BanMinutes, 0);
  // A huge number of days never becomes a permanent ban.
  OpenAddBanDialog();
  SetGadgetText(kAddBanTargetField, u"192.0.2.8");
  SetGadgetState(kAddBanForOption, 1);
  SetGadgetText(kAddBanDaysField, u"2982616");  // 2^32 minutes
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_EQ(TakePendingCommand().Parameters.BanMinutes, 2147483647);
}

// Kick: no player list holds Alice's GUID. Ban: the list was emptied, and a GUID-less record must not match.
TEST_F(Dialogs, KickingOrBanningAPlayerWhoCannotBeFoundDisablesTheButtonAndKeepsTheDialog) {
  ASSERT_NO_FATAL_FAILURE(ConnectWithPlayers({{7, "192.0.2.7:2304", 20, "", "", ""}}));
  OpenKickDialog();
  EXPECT_EQ(WindowTitle(kKickDialog), u"Kick Player - Alice");
  HandleKickDialogGadget(kKickButton);
  EXPECT_TRUE(IsWindowNumber(kKickDialog));
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kKickButton)));
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
  HandleKickDialogGadget(kKickCancelButton);

  {
    RconLockGuard guard;
    ASSERT_EQ(Rcon.PlayerRecords.size(), 1u);
    EXPECT_EQ(Rcon.PlayerRecords[0].GUID, u"") << "the fetch gave the GUID-less record";
  }
  OpenBanDialog();
  ClearGadgetItems(kPlayersList);
  HandleBanDialogGadget(kBanButton);
  EXPECT_TRUE(IsWindowNumber(kBanDialog));
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kBanButton)));
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
}

// A player who joined twice is listed twice under one GUID: the row the user chose goes, the other stays.
TEST_F(Dialogs, KickAndBanRemoveTheSelectedRowNotTheFirstWithItsGuid) {
  ASSERT_NO_FATAL_FAILURE(ConnectWithPlayers({{3, "192.0.2.1:2304", 50, "0123456789abcdef0123456789abcdef", "", "Alice"}}));
  for (const bool kick : {true, false}) {
    SCOPED_TRACE(kick);
    ClearGadgetItems(kPlayersList);
    AddGadgetItem(kPlayersList, -1, u"Alice\n?\n?\n?\n50\n192.0.2.1\n0123456789abcdef0123456789abcdef");
    AddGadgetItem(kPlayersList, -1, u"Alice (2)\n?\n?\n?\n60\n192.0.2.2\n0123456789abcdef0123456789abcdef");
    SetGadgetState(kPlayersList, 1);
    if (kick) {
      OpenKickDialog();
      HandleKickDialogGadget(kKickButton);
    } else {
      OpenBanDialog();
      HandleBanDialogGadget(kBanButton);
    }
    const QueuedCommand queued = TakePendingCommand();
    EXPECT_EQ(queued.PendingCommand, kick ? kCommandKick : kCommandBan);
    EXPECT_EQ(queued.Parameters.CommandTarget, 3);
    ASSERT_EQ(CountGadgetItems(kPlayersList), 1);
    EXPECT_EQ(GadgetItemText(kPlayersList, 0, 0), u"Alice");
  }
}

int LoggedNotConnected() {
  int count = 0;
  for (int line = 0; line < CountGadgetItems(kLogList); ++line) count += GadgetItemText(kLogList, line) == u"[Not connected to a server.]";
  return count;
}

// Without a server nothing is queued (the next connect would only drop it): the typed message and the dialogs stay,
// and each try says why in the log. Connected, the same actions go through.
TEST_F(Dialogs, WithoutAServerReturnKeepsTheMessageAndKickBanAndAddBanStayOpen) {
  SetGadgetText(kMessageField, u"hello");
  BroadcastFromMessageField();
  EXPECT_EQ(GadgetText(kMessageField), u"hello");
  EXPECT_EQ(LoggedNotConnected(), 1);
  OpenAddBanDialog();
  SetGadgetText(kAddBanTargetField, u"192.0.2.9");
  HandleAddBanDialogGadget(kAddBanTargetField);
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_TRUE(IsWindowNumber(kAddBanDialog));
  EXPECT_EQ(LoggedNotConnected(), 2);
  HandleAddBanDialogGadget(kAddBanCancelButton);
  OpenKickDialog();
  HandleKickDialogGadget(kKickButton);
  EXPECT_TRUE(IsWindowNumber(kKickDialog));
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kKickButton))) << "nothing says the player left";
  HandleKickDialogGadget(kKickCancelButton);
  OpenBanDialog();
  HandleBanDialogGadget(kBanButton);
  EXPECT_TRUE(IsWindowNumber(kBanDialog));
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kBanButton)));
  HandleBanDialogGadget(kBanCancelButton);
  EXPECT_EQ(LoggedNotConnected(), 4);
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);

  ASSERT_NO_FATAL_FAILURE(ConnectWithPlayers({}));
  BroadcastFromMessageField();
  EXPECT_EQ(GadgetText(kMessageField), u"");
  const QueuedCommand message = TakePendingCommand();
  EXPECT_EQ(message.PendingCommand, kCommandSayToAll);
  EXPECT_EQ(message.Parameters.BroadcastText, u"hello");
  OpenAddBanDialog();
  SetGadgetText(kAddBanTargetField, u"192.0.2.9");
  HandleAddBanDialogGadget(kAddBanTargetField);
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_FALSE(IsWindowNumber(kAddBanDialog));
  EXPECT_EQ(TakePendingCommand().Parameters.BanTarget, u"192.0.2.9");
  EXPECT_EQ(LoggedNotConnected(), 4);
}

TEST_F(Dialogs, QuickConnectFillsTheFormFromTheFirstFavouriteAtEveryOpening) {
  Favorites.FavoriteList = {{u"Home", u"home.example", 2302, u"pw1"}, {u"Clan", u"clan.example", 2402, u"pw2"}};
  for (int opening = 0; opening < 2; ++opening) {
    OpenQuickConnectDialog();
    ASSERT_EQ(CountGadgetItems(kQuickConnectHost), 2);
    EXPECT_EQ(GadgetItemText(kQuickConnectHost, 1), u"Clan");
    SetGadgetState(kQuickConnectHost, 0);
    HandleQuickConnectGadget(kQuickConnectHost);
    EXPECT_EQ(GadgetText(kQuickConnectHost), u"home.example") << opening;
    EXPECT_EQ(GadgetText(kQuickConnectPort), u"2302");
    EXPECT_EQ(GadgetText(kQuickConnectPassword), u"pw1");
    HandleQuickConnectGadget(kQuickCancelButton);
    EXPECT_FALSE(IsWindowNumber(kQuickConnectDialog));
    EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMainWindow)));
  }
}

BOOL CALLBACK CountFlagPictures(HWND child, LPARAM count) {
  RECT r{};
  GetWindowRect(child, &r);
  const bool icon = (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
  if (icon && r.right - r.left == 16 && r.bottom - r.top == 11) ++*reinterpret_cast<int*>(count);
  return TRUE;
}

TEST_F(Dialogs, AboutShowsTheLogoAndAPictureBesideEverySupporter) {
  OpenAboutWindow();
  int pictures = 0;
  EnumChildWindows(GadgetHandle(kAboutScrollArea), CountFlagPictures, reinterpret_cast<LPARAM>(&pictures));
  EXPECT_EQ(pictures, 28);
  HandleAboutGadget(kAboutOkButton);
  EXPECT_FALSE(IsWindowNumber(kAboutWindow));
}

BOOL CALLBACK FindSupporterText(HWND child, LPARAM found) {
  wchar_t text[16] = {};
  GetWindowTextW(child, text, 16);
  if (wcsncmp(text, L"Thanks to all", 13) == 0) *reinterpret_cast<HWND*>(found) = child;
  return TRUE;
}

BOOL CALLBACK FindFirstFlagPicture(HWND child, LPARAM found) {
  int one = 0;
  CountFlagPictures(child, reinterpret_cast<LPARAM>(&one));
  if (one == 1 && *reinterpret_cast<HWND*>(found) == nullptr) *reinterpret_cast<HWND*>(found) = child;
  return TRUE;
}

// The pixels the window shows where the picture lies, read from its surface into a memory DC.
std::vector<COLORREF> PixelsOf(HWND picture) {
  const HDC screen = GetDC(picture);
  const HDC memory = CreateCompatibleDC(screen);
  const HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 11);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, 16, 11, screen, 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < 11; ++y) {
    for (int x = 0; x < 16; ++x) pixels.push_back(GetPixel(memory, x, y));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(picture, screen);
  return pixels;
}

TEST_F(Dialogs, ARepaintOfTheSupporterTextLeavesThePicturesBesideTheNamesShown) {
  OpenAboutWindow();
  HWND text = nullptr, picture = nullptr;
  EnumChildWindows(GadgetHandle(kAboutScrollArea), FindSupporterText, reinterpret_cast<LPARAM>(&text));
  EnumChildWindows(GadgetHandle(kAboutScrollArea), FindFirstFlagPicture, reinterpret_cast<LPARAM>(&picture));
  ASSERT_NE(text, nullptr);
  ASSERT_NE(picture, nullptr);
  UpdateWindow(WindowHandle(kAboutWindow));
  Pump();
  const std::vector<COLORREF> shown = PixelsOf(picture);
  ASSERT_GT(std::ranges::count_if(shown, [&](COLORREF c) { return c != shown[0]; }), 0) << "a picture, not a plain area";
  InvalidateRect(text, nullptr, TRUE);
  UpdateWindow(text);
  EXPECT_EQ(PixelsOf(picture), shown);
  HandleAboutGadget(kAboutOkButton);
}

// The last message box's text; the hook closes each box of this thread as soon as it is activated.
Text shownMessage;
LRESULT CALLBACK CloseMessageBox(int code, WPARAM wParam, LPARAM lParam) {
  wchar_t cls[16] = {}, text[256] = {};
  const HWND box = reinterpret_cast<HWND>(wParam);
  if (code == HCBT_ACTIVATE && GetClassNameW(box, cls, 16) && lstrcmpW(cls, L"#32770") == 0) {
    GetDlgItemTextW(box, 0xFFFF, text, 256);  // the box's text
    shownMessage = FromWide(text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

using ConnectWindow = Dialogs;

TEST_F(ConnectWindow, OpensCentredOverTheMainWindowWithItsFavouritesAndDisablesItAndAddOrSaveFollowTheDescription) {
  Favorites.FavoriteList = {{u"Home", u"h", 1, u"p"}, {u"Clan", u"c", 2, u"q"}};
  SetForegroundWindow(WindowHandle(kMainWindow));
  SetActiveWindow(WindowHandle(kMainWindow));
  OpenConnectWindow();
  ASSERT_TRUE(IsWindowNumber(kConnectWindow));
  EXPECT_FALSE(IsWindowEnabled(WindowHandle(kMainWindow)));
  EXPECT_TRUE(GetWindowLongW(GadgetHandle(kPasswordField), GWL_STYLE) & ES_PASSWORD);
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kAddButton)));
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kSaveButton)));
  ASSERT_EQ(CountGadgetItems(kFavoritesTree), 2);
  EXPECT_EQ(GadgetItemText(kFavoritesTree, 1), u"Clan");
  RECT main{}, dialog{};
  GetWindowRect(WindowHandle(kMainWindow), &main);
  GetWindowRect(WindowHandle(kConnectWindow), &dialog);
  EXPECT_NEAR((dialog.left + dialog.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (main.top + main.bottom) / 2, 1);
  TakeEvents();
  // Each text typed raises the field's event, which the main loop hands to the window.
  const std::pair<const wchar_t*, bool> kTyped[] = {{L" Home ", false}, {L"home", true}};  // letter case counts
  for (const auto& [typed, add] : kTyped) {
    Type(kDescriptionField, typed);
    const auto events = TakeEvents();
    ASSERT_EQ(std::count(events.begin(), events.end(), std::pair{kEventGadget, kDescriptionField}), 1);
    HandleConnectWindowGadget(kDescriptionField, 0);
    EXPECT_EQ(IsWindowEnabled(GadgetHandle(kAddButton)) != FALSE, add);
    EXPECT_EQ(IsWindowEnabled(GadgetHandle(kSaveButton)) != FALSE, !add);
  }
  CloseConnectWindow();
  EXPECT_FALSE(IsWindowNumber(kConnectWindow));
  EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMainWindow)));
}

TEST_F(ConnectWindow, ValidationNamesTheFirstEmptyField) {
  OpenConnectWindow();
  const HHOOK hook = SetWindowsHookExW(WH_CBT, CloseMessageBox, nullptr, GetCurrentThreadId());
  const struct { const wchar_t *description, *host, *port; const char16_t* message; } cases[] = {
      {L"", L"h", L"1", u"Please enter a description."}, {L"d", L"", L"1", u"Please enter a host name."},
      {L"d", L"h", L"", u"Please enter a port."}, {L"d", L"h", L"1", u"Please enter a password."}};
  for (const auto& c : cases) {
    Type(kDescriptionField, c.description);
    Type(kHostField, c.host);
    Type(kPortField, c.port);
    shownMessage.clear();
    EXPECT_EQ(ValidateFavoriteForm(), 0);
    EXPECT_EQ(shownMessage, c.message);
  }
  UnhookWindowsHookEx(hook);
  Type(kPasswordField, L"pw");
  EXPECT_EQ(ValidateFavoriteForm(), 1);
  Type(kDescriptionField, L"   ");
  EXPECT_EQ(ValidateFavoriteForm(), 1) << "only spaces still count as text";
}

TEST_F(ConnectWindow, SaveRewritesEveryMatchAndDeleteRemovesTheSelectedOne) {
  Favorites.FavoriteList = {{u"A", u"a", 1, u"x"}, {u"B", u"b", 2, u"y"}};
  OpenConnectWindow();
  SetGadgetState(kFavoritesTree, 1);
  ShowFavoriteInForm();
  const std::pair<int, const char16_t*> kForm[] = {
      {kDescriptionField, u"B"}, {kHostField, u"b"}, {kPortField, u"2"}, {kPasswordField, u"y"}};
  for (const auto& [field, text] : kForm) EXPECT_EQ(GadgetText(field), text) << field;
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kSaveButton)));
  Type(kPortField, L"$10");
  SaveFavorite();
  EXPECT_EQ(FileBytes(AppSettings.FavoritesFilePath), "A\r\na\r\n1\r\nx\r\nB\r\nb\r\n16\r\ny\r\n");
  SetGadgetState(kFavoritesTree, 0);
  DeleteFavorite();
  EXPECT_EQ(FileBytes(AppSettings.FavoritesFilePath), "B\r\nb\r\n16\r\ny\r\n");
  ASSERT_EQ(CountGadgetItems(kFavoritesTree), 1);
  EXPECT_EQ(GadgetItemText(kFavoritesTree, 0), u"B");
}

}  // namespace
