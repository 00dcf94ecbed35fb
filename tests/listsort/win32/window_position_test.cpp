#include "list_sort_fixture.h"

namespace {

// What a window receives when it is maximised or restored.
void SendPositionChange(HWND top, UINT flags) {
  WINDOWPOS position{};
  position.hwnd = top;
  position.flags = flags;
  SendMessageW(top, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
}

class ScrolledListTest : public ListSortTest {
 protected:
  void SetUp() override {
    ListSortTest::SetUp();
    for (int row = 0; row < 100; ++row) window_.AddRow({u"row", DecimalText(row), u"0"});
    for (int column = 0; column < 3; ++column) {
      SendMessageW(window_.list(), LVM_SETCOLUMNWIDTH, column, 400);
    }
    Register(2);
    SendMessageW(window_.list(), LVM_ENSUREVISIBLE, 99, FALSE);
    SendMessageW(window_.list(), LVM_SCROLL, 300, 0);
  }
  int TopRow() const { return static_cast<int>(SendMessageW(window_.list(), LVM_GETTOPINDEX, 0, 0)); }
};

}  // namespace

// Only the maximise/restore change (0x8020) scrolls back, and a hidden list stays hidden.
TEST_F(ScrolledListTest, MaximisingPutsScrolledListsBackAtTheTopLeft) {
  const int vertical = GetScrollPos(window_.list(), SB_VERT);
  ASSERT_GT(vertical, 0);
  ASSERT_GT(GetScrollPos(window_.list(), SB_HORZ), 0);
  ASSERT_GT(TopRow(), 0);
  SendPositionChange(window_.top(), 0x0020);
  SendPositionChange(window_.top(), 0x8021);
  EXPECT_EQ(GetScrollPos(window_.list(), SB_VERT), vertical);
  EXPECT_GT(TopRow(), 0);
  SendPositionChange(window_.top(), 0x8020);
  EXPECT_EQ(GetScrollPos(window_.list(), SB_VERT), 0);
  EXPECT_EQ(GetScrollPos(window_.list(), SB_HORZ), 0);
  EXPECT_EQ(TopRow(), 0);
  EXPECT_NE(GetWindowLongW(window_.list(), GWL_STYLE) & WS_VISIBLE, 0);
  SendMessageW(window_.list(), LVM_SCROLL, 0, 300);
  ASSERT_GT(GetScrollPos(window_.list(), SB_VERT), 0);
  ShowWindow(window_.list(), SW_HIDE);
  SendPositionChange(window_.top(), 0x8020);
  EXPECT_EQ(GetScrollPos(window_.list(), SB_VERT), 0);
  EXPECT_EQ(GetWindowLongW(window_.list(), GWL_STYLE) & WS_VISIBLE, 0);
}
