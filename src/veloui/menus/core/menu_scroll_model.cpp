#include "veloui/menus/core/menu_scroll_model.h"

#include <algorithm>

#include "veloui/menus/core/shortcut_keys.h"

namespace {

int Count(const CopyGeometry& geometry) { return static_cast<int>(geometry.ItemHeights.size()); }

int HeightOf(const CopyGeometry& geometry, int position) {
  return geometry.ItemHeights[static_cast<std::size_t>(position)];
}

// Everything of the view but its spacer.
int FixedHeight(const CopyView& view, const CopyGeometry& geometry) {
  int height = geometry.Frame;
  if (HasTopArrow(view)) height += geometry.ArrowHeight;
  if (HasBottomArrow(view, Count(geometry))) height += geometry.ArrowHeight;
  for (int position = view.First; position <= view.Last; ++position) height += HeightOf(geometry, position);
  return height;
}

// Items from `first` downwards while they fit into `budget` beside the start spacer and the
// arrows; at least one item, so that a copy never shows nothing.
CopyView FitDown(const CopyGeometry& geometry, int first, int budget) {
  const int count = Count(geometry);
  int used = geometry.Frame + kCopySpacerStartHeight + geometry.ArrowHeight + (first > 0 ? geometry.ArrowHeight : 0);
  CopyView view{first, first, false, kCopySpacerStartHeight};
  used += HeightOf(geometry, first);
  while (view.Last + 1 < count && used + HeightOf(geometry, view.Last + 1) <= budget) {
    used += HeightOf(geometry, ++view.Last);
  }
  return view;
}

CopyView FitUp(const CopyGeometry& geometry, int last, int budget) {
  const int count = Count(geometry);
  int used = geometry.Frame + kCopySpacerStartHeight + geometry.ArrowHeight +
             (last < count - 1 ? geometry.ArrowHeight : 0);
  CopyView view{last, last, true, kCopySpacerStartHeight};
  used += HeightOf(geometry, last);
  while (view.First > 0 && used + HeightOf(geometry, view.First - 1) <= budget) {
    used += HeightOf(geometry, --view.First);
  }
  return view;
}

// The spacer takes what the rest leaves of CopyHeight.
CopyView Filled(CopyView view, const CopyGeometry& geometry) {
  view.SpacerHeight = std::max(0, geometry.CopyHeight - FixedHeight(view, geometry));
  return view;
}

}  // namespace

bool HasTopArrow(const CopyView& view) { return view.First > 0; }
bool HasBottomArrow(const CopyView& view, int itemCount) { return view.Last < itemCount - 1; }
int RowBottomSpacer(int itemCount) { return itemCount; }
int RowBottomArrow(int itemCount) { return itemCount + 1; }

std::vector<int> CopyRows(const CopyView& view, int itemCount) {
  std::vector<int> rows;
  if (HasTopArrow(view)) rows.push_back(kRowTopArrow);
  if (view.SpacerAtTop) rows.push_back(kRowTopSpacer);
  for (int position = view.First; position <= view.Last; ++position) rows.push_back(position);
  if (!view.SpacerAtTop) rows.push_back(RowBottomSpacer(itemCount));
  if (HasBottomArrow(view, itemCount)) rows.push_back(RowBottomArrow(itemCount));
  return rows;
}

int CopyOuterHeight(const CopyView& view, const CopyGeometry& geometry) {
  return FixedHeight(view, geometry) + view.SpacerHeight;
}

CopyView InitialCopyView(const CopyGeometry& geometry, int available) {
  if (Count(geometry) == 0) return CopyView{};
  return FitDown(geometry, 0, available);
}

CopyView StartCopyView(const CopyGeometry& geometry) {
  if (Count(geometry) == 0) return CopyView{};
  return Filled(FitDown(geometry, 0, geometry.CopyHeight), geometry);
}

CopyView EndCopyView(const CopyGeometry& geometry) {
  if (Count(geometry) == 0) return CopyView{};
  return Filled(FitUp(geometry, Count(geometry) - 1, geometry.CopyHeight), geometry);
}

CopyView WithLeavingArrow(const CopyView& view, const CopyGeometry& geometry, int mode) {
  if (view.Last < view.First) return view;
  if (mode == 0 && !HasTopArrow(view)) return Filled(FitUp(geometry, view.Last, geometry.CopyHeight), geometry);
  if (mode == 1 && !HasBottomArrow(view, Count(geometry))) {
    return Filled(FitDown(geometry, view.First, geometry.CopyHeight), geometry);
  }
  return view;
}

std::optional<CopyView> CopyStep(const CopyView& view, const CopyGeometry& geometry, int mode) {
  if (CopyScrollDone(view, Count(geometry), mode) || view.Last < view.First) return std::nullopt;
  CopyView next = mode == 0 ? FitUp(geometry, view.Last + 1, geometry.CopyHeight)
                            : FitDown(geometry, view.First - 1, geometry.CopyHeight);
  // The end reached: its arrow gives its place to the spacer, and the item that came in last
  // stands where the selection expects it, next to that end's spacer.
  if (CopyScrollDone(next, Count(geometry), mode)) next.SpacerAtTop = mode == 1;
  return Filled(next, geometry);
}

int CopyPixelSteps(const CopyView& view, const CopyGeometry& geometry, int mode) {
  if (CopyScrollDone(view, Count(geometry), mode)) return 0;
  return HeightOf(geometry, mode == 0 ? view.Last + 1 : view.First - 1) / kCopyScrollPixels;
}

bool CopyScrollDone(const CopyView& view, int itemCount, int mode) {
  return mode == 0 ? view.Last >= itemCount - 1 : view.First <= 0;
}

CopyBand CopyScrollBand(int clientHeight, int arrowHeight, const CopyView& view) {
  const int topSpacer = view.SpacerAtTop ? view.SpacerHeight : 0;
  const int bottomSpacer = view.SpacerAtTop ? 0 : view.SpacerHeight;
  return {arrowHeight + topSpacer - kCopyBandMargin, clientHeight - arrowHeight - bottomSpacer + kCopyBandMargin};
}

char16_t CopyMnemonic(const char16_t* label, std::size_t length) {
  for (std::size_t k = 0; k + 1 < length; ++k) {
    if (label[k] != u'&') continue;
    if (label[k + 1] != u'&') return UpperCaseUnit(label[k + 1]);
    ++k;
  }
  return 0;
}
