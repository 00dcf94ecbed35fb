#include "objdump_lines.h"

#include <algorithm>
#include <sstream>

namespace {

struct Entry {
  std::uint64_t address = 0;
  std::int32_t line = 0;
  bool noLine = false;  // an end of a sequence, or a start in foreign code
};

bool StartsWithAny(const std::string& path, const std::vector<std::string>& prefixes) {
  return std::ranges::any_of(prefixes, [&](const std::string& prefix) { return path.starts_with(prefix); });
}

// "CU: path:" and "path:" name the file of the rows below them.
bool FileHeading(const std::string& text, std::string& path) {
  if (text.empty() || text.back() != ':' || text.find("  ") != std::string::npos) return false;
  path = text.substr(0, text.size() - 1);
  if (path.starts_with("CU: ")) path.erase(0, 4);
  return true;
}

// "name  line  0xaddress  [view]  [x]"; `line` is 0 for "-", the end of a sequence.
bool RowOf(const std::string& text, std::int32_t& line, std::uint64_t& address) {
  std::istringstream fields(text);
  std::string name, lineField, addressField;
  if (!(fields >> name >> lineField >> addressField) || !addressField.starts_with("0x")) return false;
  try {
    address = std::stoull(addressField.substr(2), nullptr, 16);
    line = lineField == "-" ? 0 : std::stoi(lineField);
  } catch (const std::exception&) {
    return false;
  }
  return line >= 0;
}

// By address; at one address every no-line mark first, so that a sequence's end never hides the
// start of the next one, and otherwise in the order the rows came.
std::vector<LineTableRow> Normalised(std::vector<Entry> entries, std::uint32_t imageBase) {
  std::ranges::stable_sort(entries, [](const Entry& a, const Entry& b) {
    return a.address != b.address ? a.address < b.address : (a.noLine && !b.noLine);
  });
  std::vector<LineTableRow> rows;
  for (const Entry& entry : entries) {
    if (entry.address < imageBase || entry.address - imageBase > UINT32_MAX) continue;
    const LineTableRow row{static_cast<std::uint32_t>(entry.address - imageBase), entry.noLine ? 0 : entry.line};
    if (!rows.empty() && rows.back().offset == row.offset) rows.pop_back();
    if (rows.empty() ? row.line == 0 : rows.back().line == row.line) continue;
    rows.push_back(row);
  }
  return rows;
}

}  // namespace

std::vector<LineTableRow> LineRowsFromObjdump(std::istream& decodedLines, const std::vector<std::string>& ownPrefixes,
                                              std::uint32_t imageBase) {
  std::vector<Entry> entries;
  std::string text, path;
  bool own = false, sequenceStarted = false;
  while (std::getline(decodedLines, text)) {
    while (!text.empty() && (text.back() == '\r' || text.back() == ' ')) text.pop_back();
    std::int32_t line = 0;
    std::uint64_t address = 0;
    if (FileHeading(text, path)) {
      own = StartsWithAny(path, ownPrefixes);
    } else if (RowOf(text, line, address)) {
      if (line == 0) {
        entries.push_back({address, 0, true});
        sequenceStarted = false;
        continue;
      }
      if (own) {
        entries.push_back({address, line, false});
      } else if (!sequenceStarted) {
        entries.push_back({address, 0, true});
      }
      sequenceStarted = true;
    }
  }
  return Normalised(std::move(entries), imageBase);
}
