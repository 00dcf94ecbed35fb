// Skins with the real services: icons from packs at the asked size, and the refresh broadcast.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>
#include <tuple>

#include "../../../runtime/portable/temp_folder.h"
#include "../../foundation/dib_canvas.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/skins/builtin_skins.h"
#include "veloui/skins/control_look/control_look.h"
#include "veloui/skins/core/skin_files.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/skin_refresh.h"
#include "veloui/skins/skin_services.h"

namespace {
void PutLittle(std::string& out, std::initializer_list<std::pair<std::uint32_t, int>> fields) {
  for (const auto& [value, bytes] : fields)
    for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An icon file with one opaque square picture per side, in the classic bitmap form.
std::string IconFile(std::initializer_list<std::uint32_t> sides) {
  std::string directory, pictures;
  PutLittle(directory, {{0, 2}, {1, 2}, {static_cast<std::uint32_t>(sides.size()), 2}});
  for (std::uint32_t side : sides) {
    std::string picture;
    PutLittle(picture, {{40, 4}, {side, 4}, {side * 2, 4}, {1, 2}, {32, 2}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}, {0, 4}});
    for (std::uint32_t i = 0; i < side * side; ++i) PutLittle(picture, {{0xFF2060A0, 4}});
    picture.append((side + 31) / 32 * 4 * side, '\0');  // the mask
    const std::uint32_t offset = static_cast<std::uint32_t>(6 + sides.size() * 16 + pictures.size());
    PutLittle(directory, {{side, 1}, {side, 1}, {0, 2}, {1, 2}, {32, 2}, {static_cast<std::uint32_t>(picture.size()), 4}, {offset, 4}});
    pictures += picture;
  }
  return directory + pictures;
}

std::size_t IconPixels(std::uintptr_t handle) { return PixelsOf(reinterpret_cast<HANDLE>(handle)).size(); }

class SkinWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitGlobalLists();
    ResetSkinGlobals();
    BindSkinServices();
    ASSERT_EQ(SetSkinDirectory(folder.Path().u16string()), 1);
  }
  void TearDown() override {
    for (int k = 0; k < 100 && !SkinList().empty(); ++k) FreeSkin(reinterpret_cast<SkinHandle>(&SkinList().front()));
    ResetSkinGlobals();
  }
  TempFolder folder;
};

TEST_F(SkinWindowsTest, IconInsideAPackLoadsAtTheAskedSize) {
  PutFileBytes(folder.File("glyph.ico"), IconFile({16, 32}));
  const SkinHandle skin = CreateSkin(u"Glyphs");
  ASSERT_EQ(SetSkinProperty(skin, u"buttonex", u"normal", u"image", u"glyph.ico; width: 32; height: 32"), 1);
  EXPECT_EQ(IconPixels(GetSkinPropertyImage(skin, u"buttonex", u"normal", u"image")), 32u * 32u);
  ASSERT_EQ(SaveSkinFile(skin, u"glyphs", true), 1);
  FreeSkin(skin);
  std::filesystem::remove(folder.Path() / "glyph.ico");

  const std::intptr_t back = LoadSkinFile(u"glyphs.sknz");
  ASSERT_GT(back, 0);
  EXPECT_EQ(IconPixels(GetSkinPropertyImage(back, u"buttonex", u"normal", u"image")), 32u * 32u);
  // Nothing was left beside the pack: the icon came from memory.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);

  PutFileBytes(folder.File("missing.skn"),
               "<Skin><Name id='M'/><Component id='c'><State id='s'><Property id='p'>gone.ico</Property>"
               "</State></Component></Skin>");
  EXPECT_EQ(LoadSkinFile(u"missing.skn"), -2);
  EXPECT_EQ(FindSkin(u"M"), 0u);
}

// The skin and the thread that each child (0 of this thread, 1 of the other) received the refresh with.
std::atomic<LPARAM> SkinSeen[2] = {-1, -1};
std::atomic<DWORD> ThreadSeen[2] = {0, 0};

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSkinRefreshMessage) {
    const bool other = GetPropW(window, L"other") != nullptr;
    SkinSeen[other] = lParam;
    ThreadSeen[other] = GetCurrentThreadId();
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND TopWithChild(bool other) {
  HWND top = TestWindow(L"SkinRefreshProbe", RecordingProc, nullptr, WS_OVERLAPPEDWINDOW, 50, 50);
  HWND child = TestWindow(L"SkinRefreshProbe", RecordingProc, top, WS_CHILD | WS_VISIBLE, 10, 10);
  if (other) SetPropW(child, L"other", reinterpret_cast<HANDLE>(1));
  return top;
}

// The broadcast calls procedures directly only for this thread's windows and sends to others.
TEST_F(SkinWindowsTest, BroadcastReachesChildrenOnTheirOwnThreads) {
  HWND top = TopWithChild(false);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::atomic<bool> finished{false};
  DWORD otherThread = 0;
  std::thread other([&] {
    otherThread = GetCurrentThreadId();
    HWND otherTop = TopWithChild(true);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the go-ahead
    SetEvent(ready);
    PumpFor(20000, [&] { return finished.load(); });
    DestroyWindow(otherTop);
  });
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);

  const SkinHandle skin = CreateSkin(u"Broadcast");
  EXPECT_EQ(ApplySkinToAllWindows(skin + 1), 0);
  EXPECT_EQ(ApplySkinToAllWindows(skin), 1);
  finished = true;
  other.join();
  CloseHandle(ready);
  DestroyWindow(top);

  EXPECT_TRUE(SkinSeen[0] == static_cast<LPARAM>(skin) && SkinSeen[1] == static_cast<LPARAM>(skin));
  EXPECT_EQ(ThreadSeen[0], GetCurrentThreadId());
  EXPECT_EQ(ThreadSeen[1], otherThread);
}

// A window of another thread that has stopped answering (its thread waits without pumping) never
// holds the broadcast up: not the message, not the redraw switch, not the repaint. A watchdog
// lets the hung thread go on after 20 s if the broadcast has not come back by then.
TEST_F(SkinWindowsTest, BroadcastComesBackPastAHungWindowOfAnotherThread) {
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr), release = CreateEventW(nullptr, TRUE, FALSE, nullptr),
         done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread hung([&] {
    HWND top = TestWindow(L"SkinRefreshHung", DefWindowProcW, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50);
    HWND child = TestWindow(L"SkinRefreshHung", DefWindowProcW, top, WS_CHILD | WS_VISIBLE, 10, 10);
    PumpFor(200);
    SetEvent(ready);
    WaitForSingleObject(release, 60000);  // hung: no message is taken meanwhile
    PumpFor(200);
    DestroyWindow(child);
    DestroyWindow(top);
  });
  std::atomic<bool> gaveUp{false};
  std::thread watchdog([&] {
    if (WaitForSingleObject(done, 20000) != WAIT_OBJECT_0) gaveUp = true;
    SetEvent(release);
  });
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(ApplySkinToAllWindows(0), 1);
  SetEvent(done);
  watchdog.join();
  hung.join();
  EXPECT_FALSE(gaveUp.load());
  for (HANDLE event : {ready, release, done}) CloseHandle(event);
}

// Of a thread whose second refresh message keeps it busy until `SlowRelease` is set: the first
// child it reaches is served in time, the second lets the broadcast's wait run out.
HANDLE SlowRelease = nullptr;
std::atomic<int> SlowRefreshes{0}, SlowPaints{0};

LRESULT CALLBACK SlowOnSecondRefreshProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSkinRefreshMessage && ++SlowRefreshes == 2) WaitForSingleObject(SlowRelease, 60000);
  if (message == WM_PAINT && GetParent(window) != nullptr) ++SlowPaints;
  return DefWindowProcW(window, message, wParam, lParam);
}

// Windows of a thread that let a send time out are left drawing and are repainted once that
// thread goes on: neither is kept switched off for good. A watchdog lets the thread go on after
// 20 s if the broadcast has not come back by then.
TEST_F(SkinWindowsTest, BroadcastLeavesEveryWindowOfASlowThreadDrawing) {
  SlowRelease = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr), done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HWND children[2] = {};
  std::atomic<bool> finished{false};
  std::atomic<int> drawing{-1};
  std::thread slow([&] {
    HWND top =
        TestWindow(L"SkinRefreshSlow", SlowOnSecondRefreshProc, nullptr, WS_OVERLAPPEDWINDOW | WS_VISIBLE, 120, 60);
    for (HWND& child : children) {
      child = TestWindow(L"SkinRefreshSlow", SlowOnSecondRefreshProc, top, WS_CHILD | WS_VISIBLE, 40, 20);
    }
    PumpFor(200);
    SlowPaints = 0;
    SetEvent(ready);
    // Goes on taking messages until the broadcast is back and the repaints it asked for came.
    PumpFor(20000, [&] { return finished.load() && SlowPaints >= 2; });
    PumpFor(100);
    drawing = 0;
    for (HWND child : children) drawing += (GetWindowLongW(child, GWL_STYLE) & WS_VISIBLE) != 0 ? 1 : 0;
    DestroyWindow(top);
  });
  std::thread watchdog([&] {
    WaitForSingleObject(done, 20000);
    SetEvent(SlowRelease);
  });
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);
  EXPECT_EQ(ApplySkinToAllWindows(0), 1);
  SetEvent(done);
  finished = true;
  watchdog.join();
  slow.join();
  EXPECT_EQ(SlowRefreshes.load(), 2);
  EXPECT_EQ(drawing.load(), 2);  // each child: WS_VISIBLE, which a redraw switched off takes away
  EXPECT_GE(SlowPaints.load(), 2);
  for (HANDLE event : {ready, done, SlowRelease}) CloseHandle(event);
}

// Opaque white written "rgba(255,255,255,1.0)" has the colour word -1, and is still a colour in
// every reader of the controls' looks: backgrounds (the sub-looks' too), gradient ends and text
// colours; a value that is no colour keeps the system look.
TEST_F(SkinWindowsTest, ControlLooksReadOpaqueWhiteAsAColour) {
  const COLORREF white = RGB(255, 255, 255), dark = RGB(0x10, 0x20, 0x30);
  const Text opaqueWhite = u"rgba(255,255,255,1.0)";
  struct Case {
    const char16_t *Component, *Prefix, *Property;
    Text Value;
    COLORREF Background, GradientEnd, Text;  // kSystem: as the system look has it
  };
  constexpr COLORREF kSystem = CLR_INVALID - 1;
  const Case cases[] = {
      {u"buttonex", u"", u"background", opaqueWhite + u";", white, CLR_INVALID, kSystem},
      {u"splitterex", u"gripper ", u"gripper background", opaqueWhite, white, CLR_INVALID, kSystem},
      {u"explorerbar", u"group ", u"group background", opaqueWhite, white, CLR_INVALID, kSystem},
      {u"buttonex", u"", u"background", u"gradient: vertical, " + opaqueWhite + u", #102030;", white, dark, kSystem},
      {u"buttonex", u"", u"background", u"gradient: #102030, " + opaqueWhite + u";", dark, white, kSystem},
      {u"splitterex", u"", u"gradient", u"gradient: " + opaqueWhite + u", " + opaqueWhite, white, white, kSystem},
      {u"buttonex", u"", u"text", u"font: Arial, 8; colour: " + opaqueWhite + u";", kSystem, kSystem, white},
      {u"explorerbar group header", u"", u"colour", opaqueWhite, kSystem, kSystem, white},
      {u"buttonex", u"", u"background", u"nocolour;", kSystem, kSystem, kSystem},
      {u"buttonex", u"", u"colour", u"rgba(255,255,255;", kSystem, kSystem, kSystem},
  };
  for (const Case& c : cases) {
    const ControlLook system = ReadControlLook(0, c.Component, u"normal", c.Prefix);
    const SkinHandle skin = CreateSkin(u"White");
    SetSkinProperty(skin, c.Component, u"normal", c.Property, c.Value);
    const ControlLook look = ReadControlLook(skin, c.Component, u"normal", c.Prefix);
    const auto or_system = [](COLORREF wanted, COLORREF fallback) { return wanted == kSystem ? fallback : wanted; };
    EXPECT_EQ(std::tuple(look.Background, look.GradientEnd, look.TextColour),
              std::tuple(or_system(c.Background, system.Background), or_system(c.GradientEnd, system.GradientEnd),
                         or_system(c.Text, system.TextColour)))
        << TextToUtf8(c.Component) << " / " << TextToUtf8(c.Property) << ": " << TextToUtf8(c.Value);
    FreeSkin(skin);
  }
}

TEST_F(SkinWindowsTest, BuiltInSkinsCarryDrawnAndEmbeddedPictures) {
  for (const char16_t* name : {u"SysButtonSkin", u"syscheckbuttonskin", u"office2007xbarskin", u"syssplitterskin"}) {
    BuildBuiltInSkin(name);
    ASSERT_NE(FindSkin(name), 0u);
  }
  const auto picture = [](const char16_t* skin, const char16_t* component, const char16_t* state, const char16_t* property) {
    return reinterpret_cast<HBITMAP>(GetSkinPropertyImage(FindSkin(skin), component, state, property));
  };
  const std::uint32_t face = DibPixel(picture(u"sysbuttonskin", u"buttonex", u"normal", u"background"), 12, 12);
  EXPECT_EQ(ColourOf(face), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(face >> 24, 0xFFu);
  EXPECT_NE(ColourOf(DibPixel(picture(u"sysbuttonskin", u"buttonex", u"selected", u"background"), 12, 12)),
            GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(DibPixel(picture(u"syssplitterskin", u"splitterex", u"hot vertical", u"gripper background"), 2, 15) >> 24, 0xFFu);
  BITMAP arrow{};
  ASSERT_NE(GetObjectW(picture(u"office2007xbarskin", u"explorerbar group header", u"hot", u"image"), sizeof arrow, &arrow), 0);
  EXPECT_EQ(arrow.bmWidth, 19);
}
}  // namespace
