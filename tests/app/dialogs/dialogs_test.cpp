// The dialogs as their windows really are, and what their buttons put into the mailbox.
#include "app/dialogs.h"

#include <gtest/gtest.h>

#include "app/connect_window.h"
#include "app/gadget_ids.h"
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
};

// Cutting the reason, defaulting the days and the minutes are tested without a window
// (app_logic_tests) and typed into the real dialogs end to end (e2e_tests).
TEST_F(Dialogs, AddBanOffersItsButtonOnlyForATargetAndAnEmptyOneSendsNothing) {
  OpenAddBanDialog();
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kAddBanButton)));
  const struct {
    const char16_t* target;
    bool offered;
  } kTargets[] = {{u"", false}, {u"   ", false}, {u" 0123456789abcdef", true}, {u"", false}};
  for (const auto& t : kTargets) {
    SetGadgetText(kAddBanTargetField, t.target);
    HandleAddBanDialogGadget(kAddBanTargetField);
    EXPECT_EQ(IsWindowEnabled(GadgetHandle(kAddBanButton)) != FALSE, t.offered) << TextToUtf8(t.target);
  }
  HandleAddBanDialogGadget(kAddBanButton);  // as a click that reaches the disabled button
  EXPECT_EQ(PeekPendingCommand(), kCommandNone);
  EXPECT_TRUE(IsWindowNumber(kAddBanDialog));
  // Permanent, whatever the days field holds.
  SetGadgetText(kAddBanTargetField, u"192.0.2.7");
  SetGadgetText(kAddBanDaysField, u"5");
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_EQ(TakePendingCommand().Parameters.BanMinutes, 0);
}

TEST_F(Dialogs, AHugeNumberOfDaysNeverBecomesAPermanentBan) {
  OpenAddBanDialog();
  SetGadgetText(kAddBanTargetField, u"192.0.2.8");
  SetGadgetState(kAddBanForOption, 1);
  SetGadgetText(kAddBanDaysField, u"2982616");  // 2^32 minutes
  HandleAddBanDialogGadget(kAddBanButton);
  EXPECT_EQ(TakePendingCommand().Parameters.BanMinutes, 2147483647);
}

TEST_F(Dialogs, KickingAPlayerWhoCannotBeFoundDisablesTheButtonAndKeepsTheDialog) {
  OpenKickDialog();
  ASSERT_TRUE(IsWindowNumber(kKickDialog));
  EXPECT_EQ(WindowTitle(kKickDialog), u"Kick Player - Alice");
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
