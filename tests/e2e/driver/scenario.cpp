#include "scenario.h"

#include "runtime/portable/text.h"

namespace e2e {

std::string ToUtf8(const Text& text) { return TextToUtf8(text); }

void Scenario::SetUp() { ASSERT_TRUE(server_.Start()); }

void Scenario::TearDown() {
  // No program error may have been reported on the way.
  for (HWND window : Probe().TopWindows()) {
    EXPECT_EQ(WindowProbe::StaticTexts(window).find(u"A program error was detected:"), Text::npos);
  }
  server_.Stop();
}

void Scenario::StartProgram(const std::string& settings) {
  program_.WriteSettings(settings);
  ASSERT_TRUE(program_.Start());
  main_ = program_.WaitForMainWindow(30000);
  ASSERT_NE(main_, nullptr);
}

void Scenario::Type(HWND field, TextView text) {
  WindowProbe::SetText(field, text);
  wchar_t name[16] = {};
  GetClassNameW(field, name, 16);
  if (lstrcmpiW(name, L"Edit") == 0) WindowProbe::Notify(field, EN_CHANGE);
}

bool Scenario::WaitGone(HWND window) const {
  return WaitFor([&] { return !IsWindow(window); }, kWaitMs);
}

bool Scenario::LogHas(TextView line) const {
  for (const Text& logged : Probe().Lines(MainControl(kLogList))) {
    if (logged == line) return true;
  }
  return false;
}

bool Scenario::WaitForLogLine(TextView line) const {
  return WaitFor([&] { return LogHas(line); }, kWaitMs);
}

::testing::AssertionResult Scenario::WaitForRows(int list, int rows) const {
  if (WaitFor([&] { return Probe().ListCount(MainControl(list)) == rows; }, kWaitMs)) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << "list " << list << " has " << Probe().ListCount(MainControl(list))
                                       << " rows, not " << rows;
}

int Scenario::RowWith(int list, int column, TextView text) const {
  const std::vector<Text> cells = Probe().ListColumn(MainControl(list), column);
  for (std::size_t row = 0; row < cells.size(); ++row) {
    if (cells[row] == text) return static_cast<int>(row);
  }
  return -1;
}

Text Scenario::AnswerMessageBox(TextView title) const {
  HWND box = nullptr;
  WaitFor(
      [&] {
        for (HWND window : Probe().TopWindows()) {
          wchar_t name[16] = {};
          GetClassNameW(window, name, 16);
          if (lstrcmpW(name, L"#32770") == 0 && WindowProbe::TextOf(window) == title) box = window;
        }
        return box != nullptr;
      },
      kWaitMs);
  if (box == nullptr) return u"(no message box)";
  const Text text = WindowProbe::StaticTexts(box);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  WaitGone(box);
  return text;
}

bool Scenario::AnswerRequester(TextView title, TextView text) const {
  HWND requester = nullptr;
  if (!WaitFor([&] { return (requester = Probe().FindByTitle(title)) != nullptr; }, kWaitMs)) return false;
  WindowProbe::SetText(WindowProbe::Control(requester, kRequesterField), text);
  PostMessageW(requester, WM_COMMAND, IDOK, 0);
  return WaitGone(requester);
}

void Scenario::QuickConnect(const std::string& password) {
  Menu(0);
  HWND dialog = WaitForWindow(u"Quick Connect");
  ASSERT_NE(dialog, nullptr);
  Type(WindowProbe::Control(dialog, 37), u"127.0.0.1");
  Type(WindowProbe::Control(dialog, 38), DecimalText(server_.Port()));
  Type(WindowProbe::Control(dialog, 39), Utf8ToText(password));
  WindowProbe::Click(WindowProbe::Control(dialog, 41));
  ASSERT_TRUE(WaitGone(dialog));
}

bool Scenario::Connected() const {
  return WindowProbe::TextOf(main_) == u"127.0.0.1 : " + DecimalText(server_.Port()) + u" | Velo 2 DUro";
}

}  // namespace e2e
