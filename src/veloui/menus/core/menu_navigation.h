#pragma once
// Decisions of the menu-tracking hooks that need no window: which title Left and Right
// open, how the keyboard hook reads a key, and how keyboard selection on the special rows
// of a scrollable copy of a long menu turns into a scroll.
#include <cstdint>
#include <optional>

// The title Left (-1) or Right (+1) opens from `openTitle`, wrapping around the bar.
int NeighbourTitle(int openTitle, int direction, int titleCount);

// Keys as the keyboard hook sees them.
constexpr std::uint32_t kKeyReturn = 0x0D;
constexpr std::uint32_t kKeyAlt = 0x12;
constexpr std::uint32_t kKeyEscape = 0x1B;
constexpr std::uint32_t kKeyLeft = 0x25;
constexpr std::uint32_t kKeyUp = 0x26;
constexpr std::uint32_t kKeyRight = 0x27;
constexpr std::uint32_t kKeyDown = 0x28;
constexpr std::uint32_t kKeyF10 = 0x79;

enum class MenuKeyEvent {
  Other,
  ActivatorPressed,  // Alt or F10 pressed, not a repeat
  AltReleased,
};
// `keyData` is the keyboard hook's lParam; bit 15 is forced on before comparing, so that the
// same key reads alike whichever way the system fills that bit.
MenuKeyEvent ClassifyMenuKey(std::uint32_t key, std::uint32_t keyData, bool f10Activates);

// While Alt or F10 has made a title hot: whether this key ends that state, so the bar's own
// keyboard handling opens the title or leaves.
bool KeyLeavesBarKeyMode(std::uint32_t key, std::uint32_t keyData);

// What a key does while Alt or F10 holds a title hot and no menu is open: the arrow key Down
// (not the keypad's) and Return open the hot title, Left and Right move to the title beside
// it, Escape leaves; Alt and F10 are the activators' own; anything else is Other.
enum class BarKey { Open, Previous, Next, Leave, Activator, Other };
BarKey ClassifyBarKey(std::uint32_t key, std::uint32_t keyData);

// The low words of the command ids of the special rows of a scrollable copy.
constexpr std::uint16_t kCopyTopArrowId = 0xCBC2;
constexpr std::uint16_t kCopyBottomArrowId = 0xCBC3;
constexpr std::uint16_t kCopySpacerId = 0xCBC6;

struct CopySelection {
  std::uint32_t LastKey = 0;        // kKeyUp, kKeyDown or 0
  std::uint16_t SelectedId = 0;     // low word of the newly selected item's command
  bool FirstIsTopArrow = false;
  bool LastIsBottomArrow = false;
  int ItemCount = 0;
  bool FirstIsSpacer = false;       // the start of the list is shown, scrolled up to
  bool LastIsSpacer = false;        // the end of the list is shown, scrolled down to
};
struct CopyScroll {
  int Mode = 0;            // 0 down one step, 1 up one step, 2 rebuild at the end, 3 at the start
  int SelectPosition = 0;  // the item to select afterwards, counted in the rows before the scroll
  int SelectFromEnd = 0;   // 0: SelectPosition holds; n: the n-th row from the end holds instead
};
std::optional<CopyScroll> DecideCopyScroll(const CopySelection& selection);
// The position to select once the scroll has changed the copy's rows to `rowCount`: a scroll
// or rebuild may leave more or fewer rows than before (separators are low).
int CopyScrollSelection(const CopyScroll& scroll, int rowCount);
