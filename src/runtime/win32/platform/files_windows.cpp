// The Windows build's half of the file helpers.
#include <windows.h>

#include "runtime/portable/files.h"
#include "runtime/win32/platform/wide_text.h"

bool ReplaceFileContents(const Text& path, std::string_view bytes) {
  const Text temporary = path + u".new";
  HANDLE file = CreateFileW(Wide(temporary), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  bool written = true;
  while (written && !bytes.empty()) {
    DWORD n = 0;
    written = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &n, nullptr) && n > 0;
    bytes.remove_prefix(n);
  }
  written = written && FlushFileBuffers(file);
  CloseHandle(file);
  if (!written || !MoveFileExW(Wide(temporary), Wide(path),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DeleteFileW(Wide(temporary));
    return false;
  }
  return true;
}

Text EnvironmentValue(const Text& name) {
  const DWORD size = GetEnvironmentVariableW(Wide(name), nullptr, 0);
  if (size == 0) return Text();
  Text value(size, u'\0');
  const DWORD n = GetEnvironmentVariableW(Wide(name), WideBuffer(value), size);
  value.resize(n < size ? n : 0);
  return value;
}

Text ProgramFolder() {
  Text path(MAX_PATH * 4, u'\0');
  const DWORD n = GetModuleFileNameW(nullptr, WideBuffer(path), static_cast<DWORD>(path.size()));
  if (n == 0 || n >= path.size()) return Text();
  path.resize(n);
  return path.substr(0, path.find_last_of(u"\\/") + 1);
}

bool CopyFileReplacing(const Text& from, const Text& to) {
  return CopyFileW(Wide(from), Wide(to), FALSE) != 0;
}
