#include "runtime/portable/lines.h"

bool LacksFinalLineEnd(std::string_view bytes) {
  if (bytes.empty()) return false;
  const char last = bytes.back();
  return last != '\r' && last != '\n' && last != '\0';
}
