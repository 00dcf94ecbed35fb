#pragma once
// Skinned toolbars: a toolbar window with three 32-bit image lists (normal, hot, disabled),
// text buttons measured through the coded text, separators and embedded gadgets. The menu
// bar is one of them. Operations act on the current toolbar, the one made last.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/ui_colour_ids.h"

// The toolkit's style bits in creation flags (UISTYLE_* and these); never part of a window
// style.
constexpr std::uint32_t kToolbarStyleThemed = 0x4000000;
constexpr std::uint32_t kToolbarHideClippedButtons = 0x800000;

struct ToolbarRecord {
  std::intptr_t Id = 0;
  HWND Window = nullptr;
  HWND Parent = nullptr;
  std::uint32_t Flags = 0;
  HIMAGELIST NormalImageList = nullptr;  // all three nullptr: the toolbar has no images
  HIMAGELIST HotImageList = nullptr;
  HIMAGELIST DisabledImageList = nullptr;
  std::uint32_t Style = 0;
  int Rows = 1;
  bool IsMenuBar = false;
};

struct ToolbarButtonRecord {
  std::int32_t ButtonId = 0;
  std::intptr_t ToolbarId = 0;
  int NormalImage = -1;
  int HotImage = -1;
  int DisabledImage = -1;
  Text ButtonText;
  std::uint32_t Flags = 0;  // 1 hot, 2 dropped down
  HWND GadgetWindow = nullptr;
  HWND ToolbarWindow = nullptr;
  bool HasImage = false;         // a normal image was given
  bool OwnDisabledImage = false;  // the caller gave the disabled image (not derived)
  std::uint32_t ImageStyle = 0;  // the style the derived images were made for
  std::intptr_t Menu = 0;        // the toolkit menu a menu button drops down, or 0
  std::intptr_t MenuLink = 0;    // the object number of that link
};

// Returns the toolbar window for id -1, else the id; 0 when the id is taken or creation fails.
std::intptr_t CreateSkinnedToolbar(std::intptr_t id, HWND parent, int imageWidth, int imageHeight,
                                   std::uint32_t flags);
// The index of the new button (flag bit 1 makes it a separator, see AddToolbarSeparator);
// -1 when there is no current toolbar or the button could not be inserted. Id -1 takes an
// automatic command id.
std::int32_t AddToolbarImageButton(std::int32_t id, const Text& text, HANDLE image, HANDLE hotImage,
                                   HANDLE disabledImage, std::uint32_t flags);
std::int32_t AddToolbarTextButton(std::int32_t id, const Text& text, std::uint32_t flags);
// The index of the new separator, or -1.
std::int32_t AddToolbarSeparator();
void PlaceToolbarGadget();
// Inserts `icon` at `position` of `list` (appended, then moved down); the new index or -1.
int InsertImageListIcon(HIMAGELIST list, HICON icon, int position);
HWND GetToolbarWindow(std::intptr_t id);
// One toolbar, or -1 for all; 1 when something was freed.
std::int32_t FreeSkinnedToolbar(std::intptr_t id);

// The next button lands at this index instead of the end (once); -1 appends.
void SetPendingToolbarButtonPosition(int position);
// Where the next button of the toolbar window goes (the pending position, used up, or the end).
int TakeToolbarInsertPosition(HWND window);

// The record of a toolbar by id or window; nullptr when there is none.
ToolbarRecord* FindToolbarRecord(std::intptr_t idOrWindow);
// The current toolbar's id (-1 = none), and making another one current.
std::intptr_t CurrentToolbarId();
void SetCurrentToolbar(std::intptr_t id);
// No current toolbar, no pending position (toolkit start-up and tests).
void ResetToolbarBuilderState();
