#include "runtime/win32/gui.h"
// After windows.h, which gui.h brings.
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "../portable/png_bytes.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

// Window 10, with nothing waiting in the queue, so that a test sees only what it causes.
class Gui : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(OpenWindow(10, 50, 60, 400, 300, u"Test window", kWindowSystemMenu | kWindowTitleBar), 0);
    for (int round = 0; round < 1000 && WindowEvent() != kEventNone; ++round) {
    }
  }
  void TearDown() override { FreeWindow(10); }
};

}  // namespace

TEST_F(Gui, ResizingKeepsWhatIsNotGivenAndReopeningAtTheReportedPlaceDoesNotDrift) {
  ResizeWindow(10, kKeep, kKeep, 500, kKeep);
  EXPECT_EQ(WindowInnerWidth(10), 500);
  EXPECT_EQ(WindowInnerHeight(10), 300);
  EXPECT_EQ(WindowX(10), 50);
  ResizeWindow(10, 70, 80, kKeep, 250);
  EXPECT_EQ(WindowX(10), 70);
  EXPECT_EQ(WindowY(10), 80);
  EXPECT_EQ(WindowInnerHeight(10), 250);
  EXPECT_EQ(WindowEvent(), kEventNone) << "the program's own resize raises nothing";
  ASSERT_NE(OpenWindow(10, 70, 80, 400, 300, u"Again", kWindowTitleBar), 0);
  EXPECT_EQ(WindowX(10), 70);
  EXPECT_EQ(WindowY(10), 80);
}

// Moved by the user (the system moves it), then maximised or minimised before anyone looked.
TEST_F(Gui, AWindowKeepsTheGeometryItLastHadInNormalState) {
  const auto geometry = [] { return std::tuple(WindowX(10), WindowY(10), WindowInnerWidth(10), WindowInnerHeight(10)); };
  ASSERT_NE(OpenWindow(10, 50, 60, 400, 300, u"Test window", kWindowSystemMenu | kWindowTitleBar | kWindowSizeable |
                                                                  kWindowMaximizeBox | kWindowMinimizeBox),
            0);
  const WindowGeometry opened = WindowNormalGeometry(10);
  EXPECT_EQ(std::tuple(opened.X, opened.Y, opened.InnerWidth, opened.InnerHeight), geometry());
  EXPECT_EQ(std::tuple(opened.X, opened.Y, opened.InnerWidth, opened.InnerHeight), std::tuple(50, 60, 400, 300));
  for (const int state : {SW_MAXIMIZE, SW_MINIMIZE}) {
    SetWindowPos(WindowHandle(10), nullptr, 90, 70, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(WindowHandle(10), state);
    ASSERT_NE(WindowState(10), 0);
    const WindowGeometry normal = WindowNormalGeometry(10);
    EXPECT_EQ(std::tuple(normal.X, normal.Y, normal.InnerWidth, normal.InnerHeight), std::tuple(90, 70, 400, 300));
    ShowWindow(WindowHandle(10), SW_RESTORE);
    EXPECT_EQ(WindowNormalGeometry(10), normal);
    ResizeWindow(10, 50, 60, kKeep, kKeep);
  }
  EXPECT_EQ(WindowNormalGeometry(11), WindowGeometry());
}

// -1 asks for a fresh number; a gadget's number is its control id.
TEST_F(Gui, NumbersThatNameNothingDoNothingAndFreshNumbersAreReturned) {
  EXPECT_EQ(WindowHandle(99), nullptr);
  EXPECT_EQ(WindowInnerWidth(99), 0);
  EXPECT_EQ(GadgetText(99), u"");
  EXPECT_EQ(GadgetState(99), 0);
  EXPECT_EQ(CountGadgetItems(99), 0);
  SetGadgetText(99, u"x");
  DisableGadget(99, true);
  FreeWindow(99);
  const auto fresh = static_cast<int>(OpenWindow(-1, 0, 0, 100, 100, u"Fresh", kWindowInvisible));
  ASSERT_GT(fresh, 0);
  EXPECT_TRUE(IsWindowNumber(fresh));
  EXPECT_FALSE(IsWindowVisible(WindowHandle(fresh)));
  const auto button = static_cast<int>(CreateButton(-1, 1, 1, 50, 20, u"B"));
  ASSERT_GT(button, 0);
  EXPECT_EQ(GetDlgCtrlID(GadgetHandle(button)), button);
  FreeWindow(fresh);
  EXPECT_FALSE(IsWindowNumber(fresh));
  EXPECT_FALSE(IsGadgetNumber(button));
}

TEST_F(Gui, ProgramChangesRaiseNoEventsButTheUsersAndTheCloseBoxDoAndReturnClicksTheDefault) {
  CreateStringField(50, 0, 0, 100, 20, u"");
  CreateButton(54, 0, 30, 100, 20, u"Add", kButtonDefault);
  SetGadgetText(50, u"by the program");
  EXPECT_EQ(WindowEvent(), kEventNone);
  SendMessageW(GadgetHandle(50), EM_SETSEL, 14, 14);
  SendMessageW(GadgetHandle(50), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"typed"));
  ASSERT_EQ(WindowEvent(), kEventGadget);
  EXPECT_EQ(EventWindow(), 10);
  EXPECT_EQ(EventGadget(), 50);
  EXPECT_EQ(EventType(), kEventTypeChange);
  EXPECT_EQ(GadgetText(50), u"by the programtyped");
  SendMessageW(GadgetHandle(54), BM_CLICK, 0, 0);
  ASSERT_EQ(WindowEvent(), kEventGadget);
  EXPECT_EQ(EventGadget(), 54);
  EXPECT_EQ(EventType(), kEventTypeClick);
  PostMessageW(GadgetHandle(50), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_EQ(WindowEvent(), kEventGadget);
  EXPECT_EQ(EventGadget(), 54);
  SendMessageW(WindowHandle(10), WM_CLOSE, 0, 0);
  EXPECT_EQ(WindowEvent(), kEventCloseWindow);
  EXPECT_EQ(EventWindow(), 10);
  EXPECT_TRUE(IsWindow(WindowHandle(10))) << "the close box leaves the window to the program";
}

// Selections and combo boxes are driven end to end through the program's dialogs.
TEST_F(Gui, ListAndTreeItemsAndLongCells) {
  ASSERT_NE(CreateReportList(9, 0, 0, 300, 200, u"Name", 95, kReportFullRowSelect | kReportAlwaysShowSelection), 0);
  AddGadgetColumn(9, 1, u"Ping", 40);
  AddGadgetColumn(9, 2, u"GUID", 120);
  AddGadgetItem(9, -1, u"alice\n25\nabc");
  AddGadgetItem(9, -1, u"bob\n\u00e9\ndef");
  AddGadgetItem(9, 0, u"first");
  ASSERT_EQ(CountGadgetItems(9), 3);
  EXPECT_EQ(GadgetItemText(9, 0, 0), u"first");
  EXPECT_EQ(GadgetItemText(9, 2, 1), u"\u00e9");
  EXPECT_EQ(GadgetItemText(9, 1, 2), u"abc");
  EXPECT_EQ(GadgetState(9), -1);
  SetGadgetState(9, 2);
  EXPECT_EQ(GadgetText(9), u"bob");
  const Text longText(3000, u'x');
  AddGadgetItem(9, -1, longText + u"\n" + longText + u"y");
  EXPECT_EQ(GadgetItemText(9, 3, 0), longText);
  EXPECT_EQ(GadgetItemText(9, 3, 1), longText + u"y");

  CreateTree(44, 110, 0, 100, 100);
  AddGadgetItem(44, -1, u"Home");
  AddGadgetItem(44, -1, longText);
  EXPECT_EQ(GadgetItemText(44, 1), longText);
  EXPECT_EQ(WindowEvent(), kEventNone);
}

// Gadgets made after AddTab go onto that tab's page until CloseGadgetList; their events reach the window.
TEST_F(Gui, TabPagesAndScrollAreasHoldGadgets) {
  CreateTabPanel(8, 0, 0, 300, 200);
  AddTab(8, -1, u"Players");
  CreateButton(21, 0, 0, 80, 20, u"REFRESH");
  AddTab(8, -1, u"Bans");
  CreateListBox(14, 0, 0, 80, 80);
  CloseGadgetList();
  CreateStringField(28, 0, 210, 65, 20, u"7", kStringDigitsOnly);
  EXPECT_EQ(GetParent(GadgetHandle(28)), WindowHandle(10));
  EXPECT_TRUE(GetWindowLongW(GadgetHandle(28), GWL_STYLE) & ES_NUMBER);
  HWND page = GetParent(GadgetHandle(21));
  EXPECT_EQ(GetParent(page), GadgetHandle(8));
  EXPECT_NE(GetParent(GadgetHandle(14)), page);
  EXPECT_EQ(CountGadgetItems(8), 2);
  EXPECT_EQ(GadgetState(8), 0);
  EXPECT_TRUE(IsWindowVisible(GadgetHandle(21)));
  EXPECT_FALSE(IsWindowVisible(GadgetHandle(14)));
  SetGadgetState(8, 1);
  EXPECT_EQ(GadgetText(8), u"Bans");
  EXPECT_TRUE(IsWindowVisible(GadgetHandle(14)));
  EXPECT_FALSE(IsWindowVisible(GadgetHandle(21)));
  EXPECT_EQ(WindowEvent(), kEventNone);
  SendMessageW(GadgetHandle(21), BM_CLICK, 0, 0);
  ASSERT_EQ(WindowEvent(), kEventGadget);
  EXPECT_EQ(EventWindow(), 10);
  EXPECT_EQ(EventGadget(), 21);

  ASSERT_NE(CreateScrollArea(0, 250, 10, 140, 170, 300, 420, 30), 0);
  CreateTextLabel(-1, 0, 0, 280, 420, u"Thanks");
  CloseGadgetList();
  HWND area = GadgetHandle(0);
  HWND inner = GetWindow(area, GW_CHILD);
  ASSERT_NE(inner, nullptr);
  RECT r{};
  GetClientRect(inner, &r);
  EXPECT_EQ(r.right, 300);
  EXPECT_EQ(r.bottom, 420);
  SendMessageW(area, WM_VSCROLL, SB_LINEDOWN, 0);
  GetWindowRect(inner, &r);
  MapWindowPoints(nullptr, area, reinterpret_cast<POINT*>(&r), 2);
  EXPECT_EQ(r.top, -30);
}

// A PNG becomes a premultiplied bitmap that an image box takes the size of.
TEST_F(Gui, ImagesFromIconAndPngBytes) {
  // 2 x 2 at 32 bits: directory and entry, header of double height, four pixels, the AND mask.
  char icon[86] = {0, 0, 1, 0, 1, 0, 2, 2, 0, 0, 1, 0, 32, 0, 64, 0, 0, 0, 22, 0, 0, 0,
                   40, 0, 0, 0, 2, 0, 0, 0, 4, 0, 0, 0, 1, 0, 32};
  for (int pixel = 0; pixel < 4; ++pixel) std::memcpy(icon + 62 + pixel * 4, "\x99\x66\x33\xFF", 4);
  ASSERT_NE(DecodeImage(3, std::string_view(icon, sizeof icon)), 0);
  EXPECT_EQ(ImageWidth(3), 2);
  EXPECT_EQ(ImageHeight(3), 2);
  EXPECT_EQ(DecodeImage(4, "no image at all"), 0);
  EXPECT_FALSE(IsImageNumber(4));
  CreateTree(44, 0, 0, 100, 100);
  AddGadgetItem(44, -1, u"Home", 3);
  TVITEMW item{};
  item.mask = TVIF_IMAGE;
  item.hItem = TreeView_GetRoot(GadgetHandle(44));
  ASSERT_TRUE(TreeView_GetItem(GadgetHandle(44), &item));
  EXPECT_EQ(item.iImage, 0);
  EXPECT_NE(TreeView_GetImageList(GadgetHandle(44), TVSIL_NORMAL), nullptr);
  FreeImage(3);
  EXPECT_FALSE(IsImageNumber(3));

  ASSERT_NE(DecodeImage(0, EncodePng(3, 2, {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0,
                                            10, 20, 30, 40, 50, 60, 70, 80, 200, 100, 50, 255})), 0);
  ASSERT_NE(CreateImageBox(22, 20, 180, 0, 0, 0), 0);
  EXPECT_EQ(GadgetWidth(22), 3);
  EXPECT_EQ(GadgetHeight(22), 2);
  auto bitmap = reinterpret_cast<HBITMAP>(SendMessageW(GadgetHandle(22), STM_GETIMAGE, IMAGE_BITMAP, 0));
  ASSERT_NE(bitmap, nullptr);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 3;
  info.bmiHeader.biHeight = -2;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  std::uint8_t bgra[24] = {};
  HDC dc = GetDC(nullptr);
  ASSERT_EQ(GetDIBits(dc, bitmap, 0, 2, bgra, &info, DIB_RGB_COLORS), 2);
  ReleaseDC(nullptr, dc);
  EXPECT_EQ(bgra[2], 255);                  // red, opaque
  EXPECT_EQ(bgra[4 + 1], 255 * 128 / 255);  // green at half alpha, premultiplied
  EXPECT_EQ(bgra[4 + 3], 128);
  EXPECT_EQ(bgra[8 + 0], 0);                // blue, fully transparent
  EXPECT_EQ(bgra[20 + 0], 50);              // B, G, R of the last pixel
  EXPECT_EQ(bgra[20 + 2], 200);
  FreeImage(0);
}

TEST(WindowFlags, HiddenMaximisedWindowShowsMaximised) {
  ASSERT_NE(OpenWindow(20, 10, 10, 300, 200, u"Main",
                       kWindowTitleBar | kWindowSystemMenu | kWindowSizeable | kWindowMaximizeBox |
                           kWindowMinimizeBox | kWindowInvisible | kWindowMaximized),
            0);
  EXPECT_EQ(GetWindowLongW(WindowHandle(20), GWL_STYLE) & (WS_THICKFRAME | WS_MAXIMIZEBOX), WS_THICKFRAME | WS_MAXIMIZEBOX);
  HideWindow(20, false);
  EXPECT_TRUE(IsWindowVisible(WindowHandle(20)));
  EXPECT_EQ(WindowState(20), static_cast<std::int32_t>(kWindowMaximized));
  FreeWindow(20);
}

TEST_F(Gui, DraggingTheSplitterBarMovesIt) {
  CreateListBox(13, 0, 0, 10, 10);
  CreateListBox(14, 0, 0, 10, 10);
  ASSERT_NE(CreateSplitter(12, 0, 0, 400, 300, 13, 14), 0);
  SetGadgetState(12, 200);
  HWND bar = GadgetHandle(12);
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 202));
  SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 120));
  SendMessageW(bar, WM_LBUTTONUP, 0, MAKELPARAM(50, 120));
  EXPECT_EQ(GadgetState(12), 120);
  EXPECT_EQ(GadgetHeight(13), 120);
  // The halves changed size: one event, so that the program lays their contents out.
  ASSERT_EQ(WindowEvent(), kEventGadget);
  EXPECT_EQ(EventGadget(), 12);
  EXPECT_EQ(WindowEvent(), kEventNone);
  SendMessageW(bar, WM_MOUSEMOVE, 0, MAKELPARAM(50, 20));
  EXPECT_EQ(GadgetState(12), 120) << "a move without the button held changes nothing";
  SendMessageW(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 20));
  SendMessageW(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(50, 60));
  SendMessageW(bar, WM_LBUTTONUP, 0, 0);
  EXPECT_EQ(GadgetState(12), 120) << "a press beside the bar does not grab it";
  EXPECT_EQ(WindowEvent(), kEventNone);
}

TEST_F(Gui, AQuitMessageEndsTheWaitAndStaysQueuedForOuterLoops) {
  PostQuitMessage(3);
  EXPECT_EQ(WaitWindowEvent(), kEventQuit);
  MSG quit{};
  ASSERT_TRUE(PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 3u);
}

namespace {
// What the control shows on its surface, one colour per pixel, row by row.
std::vector<COLORREF> ShownPixels(HWND control) {
  RECT area{};
  GetClientRect(control, &area);
  const HDC surface = GetDC(control);
  const HDC memory = CreateCompatibleDC(surface);
  const HBITMAP bitmap = CreateCompatibleBitmap(surface, area.right, area.bottom);
  const HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, area.right, area.bottom, surface, 0, 0, SRCCOPY);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < area.bottom; ++y) {
    for (int x = 0; x < area.right; ++x) pixels.push_back(GetPixel(memory, x, y));
  }
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(control, surface);
  return pixels;
}

void PaintWhatWaits(HWND window) { RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }
}  // namespace

// The size grip is drawn at the bar's right edge: after the window grew (wider, or wider and
// taller at once, as a maximise does) the bar shows what a fresh repaint of it shows, with no
// grip left where the edge was.
TEST_F(Gui, AStatusBarShowsNoOldSizeGripAfterItsWindowGrew) {
  ASSERT_NE(OpenWindow(10, 50, 60, 300, 200, u"Test window", kWindowSystemMenu | kWindowTitleBar | kWindowSizeable), 0);
  ASSERT_NE(CreateStatusBar(3, 10), 0);
  for (const int width : {80, 60, 80}) AddStatusField(3, width);
  const HWND bar = StatusBarHandle(3);
  const HWND window = WindowHandle(10);
  PaintWhatWaits(window);
  for (const auto& [width, height] : {std::pair{420, 200}, std::pair{560, 320}}) {
    ResizeWindow(10, kKeep, kKeep, width, height);
    PaintWhatWaits(window);
    RECT area{};
    GetClientRect(bar, &area);
    ASSERT_EQ(area.right, width);
    const std::vector<COLORREF> shown = ShownPixels(bar);
    InvalidateRect(bar, nullptr, TRUE);
    UpdateWindow(bar);
    const std::vector<COLORREF> fresh = ShownPixels(bar);
    ASSERT_EQ(shown.size(), fresh.size());
    int left = width, right = -1;  // the columns where the two differ
    for (std::size_t i = 0; i < shown.size(); ++i) {
      if (shown[i] == fresh[i]) continue;
      left = std::min(left, static_cast<int>(i % width));
      right = std::max(right, static_cast<int>(i % width));
    }
    EXPECT_EQ(right, -1) << "grown to " << width << " x " << height << ", stale from x " << left << " to " << right;
  }
}
