#include "app/error_report.h"

#include <windows.h>

#include "app/logic/error_report_text.h"
#include "app/program_end.h"
#include "runtime/portable/files.h"
#include "runtime/portable/line_table.h"
#include "runtime/win32/platform/wide_text.h"

namespace {

// The failing thread shows the report itself: it may hold a lock that the message box needs
// (the process heap's, while it faulted inside an allocation; the loader's, inside a library's
// start-up), and only the holder can take it again. A thread whose stack has overflowed cannot
// show a box, though: the box would need the stack that is gone, and the process would vanish
// without a word. That one fault alone is handed over to a thread parked since start-up for this
// job, while the failing thread waits.
struct ErrorReporter {
  HANDLE thread = nullptr;
  HANDLE faultRaised = nullptr;
  LONG claimed = 0;           // the first fault is reported; any later one waits for the end
  DWORD reportingThread = 0;  // the thread making the report, once one is
  const EXCEPTION_RECORD* exception = nullptr;
  Text lineTablePath;  // velo2duro.exe.lines beside the program
};
ErrorReporter g_reporter;

// The line of the program's own code at `address`, from the table beside the program; -1 for
// code elsewhere (a system library, no code at all) and for a missing, damaged or foreign table.
std::int32_t SourceLineAt(std::uintptr_t address) {
  const auto* image = reinterpret_cast<const char*>(GetModuleHandleW(nullptr));
  ProgramIdentity identity;
  std::uint32_t preferredBase = 0;
  // The headers fill the image's first page, which the loader maps readable.
  if (image == nullptr || !ReadProgramIdentity(std::string_view(image, 0x1000), identity, preferredBase)) return -1;
  // Offsets from where the program was actually loaded, wherever the system placed it.
  const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(image);
  if (address < base || address - base >= identity.sizeOfImage) return -1;
  std::string table;
  if (FileSizeOf(g_reporter.lineTablePath) > kLineTableMaxSize || !ReadWholeFile(g_reporter.lineTablePath, table)) {
    return -1;
  }
  return FindSourceLine(table, identity, static_cast<std::uint32_t>(address - base));
}

ErrorReport ReportOf(const EXCEPTION_RECORD& exception) {
  ErrorReport report;
  report.ErrorCode = exception.ExceptionCode;
  report.CodeAddress = reinterpret_cast<std::uintptr_t>(exception.ExceptionAddress);
  // For an access violation the second parameter is the address that was touched.
  if (exception.ExceptionCode == kAccessViolation && exception.NumberParameters >= 2) {
    report.TargetAddress = exception.ExceptionInformation[1];
  }
  report.SourceLine = SourceLineAt(reinterpret_cast<std::uintptr_t>(exception.ExceptionAddress));
  return report;
}

bool IsInReportBox(HWND window) {
  wchar_t name[8] = {};
  const HWND root = window != nullptr ? GetAncestor(window, GA_ROOT) : nullptr;
  return root != nullptr && GetClassNameW(root, name, 8) != 0 && lstrcmpW(name, L"#32770") == 0;
}

// While a thread shows the report, its other windows are given none of their messages: their code
// might fail again, and a second fault ends the process with the report unread. A paint held back
// is marked done, or it would come straight back.
LRESULT CALLBACK OnlyTheReportsMessages(int code, WPARAM wParam, LPARAM lParam) {
  auto* message = reinterpret_cast<MSG*>(lParam);
  if (code != MSGF_DIALOGBOX || IsInReportBox(message->hwnd)) return CallNextHookEx(nullptr, code, wParam, lParam);
  if (message->message == WM_PAINT && message->hwnd != nullptr) ValidateRect(message->hwnd, nullptr);
  return 1;
}

// Shows the report and ends the process: its state can no longer be trusted, so neither the
// settings nor the connection are touched.
void ShowProgramError(const EXCEPTION_RECORD& exception) {
  const Text text = ProgramErrorText(ReportOf(exception));
  SetWindowsHookExW(WH_MSGFILTER, OnlyTheReportsMessages, nullptr, GetCurrentThreadId());
  // Task-modal, as it has no owner: the failed program's windows take no input meanwhile. In
  // front, as the fault may come from a thread of ours while another program is in front.
  MessageBoxW(nullptr, Wide(text), L"Velo 2 DUro", MB_OK | MB_ICONERROR | MB_TASKMODAL | MB_SETFOREGROUND);
  EndProgramAfterError(exception.ExceptionCode);
}

DWORD WINAPI ReportWhenFaultRaised(void*) {
  WaitForSingleObject(g_reporter.faultRaised, INFINITE);
  g_reporter.reportingThread = GetCurrentThreadId();
  ShowProgramError(*g_reporter.exception);
  return 0;
}

// Runs on the failing thread; with a spent stack it calls nothing that needs more.
LONG WINAPI OnProgramError(EXCEPTION_POINTERS* pointers) {
  const EXCEPTION_RECORD& exception = *pointers->ExceptionRecord;
  // A fault while the report is being made (on a heap already damaged, say) cannot be reported:
  // the process ends as it is.
  if (GetCurrentThreadId() == g_reporter.reportingThread) {
    TerminateProcess(GetCurrentProcess(), exception.ExceptionCode);
  }
  if (InterlockedCompareExchange(&g_reporter.claimed, 1, 0) != 0) {
    Sleep(INFINITE);  // the report under way ends the process
  }
  // Without the reporter (it could not be started) even a spent stack is tried here.
  if (exception.ExceptionCode != kStackOverflow || g_reporter.thread == nullptr) {
    g_reporter.reportingThread = GetCurrentThreadId();
    ShowProgramError(exception);
  }
  // This thread stays parked below, so the record on its stack stays valid for the reporter.
  g_reporter.exception = &exception;
  SetEvent(g_reporter.faultRaised);
  Sleep(INFINITE);  // the reporter ends the process
  return EXCEPTION_EXECUTE_HANDLER;
}

// On 64-bit Windows (7, and Vista with an update) an exception in a window procedure that the
// system called back from kernel mode (while a window is moved or sized, or a menu is tracked)
// is swallowed by default, and the program runs on in a broken state; turning the policy off lets
// it reach the report. Systems without the policy lack the functions, so they are looked up by
// name. Wine 8 exports neither, and its dispatcher of calls back from the system ignores any
// exception in them (a fault in a window procedure during SetWindowPos is dropped, while one
// during DispatchMessage or a same-thread SendMessage reaches the report), so there the lookup
// finds nothing and such a fault stays unreported.
void StopSwallowingCallbackExceptions() {
  using GetPolicy = BOOL(WINAPI*)(LPDWORD);
  using SetPolicy = BOOL(WINAPI*)(DWORD);
  constexpr DWORD kCallbackFilterEnabled = 0x1;  // PROCESS_CALLBACK_FILTER_ENABLED
  HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
  if (kernel == nullptr) return;
  const auto get = reinterpret_cast<GetPolicy>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "GetProcessUserModeExceptionPolicy")));
  const auto set = reinterpret_cast<SetPolicy>(
      reinterpret_cast<void*>(GetProcAddress(kernel, "SetProcessUserModeExceptionPolicy")));
  DWORD flags = 0;
  if (get != nullptr && set != nullptr && get(&flags)) set(flags & ~kCallbackFilterEnabled);
}

Text ProgramFilePath() {
  Text path(MAX_PATH * 4, u'\0');
  const DWORD n = GetModuleFileNameW(nullptr, WideBuffer(path), static_cast<DWORD>(path.size()));
  path.resize(n < path.size() ? n : 0);
  return path;
}

}  // namespace

void InstallProgramErrorReport() {
  g_reporter.lineTablePath = ProgramFilePath() + u".lines";
  g_reporter.faultRaised = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  if (g_reporter.faultRaised != nullptr) {
    g_reporter.thread = CreateThread(nullptr, 0, ReportWhenFaultRaised, nullptr, 0, nullptr);
  }
  StopSwallowingCallbackExceptions();
  SetUnhandledExceptionFilter(OnProgramError);
}
