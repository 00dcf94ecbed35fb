#include "app/connect_window.h"
#include "app/gadget_ids.h"
#include "app/window_ids.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "app/files/settings.h"
#include "runtime/win32/gui.h"
#include "runtime/win32/platform/wide_text.h"
#include "temp_folder.h"

namespace {

// Other programs share the desktop under test: only a box of this process counts.
HWND OwnDialog(const wchar_t* title) {
  for (HWND box = FindWindowW(L"#32770", title); box != nullptr; box = FindWindowExW(nullptr, box, L"#32770", title)) {
    DWORD process = 0;
    GetWindowThreadProcessId(box, &process);
    if (process == GetCurrentProcessId()) return box;
  }
  return nullptr;
}

// Closes the next message box titled "Velo 2 DUro" from another thread and keeps its text.
class MessageBoxCloser {
 public:
  MessageBoxCloser()
      : thread_([this] {
          for (int i = 0; i < 500; ++i) {
            HWND box = OwnDialog(L"Velo 2 DUro");
            if (box != nullptr && IsWindowVisible(box)) {
              EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text_));
              PostMessageW(box, WM_COMMAND, IDOK, 0);
              return;
            }
            Sleep(10);
          }
        }) {}
  ~MessageBoxCloser() {
    if (thread_.joinable()) thread_.join();
  }
  Text Shown() {
    thread_.join();
    return text_;
  }

 private:
  static BOOL CALLBACK CollectStatic(HWND child, LPARAM out) {
    wchar_t cls[32] = {}, text[256] = {};
    GetClassNameW(child, cls, 32);
    GetWindowTextW(child, text, 256);
    if (lstrcmpiW(cls, L"Static") == 0 && text[0] != 0) *reinterpret_cast<Text*>(out) = FromWide(text);
    return TRUE;
  }
  Text text_;
  std::thread thread_;
};

class ConnectWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetAppSettings();
    ResetFavorites();
    AppSettings.FavoritesFilePath = folder.File("favs.dat");
    ASSERT_NE(OpenWindow(kMainWindow, 100, 80, 700, 540, u"Velo 2 DUro", kWindowTitleBar | kWindowSystemMenu), 0);
    SetForegroundWindow(WindowHandle(kMainWindow));
    SetActiveWindow(WindowHandle(kMainWindow));
  }
  void TearDown() override {
    FreeWindow(kConnectWindow);
    FreeWindow(kMainWindow);
    while (WindowEvent() != kEventNone) {
    }
  }
  void Type(int gadget, const wchar_t* text) {
    SendMessageW(GadgetHandle(gadget), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  TempFolder folder;
};

}  // namespace

TEST_F(ConnectWindow, OpensCentredOverTheMainWindowWithItsFavouritesAndDisablesIt) {
  Favorites.FavoriteList = {{u"Home", u"h", 1, u"p"}, {u"Clan", u"c", 2, u"q"}};
  OpenConnectWindow();
  ASSERT_TRUE(IsWindowNumber(kConnectWindow));
  EXPECT_EQ(WindowTitle(kConnectWindow), u"Connect");
  EXPECT_FALSE(IsWindowEnabled(WindowHandle(kMainWindow)));

  EXPECT_TRUE(GetWindowLongW(GadgetHandle(kPasswordField), GWL_STYLE) & ES_PASSWORD);
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kAddButton)));
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kSaveButton)));
  ASSERT_EQ(CountGadgetItems(kFavoritesTree), 2);
  EXPECT_EQ(GadgetItemText(kFavoritesTree, 1), u"Clan");

  // Centred over the main window, which was active.
  RECT main{}, dialog{};
  GetWindowRect(WindowHandle(kMainWindow), &main);
  GetWindowRect(WindowHandle(kConnectWindow), &dialog);
  EXPECT_NEAR((dialog.left + dialog.right) / 2, (main.left + main.right) / 2, 1);
  EXPECT_NEAR((dialog.top + dialog.bottom) / 2, (main.top + main.bottom) / 2, 1);

  CloseConnectWindow();
  EXPECT_FALSE(IsWindowNumber(kConnectWindow));
  EXPECT_TRUE(IsWindowEnabled(WindowHandle(kMainWindow)));
}

TEST_F(ConnectWindow, AddOrSaveFollowsTheDescriptionAsItIsTyped) {
  Favorites.FavoriteList = {{u"Home", u"h", 1, u"p"}};
  OpenConnectWindow();
  while (WindowEvent() != kEventNone) {
  }
  Type(kDescriptionField, L" Home ");
  ASSERT_EQ(WindowEvent(), kEventGadget);
  ASSERT_EQ(EventWindow(), kConnectWindow);
  HandleConnectWindowGadget(EventGadget(), EventType());
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kAddButton)));
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kSaveButton)));
  Type(kDescriptionField, L"home");
  ASSERT_EQ(WindowEvent(), kEventGadget);
  HandleConnectWindowGadget(EventGadget(), EventType());
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kAddButton))) << "descriptions compare with letter case";
  EXPECT_FALSE(IsWindowEnabled(GadgetHandle(kSaveButton)));
}

TEST_F(ConnectWindow, ValidationNamesTheFirstEmptyField) {
  OpenConnectWindow();
  const struct {
    const wchar_t* description;
    const wchar_t* host;
    const wchar_t* port;
    const char16_t* message;
  } cases[] = {{L"", L"h", L"1", u"Please enter a description."},
               {L"d", L"", L"1", u"Please enter a host name."},
               {L"d", L"h", L"", u"Please enter a port."},
               {L"d", L"h", L"1", u"Please enter a password."}};
  for (const auto& c : cases) {
    Type(kDescriptionField, c.description);
    Type(kHostField, c.host);
    Type(kPortField, c.port);
    MessageBoxCloser closer;
    EXPECT_EQ(ValidateFavoriteForm(), 0);
    EXPECT_EQ(closer.Shown(), c.message);
  }
  Type(kPasswordField, L"pw");
  EXPECT_EQ(ValidateFavoriteForm(), 1);
  Type(kDescriptionField, L"   ");
  EXPECT_EQ(ValidateFavoriteForm(), 1) << "only spaces still count as text";
}

TEST_F(ConnectWindow, SaveRewritesEveryMatchAndDeleteRemovesTheSelectedOne) {
  Favorites.FavoriteList = {{u"A", u"a", 1, u"x"}, {u"B", u"b", 2, u"y"}};
  OpenConnectWindow();
  SetGadgetState(kFavoritesTree, 1);
  ShowFavoriteInForm();
  EXPECT_EQ(GadgetText(kDescriptionField), u"B");
  EXPECT_EQ(GadgetText(kHostField), u"b");
  EXPECT_EQ(GadgetText(kPortField), u"2");
  EXPECT_EQ(GadgetText(kPasswordField), u"y");
  EXPECT_TRUE(IsWindowEnabled(GadgetHandle(kSaveButton)));
  Type(kPortField, L"$10");
  SaveFavorite();
  EXPECT_EQ(Favorites.FavoriteList[1].Port, 16);
  EXPECT_EQ(FileBytes(AppSettings.FavoritesFilePath), "A\r\na\r\n1\r\nx\r\nB\r\nb\r\n16\r\ny\r\n");
  SetGadgetState(kFavoritesTree, 0);
  DeleteFavorite();
  ASSERT_EQ(Favorites.FavoriteList.size(), 1u);
  EXPECT_EQ(Favorites.FavoriteList[0].Description, u"B");
  EXPECT_EQ(FileBytes(AppSettings.FavoritesFilePath), "B\r\nb\r\n16\r\ny\r\n");
  ASSERT_EQ(CountGadgetItems(kFavoritesTree), 1);
  EXPECT_EQ(GadgetItemText(kFavoritesTree, 0), u"B");
}
