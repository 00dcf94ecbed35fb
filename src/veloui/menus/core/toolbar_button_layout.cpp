#include "veloui/menus/core/toolbar_button_layout.h"

#include <algorithm>

namespace {
constexpr int kInset = 3;     // between the button's edge and what it shows
constexpr int kGap = 2;       // between the image and the text below it
constexpr int kListGap = 3;   // between the image and the text beside it

int Centred(int from, int to, int size) { return from + (to - from - size) / 2; }

ButtonBox Sized(int left, int top, int width, int height) { return {left, top, left + width, top + height}; }

void LayOutBeside(const ButtonBox& content, const ButtonLayoutRequest& request, ButtonLayout& layout) {
  int textLeft = content.Left + kInset;
  if (request.ImageWidth > 0) {
    layout.Image = Sized(content.Left + kInset, Centred(content.Top, content.Bottom, request.ImageHeight),
                         request.ImageWidth, request.ImageHeight);
    textLeft = layout.Image.Right + kListGap;
    layout.TextCentred = false;
  }
  if (request.TextWidth > 0) layout.Text = {textLeft, content.Top, content.Right - kInset, content.Bottom};
}

void LayOutBelow(const ButtonBox& content, const ButtonLayoutRequest& request, ButtonLayout& layout) {
  const bool image = request.ImageWidth > 0;
  const bool text = request.TextWidth > 0;
  const int height = (image ? request.ImageHeight : 0) + (image && text ? kGap : 0) + (text ? request.TextHeight : 0);
  const int top = std::max(content.Top + (image && text ? 1 : 0), Centred(content.Top, content.Bottom, height));
  int textTop = content.Top;
  if (image) {
    layout.Image = Sized(Centred(content.Left, content.Right, request.ImageWidth), top, request.ImageWidth,
                         request.ImageHeight);
    textTop = layout.Image.Bottom + kGap;
  }
  if (text) {
    const int textBottom = image ? std::min(content.Bottom, textTop + request.TextHeight) : content.Bottom;
    layout.Text = {content.Left + 1, textTop, content.Right - 1, textBottom};
  }
}
}  // namespace

ButtonLayout LayOutToolbarButton(const ButtonLayoutRequest& request) {
  ButtonLayout layout;
  ButtonBox content = request.Button;
  if (request.Arrow != ButtonArrow::None) {
    const int arrowLeft = std::max(content.Left, content.Right - kDropDownArrowWidth);
    layout.Arrow = {arrowLeft, content.Top, content.Right, content.Bottom};
    content.Right = arrowLeft;
    if (request.Arrow == ButtonArrow::Split) layout.SplitX = arrowLeft;
  }
  if (request.ListStyle) {
    LayOutBeside(content, request, layout);
  } else {
    LayOutBelow(content, request, layout);
  }
  if (layout.Text.Empty()) layout.Text = {};
  return layout;
}

ArrowRows DropDownArrowRows(const ButtonBox& arrow) {
  const int left = Centred(arrow.Left, arrow.Right, 5);
  const int top = Centred(arrow.Top, arrow.Bottom, 3);
  ArrowRows rows;
  for (int k = 0; k < 3; ++k) rows.Rows[k] = {left + k, left + 5 - k, top + k};
  return rows;
}
