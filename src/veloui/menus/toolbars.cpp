#include "veloui/menus/toolbars.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "runtime/win32/platform/wide_text.h"
#include "veloui/foundation/core/toolkit_registry.h"
#include "veloui/foundation/core/toolkit_locks.h"
#include "veloui/menus/host_install.h"
#include "veloui/menus/host_state.h"
#include "veloui/menus/menu_images.h"
#include "veloui/menus/toolbar_object.h"

namespace {

// Only the low word of creation flags are toolbar and common-control styles; the toolkit's
// own bits above it would be window styles (0x1000000 is WS_MAXIMIZE).
constexpr std::uint32_t kWindowStyleBits = 0xFFFF;
constexpr std::uint32_t kButtonStyleBits = 0xFF;
constexpr int kSeparatorWidth = 6;

struct ToolbarState {
  std::intptr_t CurrentToolbar = -1;
  int PendingButtonPosition = -1;
};
ToolbarState Toolbars;

ToolkitRecordList<ToolbarRecord>& ToolbarList() { return ToolkitList<ToolbarRecord>(ToolkitListId::Toolbars); }
ToolkitRecordList<ToolbarButtonRecord>& ButtonList() {
  return ToolkitList<ToolbarButtonRecord>(ToolkitListId::ToolbarButtons);
}

std::uint32_t ToolbarStyleOf(std::uint32_t flags) {
  if ((flags & UISTYLE_OFFICE2003) != 0) return UISTYLE_OFFICE2003;
  if ((flags & UISTYLE_OFFICE2007) != 0) return UISTYLE_OFFICE2007;
  return kToolbarStyleThemed;
}

void ReplaceImageLists(ToolbarRecord& toolbar, int width, int height) {
  for (UINT get : {TB_GETIMAGELIST, TB_GETHOTIMAGELIST, TB_GETDISABLEDIMAGELIST}) {
    auto old = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar.Window, get, 0, 0));
    if (old != nullptr) ImageList_Destroy(old);
  }
  toolbar.NormalImageList = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 0);
  toolbar.HotImageList = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 0);
  toolbar.DisabledImageList = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, 0, 0);
  SendMessageW(toolbar.Window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar.NormalImageList));
  SendMessageW(toolbar.Window, TB_SETHOTIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar.HotImageList));
  SendMessageW(toolbar.Window, TB_SETDISABLEDIMAGELIST, 0, reinterpret_cast<LPARAM>(toolbar.DisabledImageList));
}

bool HasImageLists(const ToolbarRecord& toolbar) {
  return toolbar.NormalImageList != nullptr && toolbar.HotImageList != nullptr &&
         toolbar.DisabledImageList != nullptr;
}

// The three images of a button, one per list, all at the same index so that the toolbar
// finds hot and disabled pictures under the normal one's index.
int AddButtonImages(ToolbarRecord& toolbar, ToolbarButtonRecord& button, HANDLE image, HANDLE hotImage,
                    HANDLE disabledImage) {
  if (image == nullptr || !HasImageLists(toolbar)) return I_IMAGENONE;
  HICON derived = (hotImage == nullptr || disabledImage == nullptr) ? MakeStyleIcon(image, toolbar.Style) : nullptr;
  const int normal = AppendImage(toolbar.NormalImageList, image);
  const int hot = hotImage != nullptr ? AppendImage(toolbar.HotImageList, hotImage)
                                      : AppendImage(toolbar.HotImageList, derived);
  const int disabled = disabledImage != nullptr ? AppendImage(toolbar.DisabledImageList, disabledImage)
                                                : AppendImage(toolbar.DisabledImageList, derived);
  if (derived != nullptr) DestroyIcon(derived);
  if (normal < 0) return I_IMAGENONE;
  button.NormalImage = normal;
  button.HotImage = hot;
  button.DisabledImage = disabled;
  button.HasImage = true;
  button.OwnDisabledImage = disabledImage != nullptr;
  button.ImageStyle = toolbar.Style;
  return normal;
}

// TB_ADDSTRINGW takes a list of texts ending in an empty one.
INT_PTR AddButtonString(HWND window, const Text& text) {
  if (text.empty()) return -1;
  Text buffer = text;
  buffer.push_back(u'\0');
  return SendMessageW(window, TB_ADDSTRINGW, 0, reinterpret_cast<LPARAM>(Wide(buffer)));
}

void ResizeButtons(const ToolbarRecord& toolbar) {
  SendMessageW(toolbar.Window, TB_AUTOSIZE, 0, 0);
  if (toolbar.Style == UISTYLE_OFFICE2003 || toolbar.Style == UISTYLE_OFFICE2007) {
    const auto size = static_cast<DWORD>(SendMessageW(toolbar.Window, TB_GETBUTTONSIZE, 0, 0));
    SendMessageW(toolbar.Window, TB_SETBUTTONSIZE, 0, MAKELPARAM(LOWORD(size), HIWORD(size)));
  } else if (HasImageLists(toolbar)) {
    // The themed look: buttons at least as large as their pictures and half a picture round
    // them; larger where a text needs it.
    IMAGEINFO image{};
    if (ImageList_GetImageCount(toolbar.NormalImageList) > 0 && ImageList_GetImageInfo(toolbar.NormalImageList, 0, &image)) {
      const int width = image.rcImage.right - image.rcImage.left;
      const int height = image.rcImage.bottom - image.rcImage.top;
      const auto laidOut = static_cast<DWORD>(SendMessageW(toolbar.Window, TB_GETBUTTONSIZE, 0, 0));
      SendMessageW(toolbar.Window, TB_SETPADDING, 0, MAKELPARAM(width / 2, height / 2));
      SendMessageW(toolbar.Window, TB_SETBUTTONSIZE, 0,
                   MAKELPARAM(std::max<int>(LOWORD(laidOut), width + width / 2),
                              std::max<int>(HIWORD(laidOut), height + height / 2)));
    }
  }
}

bool InsertButton(HWND window, int position, const TBBUTTON& button) {
  return SendMessageW(window, TB_INSERTBUTTONW, position, reinterpret_cast<LPARAM>(&button)) != 0;
}

}  // namespace

ToolbarRecord* FindToolbarRecord(std::intptr_t idOrWindow) {
  for (ToolbarRecord& toolbar : ToolbarList()) {
    if (toolbar.Id == idOrWindow || reinterpret_cast<std::intptr_t>(toolbar.Window) == idOrWindow) return &toolbar;
  }
  return nullptr;
}

std::intptr_t CurrentToolbarId() { return Toolbars.CurrentToolbar; }

void SetCurrentToolbar(std::intptr_t id) { Toolbars.CurrentToolbar = id; }

void SetPendingToolbarButtonPosition(int position) { Toolbars.PendingButtonPosition = position; }

int TakeToolbarInsertPosition(HWND window) {
  const int count = static_cast<int>(SendMessageW(window, TB_BUTTONCOUNT, 0, 0));
  int position = Toolbars.PendingButtonPosition;
  Toolbars.PendingButtonPosition = -1;
  if (position < 0 || position > count) position = count;
  return position;
}

std::intptr_t CreateSkinnedToolbar(std::intptr_t id, HWND parent, int imageWidth, int imageHeight,
                                   std::uint32_t flags) {
  if (id != -1 && FindToolbarRecord(id) != nullptr) return 0;
  HWND window = CreateToolbarObject(parent, id != -1 && id > 0 && id < 0x10000 ? static_cast<int>(id) : 0);
  if (window == nullptr) return 0;
  ToolbarRecord record;
  record.Id = id == -1 ? reinterpret_cast<std::intptr_t>(window) : id;
  record.Window = window;
  record.Parent = parent;
  record.Flags = flags;
  record.Style = ToolbarStyleOf(flags);
  record.Rows = 1;
  ToolbarRecord& toolbar = ToolbarList().emplace_back(record);
  Toolbars.CurrentToolbar = toolbar.Id;

  DWORD extended = TBSTYLE_EX_DRAWDDARROWS;
  if ((flags & kToolbarHideClippedButtons) != 0) extended |= TBSTYLE_EX_HIDECLIPPEDBUTTONS;
  SendMessageW(window, TB_SETEXTENDEDSTYLE, 0, extended);
  const auto style = static_cast<DWORD>(SendMessageW(window, TB_GETSTYLE, 0, 0));
  SendMessageW(window, TB_SETSTYLE, 0, style | (flags & kWindowStyleBits) | TBSTYLE_TOOLTIPS);
  if (imageWidth != 0 || imageHeight != 0) ReplaceImageLists(toolbar, imageWidth, imageHeight);

  InstallHostWindowProc(parent);
  EnsureMenuThreadHooks();
  EnsureMenuFont();
  return toolbar.Id;
}

std::int32_t AddToolbarImageButton(std::int32_t id, const Text& text, HANDLE image, HANDLE hotImage,
                                   HANDLE disabledImage, std::uint32_t flags) {
  if ((flags & BTNS_SEP) != 0) return AddToolbarSeparator();
  ToolbarRecord* toolbar = FindToolbarRecord(Toolbars.CurrentToolbar);
  if (toolbar == nullptr) return -1;
  if (id == -1) id = NextAutoCommandID();

  ToolbarButtonRecord record;
  record.ButtonId = id;
  record.ToolbarId = toolbar->Id;
  record.ToolbarWindow = toolbar->Window;
  record.ButtonText = text;
  TBBUTTON button{};
  button.iBitmap = AddButtonImages(*toolbar, record, image, hotImage, disabledImage);
  button.idCommand = id;
  button.fsState = TBSTATE_ENABLED;
  button.fsStyle = static_cast<BYTE>(flags & kButtonStyleBits);
  button.iString = AddButtonString(toolbar->Window, VisibleText(text));

  const int position = TakeToolbarInsertPosition(toolbar->Window);
  if (!InsertButton(toolbar->Window, position, button)) return -1;
  ButtonList().push_back(record);
  ResizeButtons(*toolbar);
  PlaceToolbarGadget();
  return position;
}

std::int32_t AddToolbarTextButton(std::int32_t id, const Text& text, std::uint32_t flags) {
  if ((flags & BTNS_SEP) != 0) return AddToolbarSeparator();
  return AddToolbarImageButton(id, text, nullptr, nullptr, nullptr, flags);
}

std::int32_t AddToolbarSeparator() {
  ToolbarRecord* toolbar = FindToolbarRecord(Toolbars.CurrentToolbar);
  if (toolbar == nullptr) return -1;
  TBBUTTON button{};
  button.iBitmap = kSeparatorWidth;
  button.fsStyle = BTNS_SEP;
  button.iString = -1;
  const int position = TakeToolbarInsertPosition(toolbar->Window);
  if (!InsertButton(toolbar->Window, position, button)) return -1;
  ToolbarButtonRecord record;
  record.ToolbarId = toolbar->Id;
  record.ToolbarWindow = toolbar->Window;
  ButtonList().push_back(record);
  TBBUTTONINFOW info{};
  info.cbSize = sizeof(info);
  info.dwMask = TBIF_SIZE | TBIF_BYINDEX;
  info.cx = kSeparatorWidth;
  SendMessageW(toolbar->Window, TB_SETBUTTONINFOW, position, reinterpret_cast<LPARAM>(&info));
  PlaceToolbarGadget();
  return position;
}

void PlaceToolbarGadget() {
  ToolbarRecord* toolbar = FindToolbarRecord(Toolbars.CurrentToolbar);
  if (toolbar == nullptr) return;
  for (const ToolbarButtonRecord& button : ButtonList()) {
    if (button.ToolbarWindow != toolbar->Window || button.GadgetWindow == nullptr) continue;
    const auto index = SendMessageW(toolbar->Window, TB_COMMANDTOINDEX, button.ButtonId, 0);
    RECT rect{};
    if (index < 0 || !SendMessageW(toolbar->Window, TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect))) continue;
    SetWindowPos(button.GadgetWindow, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOOWNERZORDER | SWP_NOACTIVATE | SWP_NOZORDER);
    wchar_t className[16] = {};
    GetClassNameW(button.GadgetWindow, className, 16);
    if (lstrcmpiW(className, L"ComboBox") == 0) {
      // The edit field's height; the combo box's border adds the rest of the button height.
      SendMessageW(button.GadgetWindow, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), (rect.bottom - rect.top) - 6);
    }
  }
}

int InsertImageListIcon(HIMAGELIST list, HICON icon, int position) {
  if (list == nullptr || icon == nullptr) return -1;
  int at = ImageList_ReplaceIcon(list, -1, icon);
  if (at < 0) return -1;
  if (position < 0) position = 0;
  while (at > position) {
    HICON below = ImageList_GetIcon(list, at - 1, ILD_NORMAL);
    HICON moved = ImageList_GetIcon(list, at, ILD_NORMAL);
    if (below == nullptr || moved == nullptr) {
      if (below != nullptr) DestroyIcon(below);
      if (moved != nullptr) DestroyIcon(moved);
      break;
    }
    ImageList_ReplaceIcon(list, at - 1, moved);
    ImageList_ReplaceIcon(list, at, below);
    DestroyIcon(below);
    DestroyIcon(moved);
    --at;
  }
  return at;
}

HWND GetToolbarWindow(std::intptr_t id) {
  const ToolbarRecord* toolbar = FindToolbarRecord(id);
  return toolbar != nullptr ? toolbar->Window : nullptr;
}

std::int32_t FreeSkinnedToolbar(std::intptr_t id) {
  std::int32_t freed = 0;
  auto& toolbars = ToolbarList();
  for (auto toolbar = toolbars.begin(); toolbar != toolbars.end();) {
    if (id != -1 && toolbar->Id != id && reinterpret_cast<std::intptr_t>(toolbar->Window) != id) {
      ++toolbar;
      continue;
    }
    HWND topLevel = GetAncestor(toolbar->Window, GA_ROOT);
    {
      ToolkitLockGuard lock(ToolkitLock::Menu);
      ToolbarTooltipList().remove_if([&](const ToolbarTooltipRecord& tip) { return tip.Toolbar == toolbar->Window; });
    }
    ButtonList().remove_if([&](const ToolbarButtonRecord& button) {
      if (button.ToolbarWindow != toolbar->Window) return false;
      if (button.GadgetWindow != nullptr && IsWindow(button.GadgetWindow)) {
        ShowWindow(button.GadgetWindow, SW_HIDE);
        SetParent(button.GadgetWindow, topLevel);
      }
      return true;
    });
    // Taken out of the window first, so that it never paints with a destroyed list.
    if (HasImageLists(*toolbar) && IsWindow(toolbar->Window)) {
      SendMessageW(toolbar->Window, TB_SETIMAGELIST, 0, 0);
      SendMessageW(toolbar->Window, TB_SETHOTIMAGELIST, 0, 0);
      SendMessageW(toolbar->Window, TB_SETDISABLEDIMAGELIST, 0, 0);
    }
    for (HIMAGELIST list : {toolbar->NormalImageList, toolbar->HotImageList, toolbar->DisabledImageList}) {
      if (list != nullptr) ImageList_Destroy(list);
    }
    FreeToolbarObject(toolbar->Window);
    if (Toolbars.CurrentToolbar == toolbar->Id) Toolbars.CurrentToolbar = -1;
    toolbar = toolbars.erase(toolbar);
    freed = 1;
  }
  return freed;
}

void ResetToolbarBuilderState() { Toolbars = ToolbarState{}; }
