#include "runtime/portable/text_file.h"

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LittleEndianMark = "\xFF\xFE";
constexpr std::string_view kUtf16BigEndianMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark) { return bytes.substr(0, mark.size()) == mark; }

}  // namespace

bool DecodeTextFile(std::string_view bytes, std::uint32_t ansiCodePage, Text& text) {
  if (StartsWith(bytes, kUtf8Mark)) return Utf8ToTextChecked(bytes.substr(kUtf8Mark.size()), text);
  if (StartsWith(bytes, kUtf16LittleEndianMark)) {
    return Utf16BytesToText(bytes.substr(kUtf16LittleEndianMark.size()), false, text);
  }
  if (StartsWith(bytes, kUtf16BigEndianMark)) {
    return Utf16BytesToText(bytes.substr(kUtf16BigEndianMark.size()), true, text);
  }
  if (Utf8ToTextChecked(bytes, text)) return true;
  return CodePageToText(bytes, ansiCodePage, text);
}
