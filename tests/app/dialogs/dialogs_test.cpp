// The dialogs as their windows really are, and what their buttons put into the mailbox.
#include "app/dialogs.h"

#include <gtest/gtest.h>

#include "app/connect_window.h"
#include "app/gadget_ids.h"
#include "app/logic/embedded_images.h"
#include "app/menu_ids.h"
#include "app/window_ids.h"
#include "app/embedded_images_store.h"
#include "app/files/favorites.h"
#include "app/player_actions.h"
#include "runtime/win32/gui.h"
#include "runtime/win32/platform/wide_text.h"
#include "velorcon/mailbox.h"
#include "velorcon/rcon_state.h"

namespace {

constexpr int kPlayersList = 9;

class Dialogs : public ::testing::Test {
 protected:
  // One main window for the suite: under a display without a window manager, each top-level
  // window takes a while to go.
  static void SetUpTestSuite() {
    LoadEmbeddedImages();
    OpenWindow(kMainWindow, 100, 80, 700, 540, u"Velo 2 DUro", kWindowTitleBar | kWindowSystemMenu);
    CreateReportList(kPlayersList, 0, 0, 600, 300, u"Name", 95, kReportFullRowSelect);
    for (const char16_t* title : {u"Score", u"Deaths", u"Team", u"Ping", u"IP", u"GUID"}) {
      AddGadgetColumn(kPlayersList, CountGadgetColumns(kPlayersList), title, 95);
    }
  }
  static void TearDownTestSuite() { FreeWindow(kMainWindow); }
  void SetUp() override {
    ResetRconState();
    ResetFavorites();
    ASSERT_TRUE(IsWindowNumber(kMainWindow));
    ClearGadgetItems(kPlayersList);
    AddGadgetItem(kPlayersList, -1, u"Alice\n?\n?\n?\n50\n192.0.2.1\n0123456789abcdef0123456789abcdef");
    SetGadgetState(kPlayersList, 0);
  }
  void TearDown() override {
    for (int window : {kBanDialog, kAboutWindow, kQuickConnectDialog, kKickDialog, kAddBanDialog}) {
      FreeWindow(window);
    }
    DisableWindow(kMainWindow, false);
    while (WindowEvent() != kEventNone) {
    }
    ClearPendingCommand();
  }
  static RECT Inner(int window) {
    RECT inner{};
    GetClientRect(WindowHandle(window), &inner);
    return inner;
  }
};

TEST_F(Dialogs, BanPlayerHasItsFieldsAndMakesTheMainWindowWait) {
  OpenBanDialog();
  ASSERT_TRUE(IsWindowNumber(kBanDialog));
  EXPECT_EQ(WindowTitle(kBanDialog), u"Ban Player - Alice");
  EXPECT_EQ(Inner(kBanDialog).right, 430);
  EXPECT_EQ(Inner(kBanDialog).bottom, 165);
  EXPECT_FALSE(IsWindowEnabled(WindowHandle(kMainWindow)));
  EXPECT_EQ(GadgetState(kBanPermanentOption), 1);
  EXPECT_EQ(GadgetState(kBanForOption), 0);
  EXPECT_EQ(GadgetText(kBanDaysField), u"7");
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kBanDaysField)));
  EXPECT_EQ(GadgetText(kBanReasonCombo), u"");
  EXPECT_EQ(CountGadgetItems(kBanReasonCombo), 3);
  EXPECT_EQ(GadgetItemText(kBanReasonCombo, 2), u"Cheating/Hacking");
  EXPECT_EQ(GadgetText(kBanButton), u"Ban player");
  EXPECT_EQ(GadgetHeight(kBanSeparator), 2);
  EXPECT_EQ(GetWindow(WindowHandle(kBanDialog), GW_OWNER), WindowHandle(kMainWindow));
  CloseBanDialog();
  EXPECT_FALSE(IsWindowNumber(kBanDialog));
  EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMainWindow)));
}

TEST_F(Dialogs, TheReasonIsCutAndTheDaysFieldNeverLeftEmptyOrZero) {
  OpenBanDialog();
  SetGadgetText(kBanReasonCombo, u"This reason is much longer than thirty-two characters");
  HandleBanDialogGadget(kBanReasonCombo);
  EXPECT_EQ(GadgetText(kBanReasonCombo), u"This reason is much longer than ");
  for (const char16_t* zero : {u"", u"0", u"00"}) {
    SetGadgetText(kBanDaysField, zero);
    HandleBanDialogGadget(kBanDaysField);
    EXPECT_EQ(GadgetText(kBanDaysField), u"7") << TextToUtf8(zero);
  }
  SetGadgetText(kBanDaysField, u"10");
  HandleBanDialogGadget(kBanDaysField);
  EXPECT_EQ(GadgetText(kBanDaysField), u"10");
  HandleBanDialogGadget(kBanForOption);
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kBanDaysField)));
  HandleBanDialogGadget(kBanPermanentOption);
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kBanDaysField)));
}

TEST_F(Dialogs, AddBanQueuesItsTargetReasonAndMinutes) {
  OpenAddBanDialog();
  ASSERT_TRUE(IsWindowNumber(kAddBanDialog));
  EXPECT_EQ(WindowTitle(kAddBanDialog), u"Add Ban");
  EXPECT_EQ(Inner(kAddBanDialog).bottom, 195);
  SetGadgetText(kAddBanReasonCombo, u"Abusive language and more");
  HandleAddBanDialogGadget(kAddBanReasonCombo);
  EXPECT_EQ(GadgetText(kAddBanReasonCombo), u"Abusive language and m");
  SetGadgetText(kAddBanTargetField, u"192.0.2.44");
  SetGadgetState(kAddBanForOption, 1);
  HandleAddBanDialogGadget(kAddBanForOption);
  SetGadgetText(kAddBanDaysField, u"3");
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_FALSE(IsWindowNumber(kAddBanDialog));
  EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMainWindow)));
  const QueuedCommand queued = TakePendingCommand();
  EXPECT_EQ(queued.PendingCommand, kCommandAddBan);
  EXPECT_EQ(queued.Parameters.BanTarget, u"192.0.2.44");
  EXPECT_EQ(queued.Parameters.CommandReason, u"Abusive language and m");
  EXPECT_EQ(queued.Parameters.BanMinutes, 4320);
}

TEST_F(Dialogs, AddBanWithAnEmptyTargetStillQueuesAndPermanentIgnoresTheDays) {
  OpenAddBanDialog();
  SetGadgetText(kAddBanDaysField, u"5");
  HandleAddBanDialogGadget(kAddBanButton);
  const QueuedCommand queued = TakePendingCommand();
  EXPECT_EQ(queued.PendingCommand, kCommandAddBan);
  EXPECT_EQ(queued.Parameters.BanTarget, u"");
  EXPECT_EQ(queued.Parameters.BanMinutes, 0);
}

TEST_F(Dialogs, AHugeNumberOfDaysNeverBecomesAPermanentBan) {
  OpenAddBanDialog();
  SetGadgetState(kAddBanForOption, 1);
  SetGadgetText(kAddBanDaysField, u"2982616");  // 2^32 minutes
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_EQ(TakePendingCommand().Parameters.BanMinutes, 2147483647);
}

TEST_F(Dialogs, KickingAPlayerWhoCannotBeFoundDisablesTheButtonAndKeepsTheDialog) {
  OpenKickDialog();
  ASSERT_TRUE(IsWindowNumber(kKickDialog));
  EXPECT_EQ(WindowTitle(kKickDialog), u"Kick Player - Alice");
  EXPECT_EQ(Inner(kKickDialog).bottom, 85);
  // Not connected: no fresh player list holds Alice's GUID.
  HandleKickDialogGadget(kKickButton);
  EXPECT_TRUE(IsWindowNumber(kKickDialog));
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kKickButton)));
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
  EXPECT_EQ(CountGadgetItems(kPlayersList), 1);
  HandleKickDialogGadget(kKickCancelButton);
  EXPECT_FALSE(IsWindowNumber(kKickDialog));
}

TEST_F(Dialogs, BanningWhenTheListWasEmptiedMeanwhileFindsNobody) {
  OpenBanDialog();
  {
    RconLockGuard guard;
    PlayerRecord nameless;  // a record without GUID must not match the empty selection
    nameless.Number = 7;
    Rcon.PlayerRecords = {nameless};
  }
  ClearGadgetItems(kPlayersList);
  HandleBanDialogGadget(kBanButton);
  EXPECT_TRUE(IsWindowNumber(kBanDialog));
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kBanButton)));
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
}

TEST_F(Dialogs, QuickConnectFillsTheFormFromTheFirstFavouriteAtEveryOpening) {
  Favorites.FavoriteList = {{u"Home", u"home.example", 2302, u"pw1"}, {u"Clan", u"clan.example", 2402, u"pw2"}};
  for (int opening = 0; opening < 2; ++opening) {
    OpenQuickConnectDialog();
    ASSERT_TRUE(IsWindowNumber(kQuickConnectDialog));
    EXPECT_EQ(WindowTitle(kQuickConnectDialog), u"Quick Connect");
    EXPECT_EQ(Inner(kQuickConnectDialog).right, 285);
    EXPECT_EQ(Inner(kQuickConnectDialog).bottom, 146);
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

TEST_F(Dialogs, AboutShowsTheLogoAndAPictureBesideEverySupporter) {
  OpenAboutWindow();
  ASSERT_TRUE(IsWindowNumber(kAboutWindow));
  EXPECT_EQ(Inner(kAboutWindow).right, 540);
  EXPECT_EQ(Inner(kAboutWindow).bottom, 340);
  EXPECT_EQ(GadgetWidth(kAboutLogo), 200);
  EXPECT_EQ(GadgetHeight(kAboutLogo), 108);
  EXPECT_EQ(GadgetText(kAboutOkButton), u"OK");
  EXPECT_EQ(GadgetText(kAboutDonateButton), u"Donate");
  int pictures = 0;
  EnumChildWindows(
      GadgetHandle(kAboutScrollArea),
      [](HWND child, LPARAM count) -> BOOL CALLBACK {
        RECT r{};
        GetWindowRect(child, &r);
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON && r.right - r.left == 16 &&
            r.bottom - r.top == 11) {
          ++*reinterpret_cast<int*>(count);
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&pictures));
  EXPECT_EQ(pictures, 28);
  HandleAboutGadget(kAboutOkButton);
  EXPECT_FALSE(IsWindowNumber(kAboutWindow));
  EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMainWindow)));
}

}  // namespace
