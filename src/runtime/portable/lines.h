#pragma once
// Line-based text files: reading lines out of a file's bytes (or its decoded text), and the
// line end we write.
#include <cstddef>
#include <string>
#include <string_view>

// A line ends at CR, at LF, at the pair CR LF (one line end), or at a zero.
template <typename Char>
class BasicLineReader {
 public:
  using View = std::basic_string_view<Char>;
  explicit BasicLineReader(View chars) : chars_(chars) {}
  bool AtEnd() const { return pos_ >= chars_.size(); }
  // The next line without its line end; "" once the end is reached.
  View NextLine() {
    const std::size_t start = pos_;
    while (pos_ < chars_.size()) {
      const Char c = chars_[pos_];
      if (c == Char('\r') || c == Char('\n') || c == Char(0)) {
        const View line = chars_.substr(start, pos_ - start);
        ++pos_;
        if (c == Char('\r') && pos_ < chars_.size() && chars_[pos_] == Char('\n')) ++pos_;
        return line;
      }
      ++pos_;
    }
    return chars_.substr(start);
  }

 private:
  View chars_;
  std::size_t pos_ = 0;
};

using LineReader = BasicLineReader<char>;
using TextLineReader = BasicLineReader<char16_t>;

inline constexpr std::string_view kLineEnd = "\r\n";

// True when the bytes are not empty and their last line has no line end.
bool LacksFinalLineEnd(std::string_view bytes);
