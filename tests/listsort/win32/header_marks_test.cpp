#include "list_sort_fixture.h"

#include "../../veloui/foundation/dib_canvas.h"
#include "listsort/core/arrow_bitmaps.h"

namespace {

constexpr int kSortFlags = HDF_SORTUP | HDF_SORTDOWN;

HIMAGELIST HeaderImages(HWND header) {
  return reinterpret_cast<HIMAGELIST>(SendMessageW(header, HDM_GETIMAGELIST, 0, 0));
}

// Draws image `index` of the list over a red background and reads it back as X (black),
// . (white) and ? (anything else, such as the red showing through).
std::vector<std::string> DrawnImage(HIMAGELIST images, int index) {
  DibCanvas canvas(kArrowSide, kArrowSide, 0x00FF0000);
  ImageList_Draw(images, index, canvas.Dc(), 0, 0, ILD_NORMAL);
  std::vector<std::string> rows(kArrowSide);
  for (int y = 0; y < kArrowSide; ++y) {
    for (int x = 0; x < kArrowSide; ++x) {
      const std::uint32_t colour = canvas.Pixel(x, y);
      rows[y] += colour == 0 ? 'X' : colour == 0xFFFFFF ? '.' : '?';
    }
  }
  return rows;
}

}  // namespace

TEST_F(ListSortTest, ImageArrowsMarkTheSortedColumn) {
  ASSERT_EQ(SetThemedSortDrawing(0), 0);
  Register(2);
  window_.ClickHeader(1);
  EXPECT_EQ(window_.HeaderFormat(1) & (HDF_IMAGE | HDF_STRING), HDF_IMAGE | HDF_STRING);
  EXPECT_EQ(window_.HeaderImage(1), 0);
  EXPECT_EQ(window_.HeaderFormat(1) & (kSortFlags | HDF_BITMAP_ON_RIGHT), 0);
  window_.ClickHeader(1);
  EXPECT_NE(window_.HeaderFormat(1) & HDF_IMAGE, 0);
  EXPECT_EQ(window_.HeaderImage(1), 1);
  window_.ClickHeader(0);
  EXPECT_EQ(window_.HeaderFormat(1) & HDF_IMAGE, 0);
  EXPECT_NE(window_.HeaderFormat(0) & HDF_IMAGE, 0);
  EXPECT_EQ(window_.HeaderImage(0), 0);
  // The column that lost its arrow keeps its heading.
  EXPECT_NE(window_.HeaderFormat(1) & HDF_STRING, 0);
  EXPECT_EQ(window_.HeaderText(1), u"Score");
  EXPECT_EQ(window_.HeaderText(0), u"Name");
}

TEST_F(ListSortTest, OptionThreePutsTheArrowOnTheRight) {
  SetThemedSortDrawing(0);
  Register(3);
  window_.ClickHeader(2);
  EXPECT_EQ(window_.HeaderFormat(2) & (HDF_IMAGE | HDF_BITMAP_ON_RIGHT), HDF_IMAGE | HDF_BITMAP_ON_RIGHT);
  EXPECT_EQ(window_.HeaderImage(2), 0);
}

TEST_F(ListSortTest, OptionZeroMarksNothing) {
  SetThemedSortDrawing(0);
  Register(0);
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), kScoresUp);
  EXPECT_EQ(window_.HeaderFormat(1) & (HDF_IMAGE | kSortFlags), 0);
  EXPECT_EQ(window_.HeaderText(1), u"Score");
}

TEST_F(ListSortTest, HeaderHoldsTheTwoArrowPictures) {
  SetThemedSortDrawing(0);
  Register(2);
  HIMAGELIST images = HeaderImages(window_.header());
  ASSERT_NE(images, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(images), 2);
  int width = 0;
  int height = 0;
  ImageList_GetIconSize(images, &width, &height);
  EXPECT_EQ(width, 12);
  EXPECT_EQ(height, 12);
  const std::vector<std::string> up = DrawnImage(images, 0);
  const std::vector<std::string> down = DrawnImage(images, 1);
  EXPECT_EQ(up[3], "X...XXXX...X");
  EXPECT_EQ(up[8], "X....XX....X");
  EXPECT_EQ(down[3], "X....XX....X");
  EXPECT_EQ(down[8], "X...XXXX...X");
}

TEST_F(ListSortTest, ThemedArrowsUseTheHeaderSortFlags) {
  if (SetThemedSortDrawing(1) != 1) GTEST_SKIP() << "visual themes are not active here";
  Register(2);
  window_.ClickHeader(1);
  EXPECT_EQ(window_.HeaderFormat(1) & (kSortFlags | HDF_IMAGE | HDF_STRING), HDF_SORTUP | HDF_STRING);
  window_.ClickHeader(1);
  EXPECT_EQ(window_.HeaderFormat(1) & (kSortFlags | HDF_IMAGE), HDF_SORTDOWN);
  EXPECT_EQ(Scores(), kScoresDown);
  window_.ClickHeader(0);
  EXPECT_EQ(window_.HeaderFormat(1) & (kSortFlags | HDF_IMAGE), 0);
  EXPECT_EQ(window_.HeaderFormat(0) & kSortFlags, HDF_SORTUP);
  EXPECT_EQ(window_.HeaderText(1), u"Score");
}

TEST_F(ListSortTest, TextMarksSurroundTheHeading) {
  Register(1);
  window_.ClickHeader(0);
  EXPECT_EQ(window_.HeaderText(0), u"\u00AB Name \u00BB");
  window_.ClickHeader(0);
  EXPECT_EQ(window_.HeaderText(0), u"\u00BB Name \u00AB");
  window_.ClickHeader(1);
  EXPECT_EQ(window_.HeaderText(0), u"Name");
  EXPECT_EQ(window_.HeaderText(1), u"\u00AB Score \u00BB");
  EXPECT_EQ(window_.HeaderFormat(1) & (HDF_IMAGE | kSortFlags), 0);
}

TEST_F(ListSortTest, AnEmptyListShowsNoArrowAndSortingItChangesNothing) {
  SetThemedSortDrawing(0);
  Register(2);
  window_.ClickHeader(1);
  window_.DeleteAllRows();
  EXPECT_EQ(SortListByColumn(kListGadget, 1, 1), SortResult::Done);
  EXPECT_EQ(window_.HeaderFormat(1) & (HDF_IMAGE | kSortFlags), 0);
  EXPECT_EQ(window_.HeaderText(1), u"Score");
  EXPECT_EQ(GetSortedColumn(kListGadget), -1);
  EXPECT_EQ(GetSortDirection(kListGadget), 0);
  window_.AddRows({{u"x", u"5", u"1"}, {u"y", u"7", u"2"}, {u"z", u"6", u"3"}});
  window_.ClickHeader(1);
  EXPECT_EQ(Scores(), (std::vector<Text>{u"7", u"6", u"5"}));
  EXPECT_EQ(GetSortDirection(kListGadget), -1);
  EXPECT_EQ(window_.HeaderImage(1), 1);
}

TEST_F(ListSortTest, RowImagesDoNotReplaceTheArrows) {
  SetThemedSortDrawing(0);
  Register(2);
  HIMAGELIST arrows = HeaderImages(window_.header());
  HIMAGELIST rowImages = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1);
  ImageList_ReplaceIcon(rowImages, -1, LoadIconW(nullptr, IDI_APPLICATION));
  // The first rows with images usually come with a refill, while sorting is suspended.
  SetListSortSuspended(true);
  SendMessageW(window_.list(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(rowImages));
  SetListSortSuspended(false);
  EXPECT_EQ(HeaderImages(window_.header()), arrows);
  window_.ClickHeader(1);
  EXPECT_EQ(window_.HeaderImage(1), 0);
  SendMessageW(window_.list(), LVM_SETIMAGELIST, LVSIL_SMALL, 0);
  ImageList_Destroy(rowImages);
}
