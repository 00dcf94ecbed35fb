// The runtime's own windows that hold gadgets: containers, tab pages, scroll areas and
// splitters. Each passes what its gadgets report on to the event queue.
#include "runtime/win32/gui_state.h"

namespace {

constexpr int kSplitterBar = 6;

GadgetRecord* GadgetOfHandle(HWND handle) { return FindGadget(GadgetNumberOf(handle)); }

LRESULT CALLBACK ContainerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (HandleParentMessage(window, message, wParam, lParam, result)) return result;
  return DefWindowProcW(window, message, wParam, lParam);
}

void Scroll(HWND area, int bar, int request) {
  GadgetRecord* gadget = GadgetOfHandle(area);
  if (gadget == nullptr) return;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_ALL;
  GetScrollInfo(area, bar, &info);
  int pos = info.nPos;
  switch (request) {
    case SB_LINEUP: pos -= gadget->scrollStep; break;
    case SB_LINEDOWN: pos += gadget->scrollStep; break;
    case SB_PAGEUP: pos -= static_cast<int>(info.nPage); break;
    case SB_PAGEDOWN: pos += static_cast<int>(info.nPage); break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: pos = info.nTrackPos; break;
    default: break;
  }
  const int maxPos = info.nMax - static_cast<int>(info.nPage) + 1;
  pos = pos < info.nMin ? info.nMin : pos > maxPos ? maxPos : pos;
  info.fMask = SIF_POS;
  info.nPos = pos;
  SetScrollInfo(area, bar, &info, TRUE);
  RECT r{};
  GetWindowRect(gadget->inner, &r);
  MapWindowPoints(nullptr, area, reinterpret_cast<POINT*>(&r), 2);
  const int x = bar == SB_HORZ ? -pos : r.left;
  const int y = bar == SB_VERT ? -pos : r.top;
  SetWindowPos(gadget->inner, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

void UpdateScrollBars(HWND area) {
  GadgetRecord* gadget = GadgetOfHandle(area);
  if (gadget == nullptr || gadget->inner == nullptr) return;
  RECT client{}, inner{};
  GetClientRect(area, &client);
  GetClientRect(gadget->inner, &inner);
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE;
  info.nMax = inner.right - 1;
  info.nPage = static_cast<UINT>(client.right);
  SetScrollInfo(area, SB_HORZ, &info, TRUE);
  info.nMax = inner.bottom - 1;
  info.nPage = static_cast<UINT>(client.bottom);
  SetScrollInfo(area, SB_VERT, &info, TRUE);
}

LRESULT CALLBACK ScrollAreaProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL: Scroll(window, SB_VERT, LOWORD(wParam)); return 0;
    case WM_HSCROLL: Scroll(window, SB_HORZ, LOWORD(wParam)); return 0;
    case WM_SIZE: UpdateScrollBars(window); break;
    default: break;
  }
  return ContainerProc(window, message, wParam, lParam);
}

bool OnBar(const GadgetRecord& splitter, int x, int y) {
  const int along = splitter.sideBySide ? x : y;
  return along >= splitter.position && along < splitter.position + kSplitterBar;
}

LRESULT CALLBACK SplitterProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  GadgetRecord* splitter = GadgetOfHandle(window);
  if (splitter != nullptr) {
    const int x = static_cast<short>(LOWORD(lParam));
    const int y = static_cast<short>(HIWORD(lParam));
    switch (message) {
      case WM_SETCURSOR: {
        POINT p{};
        GetCursorPos(&p);
        ScreenToClient(window, &p);
        if (OnBar(*splitter, p.x, p.y)) {
          SetCursor(LoadCursorW(nullptr, splitter->sideBySide ? IDC_SIZEWE : IDC_SIZENS));
          return TRUE;
        }
        break;
      }
      case WM_LBUTTONDOWN:
        if (OnBar(*splitter, x, y)) SetCapture(window);
        return 0;
      case WM_MOUSEMOVE:
        if (GetCapture() == window) {
          const int before = splitter->position;
          splitter->position = splitter->sideBySide ? x : y;
          LayoutSplitter(*splitter);
          // The two halves changed size: the program lays their contents out on an event.
          if (splitter->position != before) {
            PushEvent({kEventGadget, TopWindowNumberOf(window), GadgetNumberOf(window), -1, kEventTypeClick});
          }
        }
        return 0;
      case WM_LBUTTONUP:
        if (GetCapture() == window) ReleaseCapture();
        return 0;
      case WM_SIZE: LayoutSplitter(*splitter); break;
      default: break;
    }
  }
  return ContainerProc(window, message, wParam, lParam);
}

void RegisterClassOnce(const wchar_t* name, WNDPROC proc) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &wc)) return;
  wc.lpfnWndProc = proc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name;
  RegisterClassExW(&wc);
}

}  // namespace

void RegisterGadgetClasses() {
  RegisterClassOnce(L"GadgetContainer", ContainerProc);
  RegisterClassOnce(L"GadgetScrollArea", ScrollAreaProc);
  RegisterClassOnce(L"GadgetSplitter", SplitterProc);
}

void LayoutSplitter(GadgetRecord& splitter) {
  RECT client{};
  GetClientRect(splitter.handle, &client);
  const int extent = splitter.sideBySide ? client.right : client.bottom;
  const int maxPosition = extent - kSplitterBar;
  if (splitter.position > maxPosition) splitter.position = maxPosition;
  if (splitter.position < 0) splitter.position = 0;
  const int p = splitter.position;
  const int rest = extent - p - kSplitterBar;
  GadgetRecord* first = FindGadget(splitter.first);
  GadgetRecord* second = FindGadget(splitter.second);
  QuietScope quiet;
  if (splitter.sideBySide) {
    if (first) MoveWindow(first->handle, 0, 0, p, client.bottom, TRUE);
    if (second) MoveWindow(second->handle, p + kSplitterBar, 0, rest, client.bottom, TRUE);
  } else {
    if (first) MoveWindow(first->handle, 0, 0, client.right, p, TRUE);
    if (second) MoveWindow(second->handle, 0, p + kSplitterBar, client.right, rest, TRUE);
  }
}
