#include "veloui/foundation/system_binding.h"

namespace {
using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);
}

std::int32_t ReadOsVersionCode() {
  // The reported version, not the one a compatibility shim pretends.
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof(version);
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  auto get_version = ntdll != nullptr ? reinterpret_cast<RtlGetVersionProc>(
                                            reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                                      : nullptr;
  if (get_version == nullptr || get_version(&version) != 0) return 0;
  const DWORD major = version.dwMajorVersion, minor = version.dwMinorVersion;
  if (major >= 10) return 100;
  if (major == 6) return minor >= 3 ? 95 : minor == 2 ? 90 : minor == 1 ? 80 : 70;
  if (major == 5) return minor >= 1 ? 60 : 50;
  return 0;
}
