#include "scenario.h"

#include <algorithm>
#include <filesystem>
#include <utility>

#include "runtime/win32/platform/wide_text.h"

namespace e2e {
namespace {

constexpr int kTextUnits = 1024;
constexpr int kDonationCloseButton = 85;

struct Search {
  const WindowTest& accepts;
  DWORD processId = 0;  // 0: children
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  const bool ours = search->processId == 0 || (owner == search->processId && IsWindowVisible(window));
  if (ours && search->accepts(window)) search->found.push_back(window);
  return TRUE;
}

std::vector<HWND> Children(HWND top, const WindowTest& accepts) {
  Search search{accepts, 0, {}};
  if (top != nullptr) EnumChildWindows(top, Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

Text ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return FromWide(name);
}

// The texts of the static children: a message box's message.
Text StaticTexts(HWND top) {
  Text text;
  for (HWND child : Children(top, [](HWND window) { return ClassOf(window) == u"Static"; })) text += TextOf(child);
  return text;
}

// Sends `message` with `block` copied into the other process, followed by room for the text `textField` points at.
Text SendRemote(HANDLE process, HWND window, UINT message, WPARAM wParam, void* block, std::size_t size,
                wchar_t** textField) {
  auto* remote = static_cast<char*>(
      VirtualAllocEx(process, nullptr, size + kTextUnits * sizeof(wchar_t), MEM_COMMIT, PAGE_READWRITE));
  if (remote == nullptr) return Text();
  if (textField != nullptr) *textField = reinterpret_cast<wchar_t*>(remote + size);
  Text text(kTextUnits, u'\0');
  if (size == 0 || WriteProcessMemory(process, remote, block, size, nullptr)) {
    SendMessageW(window, message, wParam, reinterpret_cast<LPARAM>(remote));
    ReadProcessMemory(process, remote + size, text.data(), (kTextUnits - 1) * sizeof(wchar_t), nullptr);
  }
  VirtualFreeEx(process, remote, 0, MEM_RELEASE);
  text.resize(text.find(u'\0'));
  return text;
}

// Its button counts down before it takes a click.
void AnswerDonationWindow(HWND donation) {
  HWND close = nullptr;
  WaitFor([&] { return (close = Control(donation, kDonationCloseButton)) != nullptr; }, 2000);
  EXPECT_FALSE(Enabled(close));
  EXPECT_EQ(TextOf(close).rfind(u"Close (", 0), 0u);
  EXPECT_TRUE(WaitFor([&] { return Enabled(close); }, 10000));
  EXPECT_EQ(TextOf(close), u"Close");
  Click(close);
  WaitFor([&] { return !IsWindow(donation); }, 5000);
}

}  // namespace

bool WaitFor(const std::function<bool()>& ready, int timeoutMs) {
  const DWORD start = GetTickCount();
  while (GetTickCount() - start < static_cast<DWORD>(timeoutMs)) {
    if (ready()) return true;
    Sleep(20);
  }
  return ready();
}

HWND Control(HWND top, int id) {
  const auto found = Children(top, [id](HWND window) { return GetDlgCtrlID(window) == id; });
  return found.empty() ? nullptr : found[0];
}

Text TextOf(HWND window) {
  if (window == nullptr) return Text();
  Text text(kTextUnits, u'\0');
  text.resize(SendMessageW(window, WM_GETTEXT, kTextUnits, reinterpret_cast<LPARAM>(WideBuffer(text))));
  return text;
}

void SetText(HWND window, TextView text) {
  SendMessageW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(Wide(Text(text))));
}

void Notify(HWND control, WORD code) {
  PostMessageW(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
               reinterpret_cast<LPARAM>(control));
}

Text ClipboardText() {
  Text text;
  if (!WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 1000)) return text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    text = FromWide(static_cast<const wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
  }
  CloseClipboard();
  return text;
}

void Scenario::TearDown() {
  if (process_.hProcess != nullptr) {
    // No program error may have been reported on the way.
    EXPECT_EQ(Top([](HWND window) { return StaticTexts(window).find(u"A program error was detected:") != Text::npos; }),
              nullptr);
    if (ExitCode(0) == STILL_ACTIVE) TerminateProcess(process_.hProcess, 1);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
  server_.Stop();
}

Text Scenario::BuiltProgram() {
  // The build's path, which Wine shows under drive Z.
  Text program = Utf8ToText(VELO_PROGRAM_PATH);
  if (program.starts_with(u"/")) program = u"Z:" + program;
  return program;
}

void Scenario::StartProgram(const std::string& settings) {
  PutFileBytes(File("settings.ini"), settings);
  // A copy of the build's program; its data folder through APPDATA.
  ASSERT_TRUE(CopyFileW(Wide(BuiltProgram()), Wide(File("velo2duro.exe")), FALSE));
  std::filesystem::create_directories(folder_.Path() / "appdata");
  SetEnvironmentVariableW(L"APPDATA", Wide(File("appdata")));
  Text commandLine = u"\"" + File("velo2duro.exe") + u"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  ASSERT_TRUE(CreateProcessW(nullptr, WideBuffer(commandLine), nullptr, nullptr, FALSE, 0, nullptr,
                             Wide(folder_.Path().u16string()), &startup, &process_));
  bool donationAnswered = false;
  const auto mainShown = [&] {
    HWND donation = Top([](HWND window) { return TextOf(window) == u"Velo 2 DUro - Donation"; });
    if (donation != nullptr && !std::exchange(donationAnswered, true)) AnswerDonationWindow(donation);
    return (main_ = Top([](HWND window) { return ClassOf(window) == u"WindowClass_0"; })) != nullptr;
  };
  WaitFor(mainShown, 30000);
  ASSERT_NE(main_, nullptr);
}

DWORD Scenario::ExitCode(int timeoutMs) const {
  DWORD code = STILL_ACTIVE;
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) == WAIT_OBJECT_0) {
    GetExitCodeProcess(process_.hProcess, &code);
  }
  return code;
}

HWND Scenario::Top(const WindowTest& accepts) const {
  Search search{accepts, process_.dwProcessId, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found.empty() ? nullptr : search.found[0];
}

HWND Scenario::WaitForWindow(TextView title) const {
  HWND found = nullptr;
  Eventually([&] { return (found = Top([&](HWND window) { return TextOf(window) == title; })) != nullptr; });
  return found;
}

Text Scenario::Cell(int list, int row, int column) const {
  LVITEMW item{};
  item.iSubItem = column;
  item.cchTextMax = kTextUnits - 1;
  return SendRemote(process_.hProcess, Gadget(list), LVM_GETITEMTEXTW, row, &item, sizeof item, &item.pszText);
}

void Scenario::Select(int list, int row) const {
  LVITEMW item{};
  item.state = item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendRemote(process_.hProcess, Gadget(list), LVM_SETITEMSTATE, row, &item, sizeof item, nullptr);
}

std::vector<Text> Scenario::Column(int list, int column) const {
  std::vector<Text> cells;
  for (int row = 0; row < Rows(list); ++row) cells.push_back(Cell(list, row, column));
  return cells;
}

int Scenario::RowWith(int list, int column, TextView text) const {
  const std::vector<Text> cells = Column(list, column);
  const auto found = std::find(cells.begin(), cells.end(), text);
  return found == cells.end() ? -1 : static_cast<int>(found - cells.begin());
}

::testing::AssertionResult Scenario::WaitForRows(int list, int rows) const {
  if (Eventually([&] { return Rows(list) == rows; })) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "list " << list << " has " << Rows(list) << " rows, not " << rows;
}

Text Scenario::Status(int field) const {
  const auto bars = Children(main_, [](HWND window) { return ClassOf(window) == u"msctls_statusbar32"; });
  return bars.empty() ? Text() : SendRemote(process_.hProcess, bars[0], SB_GETTEXTW, field, nullptr, 0, nullptr);
}

std::vector<Text> Scenario::Log() const {
  HWND log = Gadget(kLogList);
  std::vector<Text> lines;
  for (int i = 0; i < SendMessageW(log, LB_GETCOUNT, 0, 0); ++i) {
    Text line(std::max<LRESULT>(SendMessageW(log, LB_GETTEXTLEN, i, 0), 0) + 1, u'\0');
    line.resize(std::max<LRESULT>(SendMessageW(log, LB_GETTEXT, i, reinterpret_cast<LPARAM>(WideBuffer(line))), 0));
    lines.push_back(line);
  }
  return lines;
}

void Scenario::Type(HWND field, TextView text) {
  SetText(field, text);
  if (ClassOf(field) == u"Edit") Notify(field, EN_CHANGE);
}

Text Scenario::AnswerMessageBox(TextView title) const {
  HWND box = nullptr;
  const WindowTest isBox = [&](HWND window) { return ClassOf(window) == u"#32770" && TextOf(window) == title; };
  Eventually([&] { return (box = Top(isBox)) != nullptr; });
  if (box == nullptr) return u"(no message box)";
  const Text text = StaticTexts(box);
  Command(box, IDOK);
  WaitGone(box);
  return text;
}

bool Scenario::ChooseFile(int item, TextView title, TextView file) const {
  Menu(item);
  HWND dialog = nullptr, name = nullptr;
  // The file name box: a combo in the explorer-style dialog, an edit in the older one.
  const auto shown = [&] {
    dialog = Top([&](HWND window) { return TextOf(window) == title; });
    return (name = Control(dialog, 0x47C)) != nullptr || (name = Control(dialog, 0x480)) != nullptr;
  };
  if (!Eventually(shown)) return false;
  SetText(name, file);
  Command(dialog, IDOK);
  return WaitGone(dialog);
}

bool Scenario::AnswerRequester(TextView title, TextView text) const {
  HWND requester = WaitForWindow(title);
  if (requester == nullptr) return false;
  SetText(Control(requester, kRequesterField), text);
  Command(requester, IDOK);
  return WaitGone(requester);
}

void Scenario::QuickConnect(const std::string& password, int port) {
  if (port == 0) port = server_.Port();
  HWND dialog = OpenWindow(kItemQuickConnect, u"Quick Connect");
  ASSERT_NE(dialog, nullptr);
  Type(Control(dialog, 37), u"127.0.0.1");
  Type(Control(dialog, 38), DecimalText(port));
  Type(Control(dialog, 39), Utf8ToText(password));
  Click(Control(dialog, 41));
  ASSERT_TRUE(WaitGone(dialog));
  ASSERT_TRUE(Eventually([&] { return Connected(port); }));
  ASSERT_TRUE(WaitForRows(kPlayersList, 5));
}

}  // namespace e2e
