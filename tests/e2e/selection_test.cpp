// With a refresh every second: the selected player stays selected through automatic and F5
// refreshes and a sort, the pop-up's Kick acts on that player, a player who left is reported
// instead of a dialog for nobody; quitting with the "Set MaxPing" box open ends at once.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "scenario.h"

namespace e2e {
namespace {

constexpr char kSettings[] = "[General]\r\nAutoRefreshEnable = 1\r\nAutoRefreshTime = 1\r\n";
constexpr int kPingColumn = 4;
constexpr int kGuidColumn = 6;

class Selection : public Scenario {
 protected:
  int PlayerRequests() const {
    const auto commands = server_.Commands();
    return static_cast<int>(std::count(commands.begin(), commands.end(), "players"));
  }
  // Waits until `count` more player lists were asked for and the last of them was shown.
  bool WaitForRefreshes(int count) const {
    const int wanted = PlayerRequests() + count;
    const Text before = Probe().StatusField(StatusBar(), 2);
    return WaitFor([&] { return PlayerRequests() >= wanted; }, kWaitMs) &&
           WaitFor([&] { return Probe().StatusField(StatusBar(), 2) != before; }, kWaitMs);
  }
  Text SelectedGuid() const {
    const int row = Probe().ListSelection(MainControl(kPlayersList));
    return row < 0 ? Text(u"(none)") : Probe().ListCell(MainControl(kPlayersList), row, kGuidColumn);
  }
  // The left button pressed and released on a column heading, as the user clicks it.
  void ClickHeading(int column) const {
    HWND list = MainControl(kPlayersList);
    int x = 0;
    for (int c = 0; c < column; ++c) x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2;
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
};

TEST_F(Selection, TheSelectedPlayerStaysSelectedAndActionsOnAPlayerWhoLeftSaySo) {
  StartProgram(kSettings);
  QuickConnect("secret");
  ASSERT_TRUE(WaitFor([&] { return Connected(); }, kWaitMs));
  ASSERT_TRUE(WaitForRows(kPlayersList, 5));
  Select(kPlayersList, 1);
  const Text guid = Probe().ListCell(MainControl(kPlayersList), 1, kGuidColumn);
  const Text name = Probe().ListCell(MainControl(kPlayersList), 1, 0);

  for (int refresh = 0; refresh < 5; ++refresh) {
    if (refresh >= 3) Menu(13);  // F5
    ASSERT_TRUE(WaitForRefreshes(1)) << refresh;
    EXPECT_EQ(SelectedGuid(), guid) << refresh;
  }

  // Two clicks on "Ping": the highest ping first (the server lists them lowest first).
  ClickHeading(kPingColumn);
  ClickHeading(kPingColumn);
  ASSERT_TRUE(WaitFor([&] { return Probe().ListCell(MainControl(kPlayersList), 0, kPingColumn) == u"48"; }, kWaitMs));
  ASSERT_TRUE(WaitForRefreshes(2));
  std::vector<int> pings;
  for (const Text& ping : Probe().ListColumn(MainControl(kPlayersList), kPingColumn)) pings.push_back(std::stoi(ToUtf8(ping)));
  EXPECT_TRUE(std::is_sorted(pings.rbegin(), pings.rend()));
  EXPECT_EQ(SelectedGuid(), guid);

  // Kick right after a refresh: the dialog is for the selected player.
  ASSERT_TRUE(WaitForRefreshes(1));
  Menu(3);
  HWND kick = WaitForWindow(u"Kick Player - " + name);
  ASSERT_NE(kick, nullptr);
  PostMessageW(kick, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitGone(kick));

  // The player leaves: nobody is selected, and Kick, Ban and Send Message say so.
  for (const auto& player : server_.Players()) {
    if (Utf8ToText(player.Guid) == guid) server_.RemovePlayer(player.Number);
  }
  ASSERT_TRUE(WaitForRows(kPlayersList, 4));
  EXPECT_EQ(Probe().ListSelection(MainControl(kPlayersList)), -1);
  for (const int item : {3, 4, 37}) {
    Menu(item);
    EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"The selected player has left the server.") << item;
  }
  EXPECT_EQ(Probe().FindByTitle(u"Kick Player - "), nullptr);

  // Quit while the "Set MaxPing" box waits for an answer: it goes unanswered, nothing is sent.
  Menu(12);
  HWND maxPing = WaitForWindow(u"Set MaxPing");
  ASSERT_NE(maxPing, nullptr);
  WindowProbe::SetText(WindowProbe::Control(maxPing, kRequesterField), u"300");
  Menu(8);
  DWORD exitCode = 1;
  ASSERT_TRUE(program_.WaitForExit(kWaitMs, exitCode));
  EXPECT_EQ(exitCode, 0u);
  for (const std::string& command : server_.Commands()) EXPECT_NE(command, "maxping 300");
}

}  // namespace
}  // namespace e2e
