#include "veloui/menus/toolbar_extras.h"

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/toolkit_facts.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/image_effects.h"
#include "veloui/foundation/system_binding.h"
#include "veloui/menus/colour_refresh.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_images.h"
#include "veloui/menus/menus.h"
#include "veloui/menus/popup_menus.h"
#include "veloui/menus/toolbars.h"

namespace {

constexpr std::uint32_t kDroppedDown = 2;
constexpr std::int32_t kThemedFromOsVersion = 70;
constexpr UINT kRepaintTopLevel = RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW;

ToolkitRecordList<ToolbarButtonRecord>& ButtonList() {
  return ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons);
}

ToolbarButtonRecord* FindButton(HWND toolbar, std::int32_t button) {
  for (ToolbarButtonRecord& record : ButtonList()) {
    if (record.ToolbarWindow == toolbar && record.ButtonId == button) return &record;
  }
  return nullptr;
}

struct Target {
  ToolbarRecord* Toolbar = nullptr;
  ToolbarButtonRecord* Button = nullptr;
  explicit operator bool() const { return Toolbar != nullptr && Button != nullptr; }
};

Target FindTarget(std::intptr_t toolbar, std::int32_t button) {
  Target target;
  target.Toolbar = FindToolbarRecord(toolbar);
  if (target.Toolbar != nullptr) target.Button = FindButton(target.Toolbar->Window, button);
  return target;
}

// PlaceToolbarGadget works on the current toolbar; this one may be another.
void PlaceGadgetsOf(const ToolbarRecord& toolbar) {
  const std::intptr_t current = CurrentToolbarId();
  SetCurrentToolbar(toolbar.Id);
  PlaceToolbarGadget();
  SetCurrentToolbar(current);
}

bool MakeCurrent(std::intptr_t toolbar) {
  const ToolbarRecord* record = FindToolbarRecord(toolbar);
  if (record == nullptr) return false;
  SetCurrentToolbar(record->Id);
  return true;
}

// The command id of the button just appended to the button list, or 0.
std::int32_t NewestButtonId(std::size_t countBefore) {
  if (ButtonList().size() <= countBefore) return 0;
  return ButtonList().back().ButtonId;
}

HICON IconOf(HANDLE image) {
  ICONINFO info{};
  if (GetIconInfo(static_cast<HICON>(image), &info)) {
    if (info.hbmColor != nullptr) DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) DeleteObject(info.hbmMask);
    return CopyIcon(static_cast<HICON>(image));
  }
  return ImageToIcon(static_cast<HBITMAP>(image));
}

bool ReplaceImage(HIMAGELIST list, int index, HANDLE image) {
  HICON icon = image != nullptr ? IconOf(image) : nullptr;
  if (icon == nullptr) return false;
  const bool replaced = ImageList_ReplaceIcon(list, index, icon) >= 0;
  DestroyIcon(icon);
  return replaced;
}

void SetButtonInfo(HWND toolbar, std::int32_t button, TBBUTTONINFOW& info) {
  info.cbSize = sizeof(info);
  SendMessageW(toolbar, TB_SETBUTTONINFOW, static_cast<WPARAM>(button), reinterpret_cast<LPARAM>(&info));
}

bool HasImageLists(const ToolbarRecord& toolbar) {
  return toolbar.NormalImageList != nullptr && toolbar.HotImageList != nullptr && toolbar.DisabledImageList != nullptr;
}

// Gives a button its images: new ones at the end of the three lists, or replacements at
// the index it has.
void PutButtonImages(ToolbarRecord& toolbar, ToolbarButtonRecord& button, HANDLE image, HANDLE hotImage,
                     HANDLE disabledImage) {
  HICON derived = (hotImage == nullptr || disabledImage == nullptr) ? MakeStyleIcon(image, toolbar.Style) : nullptr;
  HANDLE hot = hotImage != nullptr ? hotImage : derived;
  HANDLE disabled = disabledImage != nullptr ? disabledImage : derived;
  if (button.HasImage) {
    ReplaceImage(toolbar.NormalImageList, button.NormalImage, image);
    ReplaceImage(toolbar.HotImageList, button.HotImage, hot);
    ReplaceImage(toolbar.DisabledImageList, button.DisabledImage, disabled);
  } else {
    button.NormalImage = AppendImage(toolbar.NormalImageList, image);
    button.HotImage = AppendImage(toolbar.HotImageList, hot);
    button.DisabledImage = AppendImage(toolbar.DisabledImageList, disabled);
    button.HasImage = button.NormalImage >= 0;
  }
  if (derived != nullptr) DestroyIcon(derived);
  button.OwnDisabledImage = disabledImage != nullptr;
  button.ImageStyle = toolbar.Style;
}

// Images after a removed one move down by one in every list; the buttons follow them.
void CloseImageGap(const ToolbarRecord& toolbar, const ToolbarButtonRecord& removed) {
  ImageList_Remove(toolbar.NormalImageList, removed.NormalImage);
  if (removed.HotImage >= 0) ImageList_Remove(toolbar.HotImageList, removed.HotImage);
  if (removed.DisabledImage >= 0) ImageList_Remove(toolbar.DisabledImageList, removed.DisabledImage);
  for (ToolbarButtonRecord& other : ButtonList()) {
    if (&other == &removed || other.ToolbarWindow != toolbar.Window || !other.HasImage) continue;
    if (other.NormalImage > removed.NormalImage) {
      --other.NormalImage;
      TBBUTTONINFOW info{};
      info.dwMask = TBIF_IMAGE;
      info.iImage = other.NormalImage;
      SetButtonInfo(toolbar.Window, other.ButtonId, info);
    }
    if (other.HotImage > removed.HotImage && removed.HotImage >= 0) --other.HotImage;
    if (other.DisabledImage > removed.DisabledImage && removed.DisabledImage >= 0) --other.DisabledImage;
  }
}

void GiveGadgetBack(const ToolbarButtonRecord& button) {
  if (button.GadgetWindow == nullptr || !IsWindow(button.GadgetWindow)) return;
  ShowWindow(button.GadgetWindow, SW_HIDE);
  SetParent(button.GadgetWindow, GetAncestor(button.ToolbarWindow, GA_ROOT));
}

}  // namespace

std::int32_t ToolbarImageButton(std::intptr_t toolbar, std::int32_t id, const Text& text, HANDLE image,
                                HANDLE hotImage, HANDLE disabledImage, std::uint32_t flags) {
  if ((flags & BTNS_SEP) != 0) return ToolbarSeparator(toolbar);
  if (!MakeCurrent(toolbar)) return 0;
  const std::size_t before = ButtonList().size();
  if (AddToolbarImageButton(id, text, image, hotImage, disabledImage, flags) < 0) return 0;
  return NewestButtonId(before);
}

std::int32_t ToolbarTextButton(std::intptr_t toolbar, std::int32_t id, const Text& text, std::uint32_t flags) {
  return ToolbarImageButton(toolbar, id, text, nullptr, nullptr, nullptr, flags);
}

std::int32_t ToolbarSeparator(std::intptr_t toolbar) {
  if (!MakeCurrent(toolbar)) return 0;
  return AddToolbarSeparator() >= 0 ? 1 : 0;
}

std::int32_t AddToolbarMenuButton(std::int32_t id, const Text& text, HANDLE image, HANDLE hotImage,
                                  HANDLE disabledImage, std::intptr_t menu, std::uint32_t flags) {
  const std::uint32_t arrow = (flags & BTNS_WHOLEDROPDOWN) != 0 ? BTNS_WHOLEDROPDOWN : BTNS_DROPDOWN;
  const std::uint32_t style = (flags & ~static_cast<std::uint32_t>(BTNS_SEP | BTNS_DROPDOWN | BTNS_WHOLEDROPDOWN)) | arrow;
  const std::size_t before = ButtonList().size();
  if (AddToolbarImageButton(id, text, image, hotImage, disabledImage, style) < 0) return 0;
  const std::int32_t added = NewestButtonId(before);
  if (added == 0) return 0;
  ToolbarButtonRecord& button = ButtonList().back();
  button.Menu = menu;
  button.MenuLink = AllocateObjectNumber();
  return added;
}

std::intptr_t GetToolbarButtonMenu(std::intptr_t toolbar, std::int32_t button, bool asHandle) {
  const Target target = FindTarget(toolbar, button);
  if (!target || target.Button->Menu == 0) return 0;
  ToolkitLockGuard lock(ToolkitLock::Menu);
  const MenuRecord* menu = FindMenuRecord(target.Button->Menu);
  if (menu == nullptr || menu->Handle == nullptr) return 0;
  return asHandle ? reinterpret_cast<std::intptr_t>(menu->Handle) : target.Button->Menu;
}

std::int32_t AddToolbarGadget(std::int32_t id, HWND gadget, int width) {
  ToolbarRecord* toolbar = FindToolbarRecord(CurrentToolbarId());
  if (toolbar == nullptr || gadget == nullptr || !IsWindow(gadget)) return 0;
  if (id == -1) id = NextAutoCommandID();
  // A separator of the gadget's width keeps the place: it never paints a button face or
  // takes a click under the control.
  TBBUTTON placeholder{};
  placeholder.iBitmap = width;
  placeholder.idCommand = id;
  placeholder.fsState = TBSTATE_ENABLED;
  placeholder.fsStyle = BTNS_SEP;
  placeholder.iString = -1;
  const int position = TakeToolbarInsertPosition(toolbar->Window);
  if (!SendMessageW(toolbar->Window, TB_INSERTBUTTONW, static_cast<WPARAM>(position),
                    reinterpret_cast<LPARAM>(&placeholder)))
    return 0;
  ToolbarButtonRecord record;
  record.ButtonId = id;
  record.ToolbarId = toolbar->Id;
  record.ToolbarWindow = toolbar->Window;
  record.GadgetWindow = gadget;
  ButtonList().push_back(record);
  TBBUTTONINFOW info{};
  info.dwMask = TBIF_SIZE;
  info.cx = static_cast<WORD>(width);
  SetButtonInfo(toolbar->Window, id, info);
  SetParent(gadget, toolbar->Window);
  PlaceToolbarGadget();
  ShowWindow(gadget, SW_SHOW);
  return id;
}

std::int32_t InsertToolbarMenuButton(std::intptr_t toolbar, int position, std::int32_t id, const Text& text,
                                     HANDLE image, HANDLE hotImage, HANDLE disabledImage, std::intptr_t menu,
                                     std::uint32_t flags) {
  if (!MakeCurrent(toolbar)) return 0;
  SetPendingToolbarButtonPosition(position);
  const std::int32_t added = AddToolbarMenuButton(id, text, image, hotImage, disabledImage, menu, flags);
  SetPendingToolbarButtonPosition(-1);
  return added;
}

std::int32_t InsertToolbarGadget(std::intptr_t toolbar, int position, std::int32_t id, HWND gadget, int width) {
  if (!MakeCurrent(toolbar)) return 0;
  SetPendingToolbarButtonPosition(position);
  const std::int32_t added = AddToolbarGadget(id, gadget, width);
  SetPendingToolbarButtonPosition(-1);
  return added;
}

std::int32_t DisableToolbarButton(std::intptr_t toolbar, std::int32_t button, bool disabled) {
  const Target target = FindTarget(toolbar, button);
  if (!target) return 0;
  SendMessageW(target.Toolbar->Window, TB_ENABLEBUTTON, static_cast<WPARAM>(button), MAKELPARAM(disabled ? 0 : 1, 0));
  return 1;
}

std::int32_t SetToolbarButtonChecked(std::intptr_t toolbar, std::int32_t button, bool checked) {
  const Target target = FindTarget(toolbar, button);
  if (!target) return 0;
  SendMessageW(target.Toolbar->Window, TB_CHECKBUTTON, static_cast<WPARAM>(button), MAKELPARAM(checked ? 1 : 0, 0));
  return 1;
}

std::int32_t SetToolbarButtonImage(std::intptr_t toolbar, std::int32_t button, const Text& text, HANDLE image,
                                   HANDLE hotImage, HANDLE disabledImage) {
  const Target target = FindTarget(toolbar, button);
  if (!target) return 0;
  TBBUTTONINFOW info{};
  if (image != nullptr && HasImageLists(*target.Toolbar)) {
    PutButtonImages(*target.Toolbar, *target.Button, image, hotImage, disabledImage);
    info.dwMask |= TBIF_IMAGE;
    info.iImage = target.Button->HasImage ? target.Button->NormalImage : I_IMAGENONE;
  }
  target.Button->ButtonText = text;
  Text visible = VisibleText(text);
  info.dwMask |= TBIF_TEXT;
  info.pszText = WideBuffer(visible);
  SetButtonInfo(target.Toolbar->Window, button, info);
  SendMessageW(target.Toolbar->Window, TB_AUTOSIZE, 0, 0);
  PlaceGadgetsOf(*target.Toolbar);
  return 1;
}

std::int32_t RemoveToolbarButton(std::intptr_t toolbar, std::int32_t button) {
  const Target target = FindTarget(toolbar, button);
  if (!target) return 0;
  HWND window = target.Toolbar->Window;
  const auto index = SendMessageW(window, TB_COMMANDTOINDEX, static_cast<WPARAM>(button), 0);
  if (index >= 0) SendMessageW(window, TB_DELETEBUTTON, static_cast<WPARAM>(index), 0);
  if (target.Button->HasImage && HasImageLists(*target.Toolbar)) CloseImageGap(*target.Toolbar, *target.Button);
  GiveGadgetBack(*target.Button);
  ButtonList().remove_if([&](const ToolbarButtonRecord& record) { return &record == target.Button; });
  PlaceGadgetsOf(*target.Toolbar);
  return 1;
}

std::int32_t HideToolbarButton(std::intptr_t toolbar, std::int32_t button, bool hidden) {
  const Target target = FindTarget(toolbar, button);
  if (!target) return 0;
  SendMessageW(target.Toolbar->Window, TB_HIDEBUTTON, static_cast<WPARAM>(button), MAKELPARAM(hidden ? 1 : 0, 0));
  if (target.Button->GadgetWindow != nullptr) ShowWindow(target.Button->GadgetWindow, hidden ? SW_HIDE : SW_SHOW);
  PlaceGadgetsOf(*target.Toolbar);
  return 1;
}

std::int32_t SetToolbarButtonTooltip(std::intptr_t toolbar, std::int32_t button, const Text& text) {
  if (!FindTarget(toolbar, button)) return 0;
  HWND window = FindToolbarRecord(toolbar)->Window;
  ToolkitLockGuard lock(ToolkitLock::Menu);
  for (ToolbarTooltipRecord& tip : ToolbarTooltipList()) {
    if (tip.Id == static_cast<std::uint32_t>(button) && tip.Toolbar == window) {
      tip.Text = text;
      return 1;
    }
  }
  ToolbarTooltipRecord& tip = ToolbarTooltipList().emplace_back();
  tip.Id = static_cast<std::uint32_t>(button);
  tip.Text = text;
  tip.Toolbar = window;
  return 1;
}

std::int32_t SetToolbarTooltipDelays(std::intptr_t toolbar, int initial, int popUp) {
  const ToolbarRecord* record = FindToolbarRecord(toolbar);
  if (record == nullptr) return 0;
  HWND tooltips = reinterpret_cast<HWND>(SendMessageW(record->Window, TB_GETTOOLTIPS, 0, 0));
  if (tooltips == nullptr) return 0;
  SendMessageW(tooltips, TTM_SETDELAYTIME, TTDT_INITIAL, MAKELPARAM(initial, 0));
  SendMessageW(tooltips, TTM_SETDELAYTIME, TTDT_AUTOPOP, MAKELPARAM(popUp, 0));
  return 1;
}

HWND GetToolbarButtonGadget(std::intptr_t toolbar, std::int32_t button) {
  const Target target = FindTarget(toolbar, button);
  return target ? target.Button->GadgetWindow : nullptr;
}

std::int32_t GetToolbarButtonState(std::intptr_t toolbar, std::int32_t button) {
  const ToolbarRecord* record = FindToolbarRecord(toolbar);
  if (record == nullptr) return 0;
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_STATE;
  if (SendMessageW(record->Window, TB_GETBUTTONINFOW, static_cast<WPARAM>(button), reinterpret_cast<LPARAM>(&info)) < 0)
    return 0;
  return info.fsState;
}

std::int32_t SetToolbarButtonWidth(std::intptr_t toolbar, std::int32_t button, int width) {
  const Target target = FindTarget(toolbar, button);
  if (!target) return 0;
  TBBUTTONINFOW info{};
  info.dwMask = TBIF_SIZE;
  info.cx = static_cast<WORD>(width);
  SetButtonInfo(target.Toolbar->Window, button, info);
  PlaceGadgetsOf(*target.Toolbar);
  return 1;
}

int GetToolbarButtonHeight(std::intptr_t toolbar) {
  const ToolbarRecord* record = FindToolbarRecord(toolbar);
  if (record == nullptr) return 0;
  return HIWORD(static_cast<DWORD>(SendMessageW(record->Window, TB_GETBUTTONSIZE, 0, 0)));
}

std::int32_t SetToolbarButtonSize(std::intptr_t toolbar, int width, int height) {
  const ToolbarRecord* record = FindToolbarRecord(toolbar);
  if (record == nullptr) return 0;
  SendMessageW(record->Window, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, height));
  PlaceGadgetsOf(*record);
  return 1;
}

std::int32_t RefreshToolbarTheme(std::intptr_t toolbar) {
  const ToolbarRecord* record = FindToolbarRecord(toolbar);
  if (record == nullptr) return 0;
  const bool office = IsOfficeStyle(record->Style);
  if (SystemFacts.OsVersionCode >= kThemedFromOsVersion && UxTheme.Library != nullptr && UxTheme.SetWindowTheme != nullptr) {
    using SetWindowThemeProc = HRESULT(WINAPI*)(HWND, LPCWSTR, LPCWSTR);
    // The toolkit paints Office-style bars itself; the themed look takes the system's again.
    if (office) {
      SwitchOffVisualTheme(record->Window);
    } else {
      BoundProc<SetWindowThemeProc>(UxTheme.SetWindowTheme)(record->Window, nullptr, nullptr);
    }
  }
  if (office) {
    const auto size = static_cast<DWORD>(SendMessageW(record->Window, TB_GETBUTTONSIZE, 0, 0));
    SendMessageW(record->Window, TB_SETBUTTONSIZE, 0, MAKELPARAM(LOWORD(size), HIWORD(size)));
  }
  return 1;
}

std::int32_t RefreshToolbarImages(std::intptr_t toolbar) {
  const ToolbarRecord* record = FindToolbarRecord(toolbar);
  if (record == nullptr) return 0;
  RetintMenuImages(record->Id, 4);
  RedrawWindow(GetAncestor(record->Window, GA_ROOT), nullptr, nullptr, kRepaintTopLevel);
  return 1;
}

bool DropToolbarButtonMenu(HWND host, const NMHDR* header) {
  const auto* dropDown = reinterpret_cast<const NMTOOLBARW*>(header);
  ToolbarButtonRecord* button = FindButton(header->hwndFrom, dropDown->iItem);
  if (button == nullptr || button->Menu == 0) return false;
  HWND toolbar = header->hwndFrom;
  RECT item{};
  SendMessageW(toolbar, TB_GETRECT, static_cast<WPARAM>(button->ButtonId), reinterpret_cast<LPARAM>(&item));
  MapWindowPoints(toolbar, nullptr, reinterpret_cast<POINT*>(&item), 2);
  const std::int32_t id = button->ButtonId;
  const std::intptr_t menu = button->Menu;
  button->Flags |= kDroppedDown;
  SendMessageW(toolbar, TB_PRESSBUTTON, static_cast<WPARAM>(id), MAKELPARAM(1, 0));
  ShowPopupMenu(menu, host, item.left, item.bottom);
  // The menu's commands may have removed the button or the toolbar meanwhile.
  if (!IsWindow(toolbar)) return true;
  SendMessageW(toolbar, TB_PRESSBUTTON, static_cast<WPARAM>(id), MAKELPARAM(0, 0));
  if (ToolbarButtonRecord* still = FindButton(toolbar, id)) still->Flags &= ~kDroppedDown;
  return true;
}

bool ToolbarButtonMenuOpen(HWND toolbar, std::int32_t button) {
  const ToolbarButtonRecord* record = FindButton(toolbar, button);
  return record != nullptr && record->Menu != 0 && (record->Flags & kDroppedDown) != 0;
}
