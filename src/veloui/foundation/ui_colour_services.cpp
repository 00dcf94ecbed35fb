#include "veloui/foundation/core/colour_expression.h"
#include "veloui/foundation/ui_colours.h"

namespace {
std::uint32_t CreateGdiBrush(std::uint32_t colorref) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(CreateSolidBrush(colorref)));
}

void DeleteGdiBrush(std::uint32_t brush) { DeleteObject(reinterpret_cast<HGDIOBJ>(static_cast<std::uintptr_t>(brush))); }

std::uint32_t ReadSysColor(std::int32_t index) { return GetSysColor(index); }
}  // namespace

void BindColourServices() {
  SetSolidBrushOps({CreateGdiBrush, DeleteGdiBrush});
  SetSystemColourReader(ReadSysColor);
}

HBRUSH UIColourBrush(std::uint32_t style, std::int32_t id) {
  return reinterpret_cast<HBRUSH>(static_cast<std::uintptr_t>(GetUIColour(style, id, kUIColourBrush)));
}
