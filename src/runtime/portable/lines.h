#pragma once
// Line-based text files: reading lines out of a file's bytes, and the line end we write.
#include <cstddef>
#include <string>
#include <string_view>

// A line ends at CR, at LF, at the pair CR LF (one line end), or at a zero byte.
class LineReader {
 public:
  explicit LineReader(std::string_view bytes) : bytes_(bytes) {}
  bool AtEnd() const { return pos_ >= bytes_.size(); }
  // The next line without its line end; "" once the end is reached.
  std::string_view NextLine();

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

inline constexpr std::string_view kLineEnd = "\r\n";

// True when the bytes are not empty and their last line has no line end.
bool LacksFinalLineEnd(std::string_view bytes);
