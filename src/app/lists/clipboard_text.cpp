#include "app/lists/clipboard_text.h"

Text JoinWithLineEnds(const std::vector<Text>& parts) {
  Text joined;
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (i > 0) joined += u"\r\n";
    joined += parts[i];
  }
  return joined;
}
