#include "runtime/portable/lines.h"

std::string_view LineReader::NextLine() {
  const std::size_t start = pos_;
  while (pos_ < bytes_.size()) {
    const char c = bytes_[pos_];
    if (c == '\r' || c == '\n' || c == '\0') {
      const std::string_view line = bytes_.substr(start, pos_ - start);
      ++pos_;
      if (c == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
      return line;
    }
    ++pos_;
  }
  return bytes_.substr(start);
}

bool LacksFinalLineEnd(std::string_view bytes) {
  if (bytes.empty()) return false;
  const char last = bytes.back();
  return last != '\r' && last != '\n' && last != '\0';
}
