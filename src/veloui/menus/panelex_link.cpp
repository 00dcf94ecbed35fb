#include "veloui/menus/panelex_link.h"

#include <atomic>

namespace {
// Installed before the animation thread starts and read by it, hence the atomics.
std::atomic<void (*)(HWND)> RefreshPage{nullptr};
std::atomic<std::int32_t (*)(std::intptr_t, std::intptr_t, std::uint16_t, std::uint8_t)> SetAlpha{nullptr};
}  // namespace

void SetPanelExLink(const PanelExLink& link) {
  RefreshPage = link.RefreshPageLayout;
  SetAlpha = link.SetPageAlpha;
}

void RefreshPanelExPageLayout(HWND page) {
  if (auto refresh = RefreshPage.load(); refresh != nullptr && page != nullptr) refresh(page);
}

std::int32_t SetPanelExPageAlphaThroughLink(std::intptr_t panel, std::intptr_t page, std::uint16_t alpha,
                                            std::uint8_t noRefresh) {
  auto set_alpha = SetAlpha.load();
  return set_alpha != nullptr ? set_alpha(panel, page, alpha, noRefresh) : 0;
}
