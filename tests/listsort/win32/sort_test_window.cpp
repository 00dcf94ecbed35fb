#include "list_sort_fixture.h"

#include "runtime/win32/platform/wide_text.h"

#include <map>

namespace {

std::map<int, HWND> gadgets;

HWND LookUpGadget(int gadget) {
  g_lastLookupThread = GetCurrentThreadId();
  const auto found = gadgets.find(gadget);
  return found != gadgets.end() ? found->second : nullptr;
}

LRESULT CALLBACK TopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_COLUMNCLICK) ++g_topWindowColumnClicks;
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ForwardingContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) return SendMessageW(GetParent(window), message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND Create(const wchar_t* className, DWORD style, int x, int y, int width, int height, HWND parent, int id = 0) {
  return CreateWindowExW(0, className, L"", style, x, y, width, height, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
}

}  // namespace

SortTestWindow::SortTestWindow(const std::vector<Text>& columns, bool forwardingContainer) {
  static const bool registered = [] {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&controls);
    const std::pair<WNDPROC, const wchar_t*> classes[] = {{TopWindowProc, L"WindowClass_SortTest"},
                                                          {ForwardingContainerProc, L"SortTestForwardingContainer"},
                                                          {DefWindowProcW, L"SortTestPlainContainer"}};
    for (const auto& [procedure, name] : classes) {
      WNDCLASSEXW windowClass{};
      windowClass.cbSize = sizeof windowClass;
      windowClass.lpfnWndProc = procedure;
      windowClass.hInstance = GetModuleHandleW(nullptr);
      windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
      windowClass.lpszClassName = name;
      RegisterClassExW(&windowClass);
    }
    return true;
  }();
  (void)registered;
  g_topWindowColumnClicks = 0;
  top_ = Create(L"WindowClass_SortTest", WS_OVERLAPPEDWINDOW, 20, 20, 640, 480, nullptr);
  HWND container = Create(forwardingContainer ? L"SortTestForwardingContainer" : L"SortTestPlainContainer",
                          WS_CHILD | WS_VISIBLE, 0, 0, 600, 440, top_);
  for (const int gadget : {kListGadget, kOtherGadget}) {
    HWND list = Create(WC_LISTVIEWW, WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 10,
                       gadget == kListGadget ? 10 : 220, 560, 180, container, gadget);
    for (std::size_t i = 0; i < columns.size(); ++i) {
      Text heading = columns[i];
      LVCOLUMNW column{};
      column.mask = LVCF_TEXT | LVCF_WIDTH;
      column.cx = 100;
      column.pszText = WideBuffer(heading);
      ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
    gadgets[gadget] = list;
  }
  list_ = gadgets[kListGadget];
  SetListSortGadgetLookup(&LookUpGadget);
}

SortTestWindow::~SortTestWindow() {
  DestroyWindow(top_);
  gadgets.clear();
  while (PumpMessagesOnce()) {
  }
}

void SortTestWindow::AddRows(const Rows& rows) {
  for (const auto& cells : rows) {
    const int row = RowCount();
    for (std::size_t column = 0; column < cells.size(); ++column) {
      Text cell = cells[column];
      LVITEMW item{};
      item.mask = LVIF_TEXT;
      item.iItem = row;
      item.iSubItem = static_cast<int>(column);
      item.pszText = WideBuffer(cell);
      SendMessageW(list_, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
  }
}

std::vector<Text> SortTestWindow::Column(int column) const {
  std::vector<Text> cells;
  for (int row = 0; row < RowCount(); ++row) {
    wchar_t buffer[512] = {};
    ListView_GetItemText(list_, row, column, buffer, 512);
    cells.push_back(FromWide(buffer));
  }
  return cells;
}

LPARAM SortTestWindow::ItemData(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  ListView_GetItem(list_, &item);
  return item.lParam;
}

void SortTestWindow::ClickHeader(int column) {
  RECT rect{};
  Header_GetItemRect(header(), column, &rect);
  const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageW(header(), WM_MOUSEMOVE, 0, point);
  SendMessageW(header(), WM_LBUTTONDOWN, MK_LBUTTON, point);
  SendMessageW(header(), WM_LBUTTONUP, 0, point);
  while (PumpMessagesOnce()) {
  }
}

Text SortTestWindow::HeaderText(int column) const {
  wchar_t buffer[512] = {};
  HeaderItem(column, HDI_TEXT, buffer);
  return FromWide(buffer);
}

HDITEMW SortTestWindow::HeaderItem(int column, UINT mask, wchar_t* text) const {
  HDITEMW item{};
  item.mask = mask;
  item.pszText = text;
  item.cchTextMax = 512;
  Header_GetItem(header(), column, &item);
  return item;
}

bool PumpMessagesOnce() {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}
