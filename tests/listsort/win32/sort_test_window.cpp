#include "list_sort_fixture.h"

#include "runtime/win32/platform/wide_text.h"

namespace {

WNDPROC topWindowProc = nullptr;
WNDPROC containerProc = nullptr;

LRESULT CALLBACK CountColumnClicks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == LVN_COLUMNCLICK) ++g_topWindowColumnClicks;
  return CallWindowProcW(topWindowProc, window, message, wParam, lParam);
}

LRESULT CALLBACK ForwardNotifications(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NOTIFY) return SendMessageW(GetParent(window), message, wParam, lParam);
  return CallWindowProcW(containerProc, window, message, wParam, lParam);
}

WNDPROC Subclass(HWND window, WNDPROC procedure) {
  return reinterpret_cast<WNDPROC>(SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(procedure)));
}

}  // namespace

SortTestWindow::SortTestWindow(const std::vector<Text>& columns, bool forwardingContainer) {
  g_topWindowColumnClicks = 0;
  OpenWindow(1, 20, 20, 640, 480, u"Sorting", kWindowTitleBar | kWindowInvisible);
  CreateContainer(2, 0, 0, 600, 440);
  for (const int gadget : {kListGadget, kOtherGadget}) {
    CreateReportList(gadget, 10, gadget == kListGadget ? 10 : 220, 560, 180, columns[0], 100, kReportAlwaysShowSelection);
    for (std::size_t i = 1; i < columns.size(); ++i) AddGadgetColumn(gadget, static_cast<int>(i), columns[i], 100);
  }
  CloseGadgetList();
  topWindowProc = Subclass(top(), CountColumnClicks);
  if (forwardingContainer) containerProc = Subclass(GadgetHandle(2), ForwardNotifications);
  SetListSortGadgetLookup([](int gadget) {
    g_lastLookupThread = GetCurrentThreadId();
    return GadgetHandle(gadget);
  });
}

SortTestWindow::~SortTestWindow() {
  FreeWindow(1);
  while (PumpMessagesOnce()) {
  }
}

void SortTestWindow::AddRows(const Rows& rows) {
  for (const auto& cells : rows) {
    Text line = cells[0];
    for (std::size_t column = 1; column < cells.size(); ++column) line += u"\n" + cells[column];
    AddGadgetItem(kListGadget, -1, line);
  }
}

std::vector<Text> SortTestWindow::Column(int column) const {
  std::vector<Text> cells;
  for (int row = 0; row < RowCount(); ++row) cells.push_back(GadgetItemText(kListGadget, row, column));
  return cells;
}

LPARAM SortTestWindow::ItemData(int row) const {
  LVITEMW item{};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  ListView_GetItem(list(), &item);
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
