#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "runtime/portable/text_ops.h"
#include "runtime/win32/gui.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

// A visible window of this process (others share the desktop) with this class and title, or nullptr.
HWND WaitForOwnWindow(const wchar_t* className, const wchar_t* title) {
  for (int i = 0; i < 1000; ++i) {
    for (HWND box = FindWindowW(className, title); box != nullptr; box = FindWindowExW(nullptr, box, className, title)) {
      DWORD process = 0;
      GetWindowThreadProcessId(box, &process);
      if (process == GetCurrentProcessId() && IsWindowVisible(box)) return box;
    }
    Sleep(10);
  }
  return nullptr;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM out) {
  wchar_t cls[16] = {}, caption[128] = {};
  GetClassNameW(child, cls, 16);
  GetWindowTextW(child, caption, 128);
  if (lstrcmpiW(cls, L"Static") == 0 && caption[0] != 0) *reinterpret_cast<Text*>(out) = FromWide(caption);
  return TRUE;
}

}  // namespace

TEST(AskForText, AnswersFromAnotherThreadAndCancelGivesNothing) {
  for (bool accept : {true, false}) {
    Text answer = u"unset";
    std::thread asker([&] { answer = AskForText(u"Set MaxPing", u"Please enter a value:", u"50"); });
    HWND box = WaitForOwnWindow(L"TextRequestWindow", L"Set MaxPing");
    HWND field = box != nullptr ? GetDlgItem(box, 100) : nullptr;
    ASSERT_NE(field, nullptr);
    wchar_t shown[32] = {};
    GetWindowTextW(field, shown, 32);
    EXPECT_EQ(FromWide(shown), u"50");
    SendMessageW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"120"));
    PostMessageW(box, WM_COMMAND, accept ? IDOK : IDCANCEL, 0);
    asker.join();
    EXPECT_EQ(answer, accept ? u"120" : u"");
  }
}

TEST(ShowMessage, IsOwnedByTheActiveWindow) {
  ASSERT_NE(OpenWindow(1, 100, 100, 300, 200, u"Owner", kWindowTitleBar | kWindowSystemMenu), 0);
  SetActiveWindow(WindowHandle(1));
  HWND owner = nullptr;
  Text text;
  std::thread user([&] {
    HWND box = WaitForOwnWindow(L"#32770", L"Velo 2 DUro");
    if (box == nullptr) return;
    owner = GetWindow(box, GW_OWNER);
    EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  });
  ShowMessage(u"Velo 2 DUro", u"Please enter a port.");
  user.join();
  EXPECT_EQ(owner, WindowHandle(1));
  EXPECT_EQ(text, u"Please enter a port.");
  FreeWindow(1);
}

namespace {

// Types into the dialog's file name box and presses OK, as a user does.
bool EnterFileName(const wchar_t* title, const Text& name) {
  HWND dialog = WaitForOwnWindow(L"#32770", title);
  if (dialog == nullptr) return false;
  HWND box = GetDlgItem(dialog, 0x47C);  // the explorer-style dialog's name combo
  if (box == nullptr) return false;
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(name)));
  SendMessageW(dialog, WM_COMMAND, IDOK, 0);
  return true;
}

Text CurrentFolder() {
  wchar_t folder[MAX_PATH] = {};
  GetCurrentDirectoryW(MAX_PATH, folder);
  return FromWide(folder);
}

}  // namespace

// The program finds "settings.ini" in the current folder at its end: a requester in which the
// user went to another folder must not leave it there.
TEST(FileRequesters, LeaveTheCurrentFolderAsTheyFoundIt) {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  const Text start = FromWide(temp) + u"velo_requester_start", other = FromWide(temp) + u"velo_requester_other";
  CreateDirectoryW(Wide(start), nullptr);
  CreateDirectoryW(Wide(other), nullptr);
  CloseHandle(CreateFileW(Wide(other + u"\\picked.db"), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  ASSERT_TRUE(SetCurrentDirectoryW(Wide(start)));
  const Text here = CurrentFolder();
  for (const bool save : {false, true}) {
    bool entered = false;
    std::thread user([&] {
      // Into the other folder first, then a name there.
      entered = EnterFileName(L"Choose", other) && EnterFileName(L"Choose", u"picked.db");
    });
    const Text chosen = save ? AskSaveFileName(u"Choose", u"", u"DB File (*.db)|*.db")
                             : AskOpenFileName(u"Choose", u"", u"DB File (*.db)|*.db");
    user.join();
    EXPECT_TRUE(entered);
    EXPECT_EQ(TextToUtf8(LowerText(chosen)), TextToUtf8(LowerText(other + u"\\picked.db"))) << save;
    EXPECT_EQ(CurrentFolder(), here) << save;
  }
  SetCurrentDirectoryW(temp);
  DeleteFileW(Wide(other + u"\\picked.db"));
  RemoveDirectoryW(Wide(other));
  RemoveDirectoryW(Wide(start));
}
