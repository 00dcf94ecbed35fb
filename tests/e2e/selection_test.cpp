// Refreshing every second: the selection survives refreshes and a sort; a player who left is reported, not acted on.
#include <algorithm>

#include "scenario.h"

namespace e2e {
namespace {

constexpr int kPingColumn = 4, kGuidColumn = 6;

class Selection : public Scenario {
 protected:
  // Waits until `count` more player lists were asked for and the last of them was shown.
  bool WaitForRefreshes(int count) const {
    const int wanted = CountCommands("players") + count;
    const Text before = Status(2);
    return Eventually([&] { return CountCommands("players") >= wanted; }) &&
           Eventually([&] { return Status(2) != before; });
  }
  Text SelectedGuid() const { return Cell(kPlayersList, Selected(kPlayersList), kGuidColumn); }  // "" for none
  // The left button pressed and released on a column heading, as the user clicks it.
  void ClickHeading(int column) const {
    HWND list = Gadget(kPlayersList);
    int x = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0)) / 2;
    for (int c = 0; c < column; ++c) x += static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, c, 0));
    HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    PostMessageW(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    PostMessageW(header, WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
};

TEST_F(Selection, TheSelectedPlayerStaysSelectedAndActionsOnAPlayerWhoLeftSaySo) {
  StartProgram("[General]\r\nAutoRefreshEnable = 1\r\nAutoRefreshTime = 1\r\n");
  ASSERT_NO_FATAL_FAILURE(QuickConnect("secret"));
  Select(kPlayersList, 1);
  const Text guid = Cell(kPlayersList, 1, kGuidColumn);
  const Text name = Cell(kPlayersList, 1, 0);

  for (int refresh = 0; refresh < 5; ++refresh) {
    if (refresh >= 3) Menu(kItemRefresh);  // F5
    ASSERT_TRUE(WaitForRefreshes(1)) << refresh;
    EXPECT_EQ(SelectedGuid(), guid) << refresh;
  }

  // Two clicks on "Ping": the highest ping first (the server lists them lowest first).
  ClickHeading(kPingColumn);
  ClickHeading(kPingColumn);
  ASSERT_TRUE(Eventually([&] { return Cell(kPlayersList, 0, kPingColumn) == u"48"; }));
  ASSERT_TRUE(WaitForRefreshes(2));
  std::vector<int> pings;
  for (const Text& ping : Column(kPlayersList, kPingColumn)) pings.push_back(std::stoi(TextToUtf8(ping)));
  EXPECT_TRUE(std::is_sorted(pings.rbegin(), pings.rend()));
  EXPECT_EQ(SelectedGuid(), guid);

  // Kick right after a refresh: the dialog is for the selected player.
  ASSERT_TRUE(WaitForRefreshes(1));
  HWND kick = OpenWindow(kItemKick, u"Kick Player - " + name);
  ASSERT_NE(kick, nullptr);
  PostMessageW(kick, WM_CLOSE, 0, 0);
  ASSERT_TRUE(WaitGone(kick));

  // The player leaves: nobody is selected, and Kick, Ban and Send Message say so.
  for (const auto& player : server_.Players()) {
    if (Utf8ToText(player.Guid) == guid) server_.RemovePlayer(player.Number);
  }
  ASSERT_TRUE(WaitForRows(kPlayersList, 4));
  EXPECT_EQ(Selected(kPlayersList), -1);
  for (const int item : {kItemKick, kItemBan, kItemMessage}) {
    Menu(item);
    EXPECT_EQ(AnswerMessageBox(u"Velo 2 DUro"), u"The selected player has left the server.") << item;
  }
  EXPECT_EQ(Top([](HWND window) { return TextOf(window).starts_with(u"Kick Player - "); }), nullptr);

  // Quit while the "Set MaxPing" box waits for an answer: it goes unanswered, nothing is sent.
  HWND maxPing = OpenWindow(kItemSetMaxPing, u"Set MaxPing");
  ASSERT_NE(maxPing, nullptr);
  SetText(Control(maxPing, kRequesterField), u"300");
  Quit(kWaitMs);
  EXPECT_EQ(CountCommands("maxping 300"), 0);
}

}  // namespace
}  // namespace e2e
