#include "runtime/win32/gui_state.h"

GuiState Gui;

int TakeNumber(int requested) {
  if (requested != -1) return requested;
  auto& gui = Gui;
  while (gui.windows.count(gui.nextFresh) || gui.gadgets.count(gui.nextFresh) ||
         gui.images.count(gui.nextFresh) || gui.statusBars.count(gui.nextFresh)) {
    ++gui.nextFresh;
  }
  return gui.nextFresh++;
}

WindowRecord* FindWindowRecord(int window) {
  auto& windows = Gui.windows;
  const auto found = windows.find(window);
  return found != windows.end() ? &found->second : nullptr;
}

GadgetRecord* FindGadget(int gadget) {
  auto& gadgets = Gui.gadgets;
  const auto found = gadgets.find(gadget);
  return found != gadgets.end() ? &found->second : nullptr;
}

int GadgetNumberOf(HWND handle) {
  for (const auto& [number, record] : Gui.gadgets) {
    if (record.handle == handle) return number;
  }
  return -1;
}

int WindowNumberOf(HWND handle) {
  for (const auto& [number, record] : Gui.windows) {
    if (record.handle == handle) return number;
  }
  return -1;
}

int TopWindowNumberOf(HWND handle) {
  return handle != nullptr ? WindowNumberOf(GetAncestor(handle, GA_ROOT)) : -1;
}

void PushEvent(const Event& event) {
  auto& gui = Gui;
  if (gui.quiet > 0 || event.window < 0) return;
  gui.queue.push_back(event);
}

HFONT DefaultGuiFont() {
  static HFONT font = [] {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
      return CreateFontIndirectW(&metrics.lfMessageFont);
    }
    return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  }();
  return font;
}
