#pragma once
// Further operations of skinned toolbars: forms that name the toolbar first, buttons that
// drop down a toolkit menu, buttons that embed a control (a gadget), and changes to a
// button's state, images, text, tooltip and size. A toolbar or button that does not exist
// makes an operation do nothing and return 0. Adding operations return the new button's
// command id (an automatic one for id -1), or 0 when nothing was added.
#include <windows.h>
#include <commctrl.h>

#include <cstdint>

#include "runtime/portable/text.h"

// Make the toolbar current and add to it. With flag bit 1 (BTNS_SEP) the two button forms add
// a separator instead and return 1.
std::int32_t ToolbarImageButton(std::intptr_t toolbar, std::int32_t id, const Text& text, HANDLE image,
                                HANDLE hotImage, HANDLE disabledImage, std::uint32_t flags);
std::int32_t ToolbarTextButton(std::intptr_t toolbar, std::int32_t id, const Text& text, std::uint32_t flags);
// 1 when a separator was added.
std::int32_t ToolbarSeparator(std::intptr_t toolbar);

// A button of the current toolbar whose arrow drops `menu` (a toolkit menu id or handle)
// down; BTNS_WHOLEDROPDOWN in flags makes the whole button the arrow.
std::int32_t AddToolbarMenuButton(std::int32_t id, const Text& text, HANDLE image, HANDLE hotImage,
                                  HANDLE disabledImage, std::intptr_t menu, std::uint32_t flags);
// The menu a button drops down (its menu handle when `asHandle`), or 0 when the button has no
// menu or the menu is gone.
std::intptr_t GetToolbarButtonMenu(std::intptr_t toolbar, std::int32_t button, bool asHandle);
// A button of the current toolbar `width` pixels wide that carries `gadget`, re-parented into
// the toolbar and placed over the button.
std::int32_t AddToolbarGadget(std::int32_t id, HWND gadget, int width);
std::int32_t InsertToolbarMenuButton(std::intptr_t toolbar, int position, std::int32_t id, const Text& text,
                                     HANDLE image, HANDLE hotImage, HANDLE disabledImage, std::intptr_t menu,
                                     std::uint32_t flags);
std::int32_t InsertToolbarGadget(std::intptr_t toolbar, int position, std::int32_t id, HWND gadget, int width);

// Each 1 when done.
std::int32_t DisableToolbarButton(std::intptr_t toolbar, std::int32_t button, bool disabled);
std::int32_t SetToolbarButtonChecked(std::intptr_t toolbar, std::int32_t button, bool checked);
// New images (a missing hot or disabled image derived from the normal one; no normal image
// keeps the old ones) and text.
std::int32_t SetToolbarButtonImage(std::intptr_t toolbar, std::int32_t button, const Text& text, HANDLE image,
                                   HANDLE hotImage, HANDLE disabledImage);
// The button and its images go; its gadget is hidden and given to the toolbar's top-level
// window.
std::int32_t RemoveToolbarButton(std::intptr_t toolbar, std::int32_t button);
// The gadget is hidden and shown with its button.
std::int32_t HideToolbarButton(std::intptr_t toolbar, std::int32_t button, bool hidden);
std::int32_t SetToolbarButtonTooltip(std::intptr_t toolbar, std::int32_t button, const Text& text);
std::int32_t SetToolbarTooltipDelays(std::intptr_t toolbar, int initial, int popUp);
HWND GetToolbarButtonGadget(std::intptr_t toolbar, std::int32_t button);
// The TBSTATE_ flags of the button.
std::int32_t GetToolbarButtonState(std::intptr_t toolbar, std::int32_t button);
std::int32_t SetToolbarButtonWidth(std::intptr_t toolbar, std::int32_t button, int width);
int GetToolbarButtonHeight(std::intptr_t toolbar);
std::int32_t SetToolbarButtonSize(std::intptr_t toolbar, int width, int height);
std::int32_t RefreshToolbarTheme(std::intptr_t toolbar);
std::int32_t RefreshToolbarImages(std::intptr_t toolbar);

// TBN_DROPDOWN of a menu button: its menu is shown below it while the button stays pressed.
// False for any other button (the menu bar's titles among them).
bool DropToolbarButtonMenu(HWND host, const NMHDR* header);
// Whether the menu of the menu button `button` of `toolbar` is open under it.
bool ToolbarButtonMenuOpen(HWND toolbar, std::int32_t button);
