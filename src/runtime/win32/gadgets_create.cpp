// Creating gadgets in the current gadget list.

#include "runtime/win32/gui_state.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

HWND CurrentParent() {
  auto& lists = Gui.gadgetLists;
  while (!lists.empty() && !IsWindow(lists.back())) lists.pop_back();
  return lists.empty() ? nullptr : lists.back();
}

std::intptr_t Register(int requested, int number, HWND handle, GadgetRecord record) {
  if (handle == nullptr) return 0;
  record.handle = handle;
  SendMessageW(handle, WM_SETFONT, reinterpret_cast<WPARAM>(DefaultGuiFont()), FALSE);
  Gui.lastWasOption = record.kind == GadgetKind::Option;
  Gui.gadgets[number] = std::move(record);
  return requested == -1 ? number : reinterpret_cast<std::intptr_t>(handle);
}

// Creates the control; the number is its id. An existing gadget of the number goes first.
HWND MakeControl(int number, const wchar_t* className, TextView text, DWORD style, DWORD exStyle,
                 int x, int y, int w, int h) {
  if (IsGadgetNumber(number)) FreeGadget(number);
  HWND parent = CurrentParent();
  if (parent == nullptr) return nullptr;
  QuietScope quiet;
  const Text title(text);
  return CreateWindowExW(exStyle, className, Wide(title), WS_CHILD | WS_VISIBLE | style, x, y, w, h,
                         parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(number)),
                         GetModuleHandleW(nullptr), nullptr);
}

DWORD BorderExStyle(std::uint32_t border) {
  return (border & kBorderSunken ? WS_EX_CLIENTEDGE : 0) | (border & kBorderThinSunken ? WS_EX_STATICEDGE : 0);
}

std::intptr_t Simple(int gadget, GadgetKind kind, const wchar_t* cls, TextView text, DWORD style,
                     DWORD exStyle, int x, int y, int w, int h) {
  if (gadget < -1) return 0;
  const int number = TakeNumber(gadget);
  GadgetRecord record;
  record.kind = kind;
  return Register(gadget, number, MakeControl(number, cls, text, style, exStyle, x, y, w, h), record);
}

LRESULT CALLBACK TabPanelSubclass(HWND panel, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR) {
  const LRESULT result = DefSubclassProc(panel, message, wParam, lParam);
  if (message == WM_SIZE) {
    if (GadgetRecord* gadget = FindGadget(GadgetNumberOf(panel))) {
      RECT page{};
      GetClientRect(panel, &page);
      TabCtrl_AdjustRect(panel, FALSE, &page);
      for (HWND p : gadget->pages) {
        MoveWindow(p, page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
      }
    }
  }
  return result;
}

}  // namespace

void UseGadgetList(int window) {
  if (HWND handle = WindowHandle(window)) Gui.gadgetLists = {handle};
}

void CloseGadgetList() {
  auto& lists = Gui.gadgetLists;
  if (lists.size() > 1) lists.pop_back();
}

std::intptr_t CreateReportList(int gadget, int x, int y, int w, int h, TextView firstTitle,
                               int firstWidth, std::uint32_t flags) {
  DWORD style = LVS_REPORT | WS_TABSTOP;
  if (!(flags & kReportMultiSelect)) style |= LVS_SINGLESEL;
  if (flags & kReportAlwaysShowSelection) style |= LVS_SHOWSELALWAYS;
  const std::intptr_t made = Simple(gadget, GadgetKind::ReportList, WC_LISTVIEWW, u"", style,
                                    WS_EX_CLIENTEDGE, x, y, w, h);
  if (made == 0) return 0;
  const int number = gadget == -1 ? static_cast<int>(made) : gadget;
  DWORD extended = LVS_EX_DOUBLEBUFFER;
  if (flags & kReportFullRowSelect) extended |= LVS_EX_FULLROWSELECT;
  if (flags & kReportHeaderDragDrop) extended |= LVS_EX_HEADERDRAGDROP;
  ListView_SetExtendedListViewStyle(GadgetHandle(number), extended);
  AddGadgetColumn(number, 0, firstTitle, firstWidth);
  return made;
}

std::intptr_t CreateListBox(int gadget, int x, int y, int w, int h) {
  return Simple(gadget, GadgetKind::ListBox, L"LISTBOX", u"",
                LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, x, y, w, h);
}

std::intptr_t CreateStringField(int gadget, int x, int y, int w, int h, TextView text, std::uint32_t flags) {
  DWORD style = ES_AUTOHSCROLL | WS_TABSTOP;
  if (flags & kStringPassword) style |= ES_PASSWORD;
  if (flags & kStringDigitsOnly) style |= ES_NUMBER;
  if (flags & kStringReadOnly) style |= ES_READONLY;
  return Simple(gadget, GadgetKind::StringField, L"EDIT", text, style, WS_EX_CLIENTEDGE, x, y, w, h);
}

std::intptr_t CreateTextLabel(int gadget, int x, int y, int w, int h, TextView text) {
  return Simple(gadget, GadgetKind::TextLabel, L"STATIC", text, SS_LEFT | SS_NOTIFY, 0, x, y, w, h);
}

std::intptr_t CreateButton(int gadget, int x, int y, int w, int h, TextView text, std::uint32_t flags) {
  DWORD style = WS_TABSTOP | (flags & kButtonDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
  if (flags & kButtonFlat) style |= BS_FLAT;
  return Simple(gadget, GadgetKind::Button, L"BUTTON", text, style, 0, x, y, w, h);
}

std::intptr_t CreateCheckBox(int gadget, int x, int y, int w, int h, TextView text) {
  return Simple(gadget, GadgetKind::CheckBox, L"BUTTON", text, BS_AUTOCHECKBOX | WS_TABSTOP, 0, x, y, w, h);
}

std::intptr_t CreateOption(int gadget, int x, int y, int w, int h, TextView text) {
  const DWORD group = Gui.lastWasOption ? 0 : WS_GROUP | WS_TABSTOP;
  return Simple(gadget, GadgetKind::Option, L"BUTTON", text, BS_AUTORADIOBUTTON | group, 0, x, y, w, h);
}

std::intptr_t CreateComboBox(int gadget, int x, int y, int w, int h, std::uint32_t flags) {
  const DWORD style = (flags & kComboEditable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST) |
                      WS_VSCROLL | WS_TABSTOP;
  // The height given is the closed box's; the drop-down list needs room below it.
  const std::intptr_t made = Simple(gadget, GadgetKind::ComboBox, L"COMBOBOX", u"", style, 0, x, y, w, h + 200);
  if (made != 0) {
    const int number = gadget == -1 ? static_cast<int>(made) : gadget;
    SendMessageW(GadgetHandle(number), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), h > 6 ? h - 6 : h);
  }
  return made;
}

std::intptr_t CreateTree(int gadget, int x, int y, int w, int h) {
  return Simple(gadget, GadgetKind::Tree, WC_TREEVIEWW, u"",
                TVS_SHOWSELALWAYS | TVS_FULLROWSELECT | WS_TABSTOP, WS_EX_CLIENTEDGE, x, y, w, h);
}

std::intptr_t CreateFrame(int gadget, int x, int y, int w, int h, TextView text) {
  return Simple(gadget, GadgetKind::Frame, L"BUTTON", text, BS_GROUPBOX, 0, x, y, w, h);
}

std::intptr_t CreateImageBox(int gadget, int x, int y, int w, int h, int image) {
  const ImageRecord* picture = nullptr;
  if (const auto found = Gui.images.find(image); found != Gui.images.end()) picture = &found->second;
  const DWORD kind = picture != nullptr && picture->icon != nullptr ? SS_ICON : SS_BITMAP;
  if (w == 0 && picture) w = picture->width;
  if (h == 0 && picture) h = picture->height;
  const std::intptr_t made = Simple(gadget, GadgetKind::ImageBox, L"STATIC", u"",
                                    kind | SS_NOTIFY | SS_REALSIZECONTROL, 0, x, y, w, h);
  if (made != 0 && picture != nullptr) {
    const HWND handle = GadgetHandle(gadget == -1 ? static_cast<int>(made) : gadget);
    if (picture->icon) {
      SendMessageW(handle, STM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture->icon));
    } else {
      SendMessageW(handle, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture->bitmap));
    }
  }
  return made;
}

std::intptr_t CreateContainer(int gadget, int x, int y, int w, int h, std::uint32_t border) {
  RegisterGadgetClasses();
  DWORD style = WS_CLIPCHILDREN | (border & kBorderSingle ? WS_BORDER : 0);
  const std::intptr_t made = Simple(gadget, GadgetKind::Container, L"GadgetContainer", u"", style,
                                    WS_EX_CONTROLPARENT | BorderExStyle(border), x, y, w, h);
  if (made != 0) {
    const HWND handle = GadgetHandle(gadget == -1 ? static_cast<int>(made) : gadget);
    FindGadget(GadgetNumberOf(handle))->inner = handle;
    Gui.gadgetLists.push_back(handle);
  }
  return made;
}

std::intptr_t CreateTabPanel(int gadget, int x, int y, int w, int h) {
  const std::intptr_t made = Simple(gadget, GadgetKind::TabPanel, WC_TABCONTROLW, u"",
                                    WS_CLIPCHILDREN | WS_TABSTOP, WS_EX_CONTROLPARENT, x, y, w, h);
  if (made != 0) {
    const HWND handle = GadgetHandle(gadget == -1 ? static_cast<int>(made) : gadget);
    SetWindowSubclass(handle, TabPanelSubclass, 1, 0);
    Gui.gadgetLists.push_back(handle);
  }
  return made;
}

void AddTab(int panel, int position, TextView text) {
  GadgetRecord* record = FindGadget(panel);
  if (record == nullptr || record->kind != GadgetKind::TabPanel) return;
  QuietScope quiet;
  const HWND tabs = record->handle;
  const int count = TabCtrl_GetItemCount(tabs);
  const int at = position < 0 || position > count ? count : position;
  Text title(text);
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = WideBuffer(title);
  TabCtrl_InsertItem(tabs, at, &item);
  RECT page{};
  GetClientRect(tabs, &page);
  TabCtrl_AdjustRect(tabs, FALSE, &page);
  HWND pageWindow = CreateWindowExW(WS_EX_CONTROLPARENT, L"GadgetContainer", L"", WS_CHILD | WS_CLIPCHILDREN,
                                    page.left, page.top, page.right - page.left, page.bottom - page.top,
                                    tabs, nullptr, GetModuleHandleW(nullptr), nullptr);
  record->pages.insert(record->pages.begin() + at, pageWindow);
  if (TabCtrl_GetCurSel(tabs) < 0) TabCtrl_SetCurSel(tabs, 0);
  ShowWindow(pageWindow, TabCtrl_GetCurSel(tabs) == at ? SW_SHOW : SW_HIDE);
  auto& lists = Gui.gadgetLists;
  const bool onPanel = !lists.empty() && (lists.back() == tabs || GetParent(lists.back()) == tabs);
  if (onPanel) lists.back() = pageWindow;
}

std::intptr_t CreateScrollArea(int gadget, int x, int y, int w, int h, int innerWidth, int innerHeight,
                               int scrollStep, std::uint32_t border) {
  RegisterGadgetClasses();
  const std::intptr_t made =
      Simple(gadget, GadgetKind::ScrollArea, L"GadgetScrollArea", u"",
             WS_CLIPCHILDREN | WS_HSCROLL | WS_VSCROLL | (border & kBorderSingle ? WS_BORDER : 0),
             WS_EX_CONTROLPARENT | BorderExStyle(border), x, y, w, h);
  if (made == 0) return 0;
  const HWND area = GadgetHandle(gadget == -1 ? static_cast<int>(made) : gadget);
  GadgetRecord* record = FindGadget(GadgetNumberOf(area));
  record->scrollStep = scrollStep > 0 ? scrollStep : 1;
  record->inner = CreateWindowExW(WS_EX_CONTROLPARENT, L"GadgetContainer", L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, innerWidth, innerHeight,
                                  area, nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(area, WM_SIZE, 0, 0);
  Gui.gadgetLists.push_back(record->inner);
  return made;
}

std::intptr_t CreateSplitter(int gadget, int x, int y, int w, int h, int first, int second,
                             std::uint32_t flags) {
  RegisterGadgetClasses();
  GadgetRecord* a = FindGadget(first);
  GadgetRecord* b = FindGadget(second);
  if (a == nullptr || b == nullptr) return 0;
  const std::intptr_t made = Simple(gadget, GadgetKind::Splitter, L"GadgetSplitter", u"",
                                    WS_CLIPCHILDREN, WS_EX_CONTROLPARENT, x, y, w, h);
  if (made == 0) return 0;
  const HWND handle = GadgetHandle(gadget == -1 ? static_cast<int>(made) : gadget);
  GadgetRecord* record = FindGadget(GadgetNumberOf(handle));
  record->first = first;
  record->second = second;
  record->sideBySide = (flags & kSplitterSideBySide) != 0;
  record->position = (record->sideBySide ? w : h) / 2;
  SetParent(FindGadget(first)->handle, handle);
  SetParent(FindGadget(second)->handle, handle);
  LayoutSplitter(*record);
  return made;
}

HFONT CreateFontHandle(TextView face, int points, bool bold) {
  HDC screen = GetDC(nullptr);
  const int height = -MulDiv(points, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  const Text name(face);
  return CreateFontW(height, 0, 0, 0, bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                     OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, PROOF_QUALITY, DEFAULT_PITCH, Wide(name));
}
