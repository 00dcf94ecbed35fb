#pragma once
// Where the parts of a toolbar button go when the toolkit paints the button itself: the
// image, the text and the drop-down arrow with its split line, laid out as the system lays
// out its own buttons, so that none of them covers another. Pure geometry in the toolbar's
// co-ordinates.

struct ButtonBox {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Empty() const { return Right <= Left || Bottom <= Top; }
};

// BTNS_DROPDOWN: the arrow has a part of its own, split from the button by a line;
// BTNS_WHOLEDROPDOWN: the arrow belongs to the whole button.
enum class ButtonArrow { None, Split, Whole };

struct ButtonLayoutRequest {
  ButtonBox Button;
  bool ListStyle = false;  // text beside the image (TBSTYLE_LIST), else below it
  int ImageWidth = 0;      // 0: no image
  int ImageHeight = 0;
  int TextWidth = 0;       // 0: no text
  int TextHeight = 0;
  ButtonArrow Arrow = ButtonArrow::None;
};

struct ButtonLayout {
  ButtonBox Image;          // empty: no image
  ButtonBox Text;           // empty: no text; never overlaps the image or the arrow
  bool TextCentred = true;  // else left-aligned beside the image
  ButtonBox Arrow;          // empty: no arrow
  int SplitX = -1;          // the column of the split line; -1: none
};

// The arrow's part of a drop-down button, as wide as the system makes it.
constexpr int kDropDownArrowWidth = 11;

ButtonLayout LayOutToolbarButton(const ButtonLayoutRequest& request);

// The rows of the small down-pointing arrow drawn in `arrow`: row k runs from Left + k to
// Right - k (exclusive) at Top + k; three rows, five pixels wide at the top, centred.
struct ArrowRow {
  int Left = 0;
  int Right = 0;
  int Y = 0;
};
struct ArrowRows {
  ArrowRow Rows[3];
};
ArrowRows DropDownArrowRows(const ButtonBox& arrow);
