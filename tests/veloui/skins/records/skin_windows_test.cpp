// Skins with the real services: icons from packs at the asked size, and the refresh broadcast.
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <thread>

#include "../../../runtime/portable/temp_folder.h"
#include "veloui/foundation/ui_colours.h"
#include "veloui/skins/builtin_skins.h"
#include "veloui/skins/core/skin_files.h"
#include "veloui/skins/core/skin_properties.h"
#include "veloui/skins/skin_refresh.h"
#include "veloui/skins/skin_services.h"

namespace {

void PutLittle(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// An icon file with one opaque square picture per side, in the classic bitmap form.
std::string IconFile(std::initializer_list<int> sides) {
  std::string directory;
  std::string pictures;
  PutLittle(directory, 0, 2);
  PutLittle(directory, 1, 2);
  PutLittle(directory, static_cast<std::uint32_t>(sides.size()), 2);
  const std::size_t start = 6 + sides.size() * 16;
  for (int side : sides) {
    std::string picture;
    PutLittle(picture, 40, 4);
    PutLittle(picture, side, 4);
    PutLittle(picture, side * 2, 4);
    PutLittle(picture, 1, 2);
    PutLittle(picture, 32, 2);
    picture.append(24, '\0');
    for (int i = 0; i < side * side; ++i) PutLittle(picture, 0xFF2060A0, 4);
    picture.append(static_cast<std::size_t>((side + 31) / 32 * 4 * side), '\0');
    directory += static_cast<char>(side);
    directory += static_cast<char>(side);
    directory.append("\0\0", 2);
    PutLittle(directory, 1, 2);
    PutLittle(directory, 32, 2);
    PutLittle(directory, static_cast<std::uint32_t>(picture.size()), 4);
    PutLittle(directory, static_cast<std::uint32_t>(start + pictures.size()), 4);
    pictures += picture;
  }
  return directory + pictures;
}

int IconWidth(std::uintptr_t handle) {
  ICONINFO info{};
  if (!GetIconInfo(reinterpret_cast<HICON>(handle), &info)) return 0;
  BITMAP mask{};
  GetObjectW(info.hbmMask, sizeof mask, &mask);
  if (info.hbmColor) DeleteObject(info.hbmColor);
  DeleteObject(info.hbmMask);
  return mask.bmWidth;
}

class SkinWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetToolkitGlobalLists();
    ResetSkinGlobals();
    BindSkinServices();
    ASSERT_EQ(SetSkinDirectory(folder.Path().u16string()), 1);
  }
  void TearDown() override {
    while (!SkinList().empty()) FreeSkin(reinterpret_cast<SkinHandle>(&SkinList().front()));
    ResetSkinGlobals();
  }
  TempFolder folder;
};

}  // namespace

TEST_F(SkinWindowsTest, IconInsideAPackLoadsAtTheAskedSize) {
  PutFileBytes(folder.File("glyph.ico"), IconFile({16, 32}));
  const SkinHandle skin = CreateSkin(u"Glyphs");
  ASSERT_EQ(SetSkinProperty(skin, u"buttonex", u"normal", u"image", u"glyph.ico; width: 32; height: 32"), 1);
  EXPECT_EQ(IconWidth(GetSkinPropertyImage(skin, u"buttonex", u"normal", u"image")), 32);
  ASSERT_EQ(SaveSkinFile(skin, u"glyphs", true), 1);
  FreeSkin(skin);
  std::filesystem::remove(folder.Path() / "glyph.ico");

  const std::intptr_t back = LoadSkinFile(u"glyphs.sknz");
  ASSERT_GT(back, 0);
  EXPECT_EQ(IconWidth(GetSkinPropertyImage(back, u"buttonex", u"normal", u"image")), 32);
  // Nothing was left beside the pack: the icon came from memory.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);

  PutFileBytes(folder.File("missing.skn"),
               "<Skin><Name id='M'/><Component id='c'><State id='s'><Property id='p'>gone.ico</Property>"
               "</State></Component></Skin>");
  EXPECT_EQ(LoadSkinFile(u"missing.skn"), -2);
  EXPECT_EQ(FindSkin(u"M"), 0u);
}

namespace {

struct Received {
  std::atomic<LPARAM> skin{-1};
  std::atomic<DWORD> thread{0};
};
Received ChildOfThisThread, ChildOfOtherThread;

LRESULT CALLBACK RecordingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kSkinRefreshMessage) {
    Received& received = GetPropW(window, L"other") != nullptr ? ChildOfOtherThread : ChildOfThisThread;
    received.skin = lParam;
    received.thread = GetCurrentThreadId();
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

HWND TopWithChild(bool other) {
  WNDCLASSW type{};
  type.lpfnWndProc = RecordingProc;
  type.hInstance = GetModuleHandleW(nullptr);
  type.lpszClassName = L"SkinRefreshProbe";
  RegisterClassW(&type);
  HWND top = CreateWindowExW(0, L"SkinRefreshProbe", L"top", WS_OVERLAPPEDWINDOW, 0, 0, 50, 50, nullptr, nullptr,
                             type.hInstance, nullptr);
  HWND child = CreateWindowExW(0, L"SkinRefreshProbe", L"child", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, nullptr,
                               type.hInstance, nullptr);
  if (other) SetPropW(child, L"other", reinterpret_cast<HANDLE>(1));
  return top;
}

}  // namespace

TEST_F(SkinWindowsTest, BroadcastReachesChildrenOnTheirOwnThreads) {
  HWND top = TopWithChild(false);
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD otherThread = 0;
  std::thread other([&] {
    otherThread = GetCurrentThreadId();
    HWND otherTop = TopWithChild(true);
    MSG message;
    PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE);  // the queue exists before the go-ahead
    SetEvent(ready);
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    DestroyWindow(otherTop);
  });
  ASSERT_EQ(WaitForSingleObject(ready, 10000), WAIT_OBJECT_0);

  const SkinHandle skin = CreateSkin(u"Broadcast");
  EXPECT_EQ(ApplySkinToAllWindows(skin + 1), 0);
  EXPECT_EQ(ApplySkinToAllWindows(skin), 1);
  PostThreadMessageW(otherThread, WM_QUIT, 0, 0);
  other.join();
  CloseHandle(ready);
  DestroyWindow(top);

  EXPECT_EQ(ChildOfThisThread.skin, static_cast<LPARAM>(skin));
  EXPECT_EQ(ChildOfThisThread.thread, GetCurrentThreadId());
  EXPECT_EQ(ChildOfOtherThread.skin, static_cast<LPARAM>(skin));
  EXPECT_EQ(ChildOfOtherThread.thread, otherThread);
}

namespace {

// The colour of a bitmap's pixel as a COLORREF, and whether it is opaque.
std::pair<COLORREF, bool> PixelOf(std::uintptr_t bitmap, int x, int y) {
  DIBSECTION dib{};
  if (GetObjectW(reinterpret_cast<HBITMAP>(bitmap), sizeof dib, &dib) != sizeof dib || dib.dsBm.bmBits == nullptr)
    return {CLR_INVALID, false};
  const auto* row = static_cast<const std::uint8_t*>(dib.dsBm.bmBits) + static_cast<std::size_t>(y) * dib.dsBm.bmWidthBytes;
  const std::uint8_t* p = row + x * 4;
  return {RGB(p[2], p[1], p[0]), p[3] == 0xFF};
}

}  // namespace

TEST_F(SkinWindowsTest, BuiltInSkinsCarryDrawnAndEmbeddedPictures) {
  for (const char16_t* name : {u"SysButtonSkin", u"syscheckbuttonskin", u"office2007xbarskin", u"syssplitterskin"}) {
    BuildBuiltInSkin(name);
    ASSERT_NE(FindSkin(name), 0u);
  }
  const SkinHandle button = FindSkin(u"sysbuttonskin");
  const auto face = PixelOf(GetSkinPropertyImage(button, u"buttonex", u"normal", u"background"), 12, 12);
  EXPECT_EQ(face.first, GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(face.second);
  EXPECT_NE(PixelOf(GetSkinPropertyImage(button, u"buttonex", u"selected", u"background"), 12, 12).first,
            GetSysColor(COLOR_BTNFACE));
  EXPECT_TRUE(PixelOf(GetSkinPropertyImage(FindSkin(u"syssplitterskin"), u"splitterex", u"hot vertical",
                                           u"gripper background"), 2, 15).second);
  BITMAP arrow{};
  ASSERT_NE(GetObjectW(reinterpret_cast<HBITMAP>(GetSkinPropertyImage(
                           FindSkin(u"office2007xbarskin"), u"explorerbar group header", u"hot", u"image")),
                       sizeof arrow, &arrow), 0);
  EXPECT_EQ(arrow.bmWidth, 19);
}
