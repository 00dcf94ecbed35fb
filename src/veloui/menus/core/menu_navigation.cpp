#include "veloui/menus/core/menu_navigation.h"

namespace {
constexpr std::uint32_t kForcedBit = 0x8000;
constexpr std::uint32_t kAltDown = 0x20388001;
constexpr std::uint32_t kF10Down = 0x448001;
constexpr std::uint32_t kAltUp = 0xC0388001;
constexpr std::uint32_t kReturnDown = 0x1C8001;
constexpr std::uint32_t kDownScanCode = 0x150;
constexpr std::uint32_t kDownScanCodeRepeat = 0x4150;
}  // namespace

int NeighbourTitle(int openTitle, int direction, int titleCount) {
  if (titleCount <= 0) return -1;
  int next = openTitle + (direction < 0 ? -1 : 1);
  if (next < 0) next = titleCount - 1;
  if (next >= titleCount) next = 0;
  return next;
}

MenuKeyEvent ClassifyMenuKey(std::uint32_t key, std::uint32_t keyData, bool f10Activates) {
  const std::uint32_t data = keyData | kForcedBit;
  if (key == kKeyAlt && data == kAltDown) return MenuKeyEvent::ActivatorPressed;
  if (key == kKeyF10 && f10Activates && data == kF10Down) return MenuKeyEvent::ActivatorPressed;
  if (key == kKeyAlt && data == kAltUp) return MenuKeyEvent::AltReleased;
  return MenuKeyEvent::Other;
}

bool KeyLeavesBarKeyMode(std::uint32_t key, std::uint32_t keyData) {
  const std::uint32_t high = keyData >> 16;
  if (key == kKeyDown) return high == kDownScanCode || high == kDownScanCodeRepeat;
  if (key == kKeyReturn) return (keyData | kForcedBit) == kReturnDown;
  return key != kKeyAlt && key != kKeyF10 && key != kKeyRight && key != kKeyLeft;
}

BarKey ClassifyBarKey(std::uint32_t key, std::uint32_t keyData) {
  switch (key) {
    case kKeyLeft:
      return BarKey::Previous;
    case kKeyRight:
      return BarKey::Next;
    case kKeyEscape:
      return BarKey::Leave;
    case kKeyAlt:
    case kKeyF10:
      return BarKey::Activator;
    default:
      break;
  }
  if ((key == kKeyDown || key == kKeyReturn) && KeyLeavesBarKeyMode(key, keyData)) return BarKey::Open;
  return BarKey::Other;
}

std::optional<CopyScroll> DecideCopyScroll(const CopySelection& selection) {
  const bool down = selection.LastKey == kKeyDown;
  const bool up = selection.LastKey == kKeyUp;
  const std::uint16_t id = selection.SelectedId;
  if (down && id == kCopyTopArrowId && !selection.LastIsBottomArrow) return CopyScroll{3, 0, 0};
  if (up && id == kCopyBottomArrowId && !selection.FirstIsTopArrow) {
    return CopyScroll{2, selection.ItemCount - 1, 1};
  }
  // The spacer at the very end (or start) is what a scroll to that end left in its arrow's
  // place: past it lies the other end of the list.
  if (down && id == kCopySpacerId && selection.LastIsSpacer) return CopyScroll{3, 0, 0};
  if (up && id == kCopySpacerId && selection.FirstIsSpacer) return CopyScroll{2, selection.ItemCount - 1, 1};
  if (up && (id == kCopySpacerId || id == kCopyTopArrowId)) return CopyScroll{1, 1, 0};
  if (down && (id == kCopySpacerId || id == kCopyBottomArrowId)) return CopyScroll{0, selection.ItemCount - 2, 2};
  return std::nullopt;
}

int CopyScrollSelection(const CopyScroll& scroll, int rowCount) {
  return scroll.SelectFromEnd > 0 ? rowCount - scroll.SelectFromEnd : scroll.SelectPosition;
}
