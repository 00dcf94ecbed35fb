#include "program_under_test.h"

#include <filesystem>
#include <vector>

#include "runtime/win32/platform/wide_text.h"

namespace {

constexpr int kDonationCloseButton = 85;

// The program's path, given by the build as a path of the build machine; Wine shows that
// machine's root as drive Z.
Text BuiltProgramPath() {
  Text path = Utf8ToText(VELO_PROGRAM_PATH);
  if (!path.empty() && path[0] == u'/') path = u"Z:" + path;
  for (char16_t& c : path) {
    if (c == u'/') c = u'\\';
  }
  return path;
}

// This process's environment with APPDATA replaced.
std::vector<wchar_t> EnvironmentWith(const Text& appData) {
  std::vector<wchar_t> block;
  const wchar_t* strings = GetEnvironmentStringsW();
  for (const wchar_t* entry = strings; *entry != 0; entry += wcslen(entry) + 1) {
    if (_wcsnicmp(entry, L"APPDATA=", 8) == 0) continue;
    block.insert(block.end(), entry, entry + wcslen(entry) + 1);
  }
  FreeEnvironmentStringsW(const_cast<wchar_t*>(strings));
  const Text line = u"APPDATA=" + appData;
  block.insert(block.end(), Wide(line), Wide(line) + line.size() + 1);
  block.push_back(0);
  return block;
}

}  // namespace

ProgramUnderTest::ProgramUnderTest() {
  std::filesystem::create_directories(folder_.Path() / "appdata");
}

ProgramUnderTest::~ProgramUnderTest() {
  if (process_.hProcess != nullptr) {
    if (Running()) {
      TerminateProcess(process_.hProcess, 1);
      WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
  }
}

void ProgramUnderTest::WriteSettings(const std::string& bytes) { PutFileBytes(SettingsPath(), bytes); }

Text ProgramUnderTest::SettingsPath() const { return folder_.File("settings.ini"); }

Text ProgramUnderTest::DataFolder() const { return folder_.File("appdata") + u"\\Velo 2 DUro\\"; }

bool ProgramUnderTest::Start() {
  const Text program = folder_.File("velo2duro.exe");
  if (!CopyFileW(Wide(BuiltProgramPath()), Wide(program), FALSE)) return false;
  Text commandLine = u"\"" + program + u"\"";
  std::vector<wchar_t> environment = EnvironmentWith(folder_.File("appdata"));
  const Text folder = folder_.Path().u16string();
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(Wide(program), WideBuffer(commandLine), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                      environment.data(), Wide(folder), &startup, &process_)) {
    return false;
  }
  probe_ = std::make_unique<WindowProbe>(process_.dwProcessId, process_.hProcess);
  return true;
}

void ProgramUnderTest::AnswerDonationWindow(HWND donation) {
  donationShown_ = true;
  HWND close = nullptr;
  WaitFor([&] { return (close = WindowProbe::Control(donation, kDonationCloseButton)) != nullptr; }, 2000);
  donationFirstText_ = WindowProbe::TextOf(close);
  donationDisabledAtFirst_ = !WindowProbe::Enabled(close);
  WaitFor([&] { return WindowProbe::Enabled(close); }, 10000);
  donationLastText_ = WindowProbe::TextOf(close);
  WindowProbe::Click(close);
  WaitFor([&] { return !IsWindow(donation); }, 5000);
}

HWND ProgramUnderTest::WaitForMainWindow(int timeoutMs) {
  HWND main = nullptr;
  WaitFor(
      [&] {
        if (HWND donation = probe_->FindByTitle(u"Velo 2 DUro - Donation"); donation != nullptr && !donationShown_) {
          AnswerDonationWindow(donation);
        }
        main = probe_->FindByClass(u"WindowClass_0");
        return main != nullptr;
      },
      timeoutMs);
  return main;
}

bool ProgramUnderTest::WaitForExit(int timeoutMs, DWORD& exitCode) {
  if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return false;
  GetExitCodeProcess(process_.hProcess, &exitCode);
  return true;
}

bool ProgramUnderTest::Running() const {
  return process_.hProcess != nullptr && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}
