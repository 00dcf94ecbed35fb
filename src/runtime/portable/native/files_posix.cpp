// The native build's half of the file helpers.
#include <fcntl.h>
#include <unistd.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "runtime/portable/files.h"

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = write(fd, bytes.data(), bytes.size());
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

bool ReplaceFileContents(const Text& path, std::string_view bytes) {
  const std::string target = TextToUtf8(path);
  const std::string temporary = target + ".new";
  const int fd = open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  const bool written = WriteAll(fd, bytes) && fsync(fd) == 0;
  if (close(fd) != 0 || !written || std::rename(temporary.c_str(), target.c_str()) != 0) {
    std::remove(temporary.c_str());
    return false;
  }
  return true;
}

Text EnvironmentValue(const Text& name) {
  const char* value = std::getenv(TextToUtf8(name).c_str());
  return value != nullptr ? Utf8ToText(value) : Text();
}

Text ProgramFolder() {
  char buffer[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (n <= 0) return Text();
  std::string path(buffer, static_cast<std::size_t>(n));
  return Utf8ToText(path.substr(0, path.rfind('/') + 1));
}

bool CopyFileReplacing(const Text& from, const Text& to) {
  std::error_code error;
  return std::filesystem::copy_file(std::filesystem::path(from), std::filesystem::path(to),
                                    std::filesystem::copy_options::overwrite_existing, error);
}
