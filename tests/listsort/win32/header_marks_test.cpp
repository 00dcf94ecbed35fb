#include "list_sort_fixture.h"

#include "../../veloui/foundation/dib_canvas.h"
#include "listsort/core/arrow_bitmaps.h"

namespace {

constexpr int kSortFlags = HDF_SORTUP | HDF_SORTDOWN;

}  // namespace

// The arrows stay in the header after the list gets row images (usually in a refill, while suspended).
TEST_F(ListSortTest, ImageArrowsMarkTheSortedColumnAndStayInTheHeader) {
  ASSERT_EQ(SetThemedSortDrawing(0), 0);
  Register(SortIndicator::HeaderArrow);
  HIMAGELIST arrows = Header_GetImageList(window_->header());
  ASSERT_NE(arrows, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(arrows), 2);
  // Drawn over red, each picture shows exactly the arrow's black and white pixels.
  for (const int index : {0, 1}) {
    DibCanvas canvas(kArrowSide, kArrowSide, 0x00FF0000);
    ImageList_Draw(arrows, index, canvas.Dc(), 0, 0, ILD_NORMAL);
    const auto direction = index == 0 ? ArrowDirection::Ascending : ArrowDirection::Descending;
    for (int y = 0; y < kArrowSide; ++y) {
      for (int x = 0; x < kArrowSide; ++x) {
        EXPECT_EQ(canvas.Pixel(x, y), ArrowPixelIsBlack(direction, x, y) ? 0u : 0xFFFFFFu) << index << ": " << x << "," << y;
      }
    }
  }

  HIMAGELIST rowImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  ImageList_ReplaceIcon(rowImages, -1, LoadIconW(nullptr, IDI_APPLICATION));
  SetListSortSuspended(true);
  ListView_SetImageList(window_->list(), rowImages, LVSIL_SMALL);
  SetListSortSuspended(false);
  EXPECT_EQ(Header_GetImageList(window_->header()), arrows);

  window_->ClickHeader(1);
  EXPECT_EQ(window_->HeaderFormat(1) & (HDF_IMAGE | HDF_STRING), HDF_IMAGE | HDF_STRING);
  EXPECT_EQ(window_->HeaderImage(1), 0);
  EXPECT_EQ(window_->HeaderFormat(1) & (kSortFlags | HDF_BITMAP_ON_RIGHT), 0);
  window_->ClickHeader(1);
  EXPECT_NE(window_->HeaderFormat(1) & HDF_IMAGE, 0);
  EXPECT_EQ(window_->HeaderImage(1), 1);
  window_->ClickHeader(0);
  EXPECT_EQ(window_->HeaderFormat(1) & HDF_IMAGE, 0);
  EXPECT_NE(window_->HeaderFormat(0) & HDF_IMAGE, 0);
  EXPECT_EQ(window_->HeaderImage(0), 0);
  EXPECT_NE(window_->HeaderFormat(1) & HDF_STRING, 0);
  EXPECT_EQ(window_->HeaderText(1), u"Score");
  EXPECT_EQ(window_->HeaderText(0), u"Name");
  ListView_SetImageList(window_->list(), nullptr, LVSIL_SMALL);
  ImageList_Destroy(rowImages);

  // An emptied list shows no arrow, and sorting it changes nothing; the next click goes on.
  window_->DeleteAllRows();
  EXPECT_EQ(SortListByColumn(kListGadget, 0, 1), SortResult::Done);
  EXPECT_EQ(window_->HeaderFormat(0) & (HDF_IMAGE | kSortFlags), 0);
  EXPECT_EQ(window_->HeaderText(0), u"Name");
  EXPECT_EQ(GetSortedColumn(kListGadget), -1);
  EXPECT_EQ(GetSortDirection(kListGadget), 0);
  window_->AddRows({{u"x", u"5", u"1"}, {u"z", u"7", u"2"}, {u"y", u"6", u"3"}});
  window_->ClickHeader(0);
  EXPECT_EQ(Names(), (std::vector<Text>{u"z", u"y", u"x"}));
  EXPECT_EQ(GetSortDirection(kListGadget), -1);
  EXPECT_EQ(window_->HeaderImage(0), 1);
}

TEST_F(ListSortTest, OtherIndicatorsMarkTheHeadingOrNothing) {
  constexpr int kMarks = HDF_IMAGE | HDF_BITMAP_ON_RIGHT | kSortFlags;
  const struct {
    SortIndicator Indicator;
    int Themed, Up, Down;  // Up and Down: the header format's mark bits
    const char16_t* UpText;
    const char16_t* DownText;
  } cases[] = {{SortIndicator::None, 0, 0, 0, u"Score", u"Score"},
               {SortIndicator::TextMarks, 0, 0, 0, u"\u00AB Score \u00BB", u"\u00BB Score \u00AB"},
               {SortIndicator::ArrowBesideText, 0, HDF_IMAGE | HDF_BITMAP_ON_RIGHT, HDF_IMAGE | HDF_BITMAP_ON_RIGHT, u"Score", u"Score"},
               {SortIndicator::HeaderArrow, 1, HDF_SORTUP, HDF_SORTDOWN, u"Score", u"Score"}};
  for (const auto& c : cases) {
    if (SetThemedSortDrawing(c.Themed) != c.Themed) GTEST_SKIP() << "visual themes are not active here";
    NewWindow();
    Register(c.Indicator);
    window_->ClickHeader(1);
    EXPECT_EQ(Scores(), kScoresUp);
    EXPECT_EQ(window_->HeaderFormat(1) & (kMarks | HDF_STRING), c.Up | HDF_STRING);
    EXPECT_EQ(window_->HeaderText(1), c.UpText);
    window_->ClickHeader(1);
    EXPECT_EQ(Scores(), kScoresDown);
    EXPECT_EQ(window_->HeaderFormat(1) & kMarks, c.Down);
    EXPECT_EQ(window_->HeaderText(1), c.DownText);
    window_->ClickHeader(0);
    EXPECT_EQ(window_->HeaderText(1), u"Score");
    EXPECT_EQ(window_->HeaderFormat(1) & (HDF_IMAGE | kSortFlags), 0);
    EXPECT_EQ(window_->HeaderFormat(0) & kMarks, c.Up);
  }
}

// Only the maximise/restore change (0x8020) scrolls a list back to the top left; a hidden list stays hidden.
TEST_F(ListSortTest, MaximisingPutsScrolledListsBackAtTheTopLeft) {
  HWND list = window_->list();
  for (int row = 0; row < 100; ++row) window_->AddRows({{u"row", DecimalText(row), u"0"}});
  for (int column = 0; column < 3; ++column) ListView_SetColumnWidth(list, column, 400);
  Register(SortIndicator::HeaderArrow);
  ListView_EnsureVisible(list, 99, FALSE);
  ListView_Scroll(list, 300, 0);
  const auto positionChange = [&](UINT flags) {
    WINDOWPOS position{};
    position.hwnd = window_->top();
    position.flags = flags;
    SendMessageW(window_->top(), WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&position));
  };
  const int vertical = GetScrollPos(list, SB_VERT);
  ASSERT_GT(vertical, 0);
  ASSERT_GT(GetScrollPos(list, SB_HORZ), 0);
  ASSERT_GT(ListView_GetTopIndex(list), 0);
  positionChange(0x0020);
  positionChange(0x8021);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), vertical);
  EXPECT_GT(ListView_GetTopIndex(list), 0);
  positionChange(0x8020);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), 0);
  EXPECT_EQ(GetScrollPos(list, SB_HORZ), 0);
  EXPECT_EQ(ListView_GetTopIndex(list), 0);
  EXPECT_NE(GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE, 0);
  ListView_Scroll(list, 0, 300);
  ASSERT_GT(GetScrollPos(list, SB_VERT), 0);
  ShowWindow(list, SW_HIDE);
  positionChange(0x8020);
  EXPECT_EQ(GetScrollPos(list, SB_VERT), 0);
  EXPECT_EQ(GetWindowLongW(list, GWL_STYLE) & WS_VISIBLE, 0);
}
