#include "runtime/portable/files.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

namespace {
fs::path PathOf(const Text& text) { return fs::path(text); }
}  // namespace

bool ReadWholeFile(const Text& path, std::string& bytes) {
  bytes.clear();
  std::error_code error;
  if (!fs::is_regular_file(PathOf(path), error)) return false;
  std::ifstream in(PathOf(path), std::ios::binary);
  if (!in) return false;
  std::string chunk(4096, '\0');
  while (in.read(chunk.data(), static_cast<std::streamsize>(chunk.size())) || in.gcount() > 0) {
    bytes.append(chunk.data(), static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) {
    bytes.clear();
    return false;
  }
  return true;
}

bool IsExistingFile(const Text& path) {
  std::error_code error;
  return fs::is_regular_file(PathOf(path), error);
}

std::uint64_t FileSizeOf(const Text& path) {
  std::error_code error;
  if (!fs::is_regular_file(PathOf(path), error)) return 0;
  const std::uintmax_t size = fs::file_size(PathOf(path), error);
  return error ? 0 : static_cast<std::uint64_t>(size);
}

bool IsSameFile(const Text& first, const Text& second) {
  std::error_code error;
  return fs::equivalent(PathOf(first), PathOf(second), error) && !error;
}

bool IsExistingFolder(const Text& path) {
  std::error_code error;
  return fs::is_directory(PathOf(path), error);
}

bool IsWritableFile(const Text& path) {
  if (!IsExistingFile(path)) return false;
  std::ofstream out(PathOf(path), std::ios::binary | std::ios::app);
  return static_cast<bool>(out);
}

bool CreateFolder(const Text& path) {
  std::error_code error;
  return fs::create_directory(PathOf(path), error);
}

bool CreateEmptyFile(const Text& path) {
  std::ofstream out(PathOf(path), std::ios::binary | std::ios::trunc);
  return static_cast<bool>(out);
}

bool SetCurrentFolder(const Text& path) {
  std::error_code error;
  fs::current_path(PathOf(path), error);
  return !error;
}

Text CurrentFolder() {
  std::error_code error;
  const fs::path folder = fs::current_path(error);
  return error ? Text() : folder.u16string();
}
