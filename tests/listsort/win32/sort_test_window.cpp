#include "sort_test_window.h"

#include "runtime/win32/platform/wide_text.h"

#include <map>

namespace {

constexpr wchar_t kTopClass[] = L"WindowClass_SortTest";
constexpr wchar_t kForwardingContainerClass[] = L"SortTestForwardingContainer";
constexpr wchar_t kPlainContainerClass[] = L"SortTestPlainContainer";

std::map<int, HWND>& Gadgets() {
  static std::map<int, HWND> gadgets;
  return gadgets;
}

DWORD lookupThread = 0;

HWND LookUpGadget(int gadget) {
  lookupThread = GetCurrentThreadId();
  const auto found = Gadgets().find(gadget);
  return found != Gadgets().end() ? found->second : nullptr;
}

int topWindowColumnClicks = 0;

LRESULT CALLBACK TopWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_COLUMNCLICK) {
    ++topWindowColumnClicks;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ForwardingContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) return SendMessageW(GetParent(window), message, wParam, lParam);
  return DefWindowProcW(window, message, wParam, lParam);
}

void RegisterTestClasses() {
  static bool registered = false;
  if (registered) return;
  registered = true;
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpfnWndProc = TopWindowProc;
  windowClass.lpszClassName = kTopClass;
  RegisterClassExW(&windowClass);
  windowClass.lpfnWndProc = ForwardingContainerProc;
  windowClass.lpszClassName = kForwardingContainerClass;
  RegisterClassExW(&windowClass);
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.lpszClassName = kPlainContainerClass;
  RegisterClassExW(&windowClass);
}

HWND CreateReportList(HWND parent, int gadget, const std::vector<Text>& columns, int y) {
  HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                              WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, 10, y, 560, 180,
                              parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(gadget)),
                              GetModuleHandleW(nullptr), nullptr);
  for (std::size_t i = 0; i < columns.size(); ++i) {
    Text heading = columns[i];
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 100;
    column.pszText = WideBuffer(heading);
    SendMessageW(list, LVM_INSERTCOLUMNW, i, reinterpret_cast<LPARAM>(&column));
  }
  return list;
}

}  // namespace

SortTestWindow::SortTestWindow(std::vector<Text> columns, bool forwardingContainer) {
  RegisterTestClasses();
  topWindowColumnClicks = 0;
  top_ = CreateWindowExW(0, kTopClass, L"Sorting", WS_OVERLAPPEDWINDOW, 20, 20, 640,
                         480, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  container_ = CreateWindowExW(0, forwardingContainer ? kForwardingContainerClass : kPlainContainerClass,
                               L"", WS_CHILD | WS_VISIBLE, 0, 0, 600, 440, top_, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
  list_ = CreateReportList(container_, kListGadget, columns, 10);
  other_ = CreateReportList(container_, kOtherGadget, columns, 220);
  Gadgets() = {{kListGadget, list_}, {kOtherGadget, other_}};
  SetListSortGadgetLookup(&LookUpGadget);
}

SortTestWindow::~SortTestWindow() {
  DestroyWindow(top_);
  Gadgets().clear();
  while (PumpMessagesOnce()) {
  }
}

HWND SortTestWindow::header() const {
  return reinterpret_cast<HWND>(SendMessageW(list_, LVM_GETHEADER, 0, 0));
}

void SortTestWindow::AddRow(const std::vector<Text>& cells) {
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

void SortTestWindow::AddRows(const std::vector<std::vector<Text>>& rows) {
  for (const auto& row : rows) AddRow(row);
}

void SortTestWindow::DeleteAllRows() { SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0); }

int SortTestWindow::RowCount() const { return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0)); }

std::vector<Text> SortTestWindow::Column(int column) const {
  std::vector<Text> cells;
  for (int row = 0; row < RowCount(); ++row) {
    wchar_t buffer[512] = {};
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = 512;
    SendMessageW(list_, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
    cells.push_back(FromWide(buffer));
  }
  return cells;
}

LPARAM SortTestWindow::ItemData(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  SendMessageW(list_, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
  return item.lParam;
}

void SortTestWindow::ClickHeader(int column) {
  RECT rect{};
  SendMessageW(header(), HDM_GETITEMRECT, column, reinterpret_cast<LPARAM>(&rect));
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

int SortTestWindow::HeaderFormat(int column) const { return HeaderItem(column, HDI_FORMAT).fmt; }

int SortTestWindow::HeaderImage(int column) const { return HeaderItem(column, HDI_IMAGE).iImage; }

HDITEMW SortTestWindow::HeaderItem(int column, UINT mask, wchar_t* text) const {
  HDITEMW item{};
  item.mask = mask;
  item.pszText = text;
  item.cchTextMax = 512;
  SendMessageW(header(), HDM_GETITEMW, column, reinterpret_cast<LPARAM>(&item));
  return item;
}

int SortTestWindow::TopWindowColumnClicks() { return topWindowColumnClicks; }

DWORD SortTestWindow::LastLookupThread() { return lookupThread; }

bool PumpMessagesOnce() {
  MSG message;
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) return false;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}
