// An access violation in the running program: its report, then the end without anything saved.
#include "scenario.h"

#include <psapi.h>

#include <cstdio>

#include "crash_site.h"
#include "runtime/portable/files.h"

namespace e2e {
namespace {

using CrashReport = Scenario;

constexpr char16_t kNoLine[] = u"Sourcecode line: Enable OnError lines support to get code line information.\r";

Text UpperHex(std::uintptr_t value) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%X", static_cast<unsigned>(value));
  return Utf8ToText(digits);
}

// Runs a new thread of the program at `start`.
void RunThreadAt(HANDLE process, std::uintptr_t start) {
  HANDLE thread = CreateRemoteThread(process, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(start), nullptr, 0,
                                     nullptr);
  ASSERT_NE(thread, nullptr);
  CloseHandle(thread);
}

void WriteCode(HANDLE process, std::uintptr_t address, const std::string& code) {
  void* at = reinterpret_cast<void*>(address);
  DWORD protection = 0;
  ASSERT_TRUE(VirtualProtectEx(process, at, code.size(), PAGE_EXECUTE_READWRITE, &protection));
  ASSERT_TRUE(WriteProcessMemory(process, at, code.data(), code.size(), nullptr));
  VirtualProtectEx(process, at, code.size(), protection, &protection);
  FlushInstructionCache(process, at, code.size());
}

std::uintptr_t ProgramBase(HANDLE process) {
  HMODULE program = nullptr;
  DWORD size = 0;
  return EnumProcessModules(process, &program, sizeof program, &size) ? reinterpret_cast<std::uintptr_t>(program) : 0;
}

TEST_F(CrashReport, AnAccessViolationShowsTheReportAndEndsTheProgram) {
  const std::string settings = "[General]\r\nAutoRefreshEnable = 0\r\n";
  StartProgram(settings);
  // A thread of the program that jumps to an address where nothing is mapped.
  HANDLE thread = CreateRemoteThread(process_.hProcess, nullptr, 0, reinterpret_cast<LPTHREAD_START_ROUTINE>(0x10),
                                     nullptr, 0, nullptr);
  ASSERT_NE(thread, nullptr);
  CloseHandle(thread);
  const Text report = AnswerMessageBox(u"Velo 2 DUro");
  // The report's wording is tested without a window (app_tests); here its facts.
  EXPECT_EQ(report.rfind(u"A program error was detected:\r\r", 0), 0u) << TextToUtf8(report);
  EXPECT_NE(report.find(u"Error Code:      -1073741819\r"), Text::npos);
  EXPECT_NE(report.find(u"Code Address:    $10\r"), Text::npos);
  const DWORD code = ExitCode();
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, STILL_ACTIVE);
  std::string after;
  ASSERT_TRUE(ReadWholeFile(File("settings.ini"), after));
  EXPECT_EQ(after, settings);  // nothing saved
}

// The line table beside the program as the build wrote it, or changed as a test asks.
enum class LineTable { AsBuilt, Missing, RowsDamaged, Truncated, OfAnotherBuild };

class FaultInOwnCode : public Scenario, public ::testing::WithParamInterface<LineTable> {
 protected:
  void PutLineTable(LineTable kind) {
    std::string table;
    ASSERT_TRUE(ReadWholeFile(BuiltProgram() + u".lines", table));
    ASSERT_GT(table.size(), 100u);
    if (kind == LineTable::Missing) return;
    if (kind == LineTable::RowsDamaged) table[table.size() / 2] ^= 0x40;
    if (kind == LineTable::Truncated) table.resize(table.size() - 1);
    if (kind == LineTable::OfAnotherBuild) table[4] ^= 0x01;  // the build's time stamp
    PutFileBytes(File("velo2duro.exe.lines"), table);
  }

  // Makes the first instruction of the function that opens the donation page, whose line the
  // debugging data knows, read a cell of memory that does not exist: a fault in that line. It
  // runs on a thread of its own, or on the windows' thread when the user chooses Donate.
  Text FaultInKnownLine(bool onWindowsThread = false) {
    const std::uintptr_t site = ProgramBase(process_.hProcess) + kCrashSiteOffset;
    WriteCode(process_.hProcess, site, std::string("\xA1\x10\x00\x00\x00", 5));  // mov eax, [0x10]
    if (onWindowsThread) {
      Menu(kItemDonate);
    } else {
      RunThreadAt(process_.hProcess, site);
    }
    const Text report = AnswerMessageBox(u"Velo 2 DUro");
    EXPECT_NE(report.find(u"Code Address:    $" + UpperHex(site) + u"\r"), Text::npos) << TextToUtf8(report);
    EXPECT_NE(report.find(u"Target Address:  $10\r"), Text::npos) << TextToUtf8(report);
    return report;
  }
};

std::string NameOfTable(const ::testing::TestParamInfo<LineTable>& table) {
  constexpr const char* kNames[] = {"AsBuilt", "Missing", "RowsDamaged", "Truncated", "OfAnotherBuild"};
  return kNames[static_cast<int>(table.param)];
}

TEST_P(FaultInOwnCode, TheReportNamesTheLineOnlyFromTheProgramsOwnTable) {
  PutLineTable(GetParam());
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");
  const Text report = FaultInKnownLine();
  const Text expected = GetParam() == LineTable::AsBuilt ? u"Sourcecode line: " + DecimalText(kCrashSiteLine) + u"\r"
                                                         : Text(kNoLine);
  EXPECT_TRUE(report.ends_with(expected)) << TextToUtf8(report);
  const DWORD code = ExitCode();
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, STILL_ACTIVE);
}

INSTANTIATE_TEST_SUITE_P(Tables, FaultInOwnCode,
                         ::testing::Values(LineTable::AsBuilt, LineTable::Missing, LineTable::RowsDamaged,
                                           LineTable::Truncated, LineTable::OfAnotherBuild),
                         NameOfTable);

TEST_F(FaultInOwnCode, OnTheWindowsThreadTheReportShowsWhileThatThreadStandsStill) {
  PutLineTable(LineTable::AsBuilt);
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");
  const Text report = FaultInKnownLine(true);
  EXPECT_TRUE(report.ends_with(u"Sourcecode line: " + DecimalText(kCrashSiteLine) + u"\r")) << TextToUtf8(report);
  const DWORD code = ExitCode();
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, STILL_ACTIVE);
}

// The windows' thread shows its own report, yet runs none of its other windows' code meanwhile
// (which might fail again and end the program with the report unread): a minimise posted to the
// main window is not taken.
TEST_F(FaultInOwnCode, WhileTheWindowsThreadReportsItsOtherWindowsStandStill) {
  PutLineTable(LineTable::AsBuilt);
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");
  WriteCode(process_.hProcess, ProgramBase(process_.hProcess) + kCrashSiteOffset,
            std::string("\xA1\x10\x00\x00\x00", 5));  // mov eax, [0x10]
  Menu(kItemDonate);
  const WindowTest isReport = [](HWND window) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0 && TextOf(window) == u"Velo 2 DUro";
  };
  HWND box = nullptr;
  ASSERT_TRUE(Eventually([&] { return (box = Top(isReport)) != nullptr; }));
  // Taken by the window, a redraw switched off would take WS_VISIBLE away.
  PostMessageW(main_, WM_SETREDRAW, FALSE, 0);
  EXPECT_FALSE(WaitFor([&] { return (GetWindowLongW(main_, GWL_STYLE) & WS_VISIBLE) == 0; }, 2000));
  EXPECT_TRUE(IsWindow(box));
  Command(box, IDOK);
  const DWORD code = ExitCode();
  EXPECT_NE(code, 0u);
  EXPECT_NE(code, STILL_ACTIVE);
}

// The address in the program's process of a system function, through the library that holds
// it here: a system library need not lie at the same place in both processes.
std::uintptr_t RemoteProcAddress(HANDLE process, const wchar_t* library, const char* name) {
  const auto here = reinterpret_cast<std::uintptr_t>(GetProcAddress(GetModuleHandleW(library), name));
  HMODULE holder = nullptr;
  wchar_t holderName[MAX_PATH] = {};
  if (here == 0 ||
      !GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                          reinterpret_cast<LPCWSTR>(here), &holder) ||
      GetModuleBaseNameW(GetCurrentProcess(), holder, holderName, MAX_PATH) == 0) {
    return 0;
  }
  HMODULE modules[512];
  DWORD size = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &size)) return 0;
  for (DWORD i = 0; i < size / sizeof(HMODULE) && i < 512; ++i) {
    wchar_t moduleName[MAX_PATH] = {};
    if (GetModuleBaseNameW(process, modules[i], moduleName, MAX_PATH) != 0 && lstrcmpiW(moduleName, holderName) == 0) {
      return reinterpret_cast<std::uintptr_t>(modules[i]) + (here - reinterpret_cast<std::uintptr_t>(holder));
    }
  }
  return 0;
}

std::string Imm32(std::uintptr_t value) {
  std::string bytes(4, '\0');
  for (int i = 0; i < 4; ++i) bytes[i] = static_cast<char>((value >> (8 * i)) & 0xFF);
  return bytes;
}

// mov eax, function; call eax
std::string CallFunction(std::uintptr_t function) { return "\xB8" + Imm32(function) + "\xFF\xD0"; }

// A thread of the program that runs `prelude` and then reads a cell of memory that does not
// exist; the report must name that read, and the program must end after it.
class FaultHoldingLock : public Scenario {
 protected:
  void FaultAfter(const std::string& prelude) {
    auto* code = static_cast<char*>(
        VirtualAllocEx(process_.hProcess, nullptr, 64, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE));
    ASSERT_NE(code, nullptr);
    WriteCode(process_.hProcess, reinterpret_cast<std::uintptr_t>(code),
              prelude + std::string("\xA1\x10\x00\x00\x00", 5));  // mov eax, [0x10]
    RunThreadAt(process_.hProcess, reinterpret_cast<std::uintptr_t>(code));
    const Text report = AnswerMessageBox(u"Velo 2 DUro");
    const std::uintptr_t fault = reinterpret_cast<std::uintptr_t>(code) + prelude.size();
    EXPECT_NE(report.find(u"Code Address:    $" + UpperHex(fault) + u"\r"), Text::npos) << TextToUtf8(report);
    EXPECT_NE(report.find(u"Target Address:  $10\r"), Text::npos) << TextToUtf8(report);
    EXPECT_EQ(report.rfind(u"A program error was detected:\r\r", 0), 0u) << TextToUtf8(report);
    const DWORD exitCode = ExitCode();
    EXPECT_NE(exitCode, 0u);
    EXPECT_NE(exitCode, STILL_ACTIVE);
  }
};

// A fault inside an allocation holds the heap's lock, which the message box needs too.
TEST_F(FaultHoldingLock, TheProcessHeapsLockShowsTheReportAndEndsTheProgram) {
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");
  const std::uintptr_t processHeap = RemoteProcAddress(process_.hProcess, L"kernel32.dll", "GetProcessHeap");
  const std::uintptr_t heapLock = RemoteProcAddress(process_.hProcess, L"kernel32.dll", "HeapLock");
  ASSERT_NE(processHeap, 0u);
  ASSERT_NE(heapLock, 0u);
  // HeapLock(GetProcessHeap()), never unlocked.
  FaultAfter(CallFunction(processHeap) + "\x50" + CallFunction(heapLock));
}

// A fault in a library's start-up code holds the loader's lock, which a starting thread needs.
TEST_F(FaultHoldingLock, TheLoadersLockShowsTheReportAndEndsTheProgram) {
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");
  const std::uintptr_t lockLoader = RemoteProcAddress(process_.hProcess, L"ntdll.dll", "LdrLockLoaderLock");
  ASSERT_NE(lockLoader, 0u);
  // LdrLockLoaderLock(0, &state, &cookie) with both cells on the stack, never unlocked.
  const std::string lock = std::string("\x6A\x00\x6A\x00", 4)  // push 0 (cookie); push 0 (state)
                           + "\x89\xE0\x8D\x48\x04\x51\x50"    // mov eax, esp; lea ecx, [eax+4]; push ecx; push eax
                           + std::string("\x6A\x00", 2)          // push 0 (flags)
                           + CallFunction(lockLoader);
  FaultAfter(lock);
}

TEST_F(CrashReport, AStackOverflowShowsTheReport) {
  StartProgram("[General]\r\nAutoRefreshEnable = 0\r\n");
  // A thread of the program that pushes without end: push eax; jmp back to the push.
  void* code = VirtualAllocEx(process_.hProcess, nullptr, 16, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
  ASSERT_NE(code, nullptr);
  WriteCode(process_.hProcess, reinterpret_cast<std::uintptr_t>(code), "\x50\xEB\xFD");
  RunThreadAt(process_.hProcess, reinterpret_cast<std::uintptr_t>(code));
  const Text report = AnswerMessageBox(u"Velo 2 DUro");
  EXPECT_EQ(report.rfind(u"A program error was detected:\r\r", 0), 0u) << TextToUtf8(report);
  EXPECT_NE(report.find(u"Error Message:   Stack overflow\r"), Text::npos);
  EXPECT_NE(report.find(u"Error Code:      -1073741571\r"), Text::npos);
  EXPECT_TRUE(report.ends_with(kNoLine));  // not the program's own code
  const DWORD exitCode = ExitCode();
  EXPECT_NE(exitCode, 0u);
  EXPECT_NE(exitCode, STILL_ACTIVE);
}

}  // namespace
}  // namespace e2e
