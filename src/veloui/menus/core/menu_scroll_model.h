#pragma once
// Which items a scrollable copy of an over-long menu shows, and how a scroll step changes
// that, worked out from the items' heights alone so that it holds without a window.
//
// A copy shows the source items First..Last, a top arrow while items lie above, a bottom
// arrow while items lie below, and one spacer that takes up what the items leave of the
// copy's height. The spacer sits on the side the items were last scrolled away from, so the
// item that came in last is at the edge it came in from.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

constexpr int kCopySpacerStartHeight = 7;  // the spacer's height as the copy is first built
constexpr int kCopyScrollPixels = 3;       // one step of a held arrow
constexpr int kCopyScrollStepMs = 10;      // pause after each step
constexpr int kCopyBandMargin = 5;         // the scrolled band reaches this far into the arrow rows

struct CopyGeometry {
  std::span<const int> ItemHeights;  // of every source item, in source order
  int ArrowHeight = 0;               // height of either arrow (the first source item's)
  int Frame = 0;                     // what the popup's frame adds to its items
  int CopyHeight = 0;                // outer height of the copy, kept while it scrolls
};

struct CopyView {
  int First = 0;
  int Last = -1;                 // -1: no item shown
  bool SpacerAtTop = false;
  int SpacerHeight = kCopySpacerStartHeight;
};

bool HasTopArrow(const CopyView& view);
bool HasBottomArrow(const CopyView& view, int itemCount);

// The rows in menu order, as keys that grow down the menu: the arrows and the spacer
// outside the source positions, which stand for the items.
constexpr int kRowTopArrow = -3;
constexpr int kRowTopSpacer = -2;
int RowBottomSpacer(int itemCount);
int RowBottomArrow(int itemCount);
std::vector<int> CopyRows(const CopyView& view, int itemCount);
int CopyOuterHeight(const CopyView& view, const CopyGeometry& geometry);

// The copy first shown under a title: the items from the start that fit into `available`
// pixels together with the spacer and the bottom arrow. Its outer height becomes CopyHeight.
CopyView InitialCopyView(const CopyGeometry& geometry, int available);
// The start (mode 3) and the end (mode 2) of the list, filling CopyHeight.
CopyView StartCopyView(const CopyGeometry& geometry);
CopyView EndCopyView(const CopyGeometry& geometry);
// Before a held arrow scrolls, the end it scrolls away from gets its arrow (mode 0 the top
// one, mode 1 the bottom one); the view unchanged when the arrow is there.
CopyView WithLeavingArrow(const CopyView& view, const CopyGeometry& geometry, int mode);
// One item in at the end the scroll moves towards (mode 0 down, 1 up); nullopt when that end
// is already shown. Once the end is reached, the spacer stands where that end's arrow was.
std::optional<CopyView> CopyStep(const CopyView& view, const CopyGeometry& geometry, int mode);
// The 3-pixel steps that bring the entering item into view: its height divided by 3.
int CopyPixelSteps(const CopyView& view, const CopyGeometry& geometry, int mode);
// The end of the list the mode moves towards is shown: the scroll is over.
bool CopyScrollDone(const CopyView& view, int itemCount, int mode);

// The client rows ScrollWindow moves: the items between the arrow rows (and the spacer on
// the side it sits), reaching kCopyBandMargin beyond them at either end.
struct CopyBand {
  int Top = 0;
  int Bottom = 0;
};
CopyBand CopyScrollBand(int clientHeight, int arrowHeight, const CopyView& view);

// The key of an item label in a copy: the character after the first single "&", upper-cased
// ("&&" is a literal "&"); 0 when there is none.
char16_t CopyMnemonic(const char16_t* label, std::size_t length);
