#include "runtime/portable/preferences.h"

#include "runtime/portable/files.h"
#include "runtime/portable/lines.h"
#include "runtime/portable/text_file.h"
#include "runtime/portable/text_ops.h"

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// Blanks after a value and around a comment's text are no part of them, as blanks before a
// value are not: the rewrite puts "; " before a comment, so a kept blank would grow by one on
// every save, and a blank left after a value, unseen in an editor, must not change it.
PreferenceLine ParseLine(const Text& raw) {
  const Text line = TrimBlanks(raw);
  PreferenceLine parsed;
  if (line.front() == u'[') {
    parsed.kind = PreferenceLine::Kind::Group;
    const auto close = line.find(u']');
    parsed.name = TrimBlanks(TextView(line).substr(1, close == Text::npos ? Text::npos : close - 1));
  } else if (line.front() == u';') {
    parsed.kind = PreferenceLine::Kind::Comment;
    parsed.name = TrimBlanks(TextView(line).substr(1));
  } else if (const auto equals = line.find(u'='); equals != Text::npos) {
    parsed.kind = PreferenceLine::Kind::Key;
    parsed.name = TrimBlanks(TextView(line).substr(0, equals));
    parsed.value = TrimBlanks(TextView(line).substr(equals + 1));
  } else {
    parsed.name = raw;
  }
  return parsed;
}

// Index range [begin, end) of the lines that belong to each group named `group`, first found.
struct GroupSpan {
  std::size_t begin = 0, end = 0;
  bool found = false;
};

bool InGroup(const PreferenceLine& line, TextView group) {
  return line.kind == PreferenceLine::Kind::Group && EqualIgnoringCase(line.name, group);
}

GroupSpan FirstGroup(const PreferenceDocument& document, TextView group) {
  GroupSpan span;
  const auto& lines = document.lines;
  std::size_t i = 0;
  if (!group.empty()) {
    while (i < lines.size() && !InGroup(lines[i], group)) ++i;
    if (i == lines.size()) return span;
    ++i;
  }
  span.found = true;
  span.begin = i;
  while (i < lines.size() && lines[i].kind != PreferenceLine::Kind::Group) ++i;
  span.end = i;
  return span;
}

template <typename Document>
auto FindKeyLine(Document& document, TextView group, TextView key) -> decltype(&document.lines[0]) {
  bool inside = group.empty();
  for (auto& line : document.lines) {
    if (line.kind == PreferenceLine::Kind::Group) {
      inside = EqualIgnoringCase(line.name, group);
    } else if (inside && line.kind == PreferenceLine::Kind::Key && EqualIgnoringCase(line.name, key)) {
      return &line;
    }
  }
  return nullptr;
}

struct OpenPreferenceFile {
  bool open = false;
  Text path;
  PreferenceDocument document;
  Text group;
  bool written = false;
  bool writable = false;  // a file that can only be read is left as it is
};

OpenPreferenceFile& Current() {
  static OpenPreferenceFile current;
  return current;
}

}  // namespace

PreferenceDocument ParsePreferences(std::string_view bytes, std::uint32_t ansiCodePage) {
  PreferenceDocument document;
  document.wasEmpty = bytes.empty();
  // Decoded whole: a line end is found among characters, never inside a double-byte one.
  Text text;
  document.decoded = DecodeTextFile(bytes, ansiCodePage, text);
  TextLineReader reader(text);
  while (!reader.AtEnd()) {
    const Text line(reader.NextLine());
    if (TrimBlanks(line).empty()) continue;
    document.lines.push_back(ParseLine(line));
  }
  return document;
}

std::string RenderPreferences(const PreferenceDocument& document) {
  std::string out = document.wasEmpty ? std::string() : std::string(kByteOrderMark);
  for (const auto& line : document.lines) {
    switch (line.kind) {
      case PreferenceLine::Kind::Group: out += "[" + TextToUtf8(line.name) + "]"; break;
      case PreferenceLine::Kind::Key:
        out += TextToUtf8(line.name) + " = " + TextToUtf8(line.value);
        break;
      case PreferenceLine::Kind::Comment: out += "; " + TextToUtf8(line.name); break;
      case PreferenceLine::Kind::Other: out += TextToUtf8(line.name); break;
    }
    out += kLineEnd;
  }
  return out;
}

const Text* FindPreference(const PreferenceDocument& document, TextView group, TextView key) {
  const PreferenceLine* line = FindKeyLine(document, group, key);
  return line != nullptr ? &line->value : nullptr;
}

void SetPreference(PreferenceDocument& document, TextView group, TextView key, TextView value) {
  if (PreferenceLine* line = FindKeyLine(document, group, key)) {
    line->value = Text(value);
    return;
  }
  const PreferenceLine added{PreferenceLine::Kind::Key, Text(key), Text(value)};
  const GroupSpan span = FirstGroup(document, group);
  if (span.found) {
    document.lines.insert(document.lines.begin() + static_cast<std::ptrdiff_t>(span.end), added);
    return;
  }
  document.lines.push_back({PreferenceLine::Kind::Group, Text(group), Text()});
  document.lines.push_back(added);
}

bool OpenPreferences(const Text& path) {
  auto& current = Current();
  current = OpenPreferenceFile();
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  current.open = true;
  current.path = path;
  current.document = ParsePreferences(bytes);
  current.writable = IsWritableFile(path);
  return true;
}

void PreferenceGroup(TextView group) { Current().group = Text(group); }

std::int32_t ReadPreferenceInteger(TextView key, std::int32_t defaultValue) {
  const auto& current = Current();
  if (!current.open) return defaultValue;
  const Text* value = FindPreference(current.document, current.group, key);
  return value != nullptr ? ParseInteger32Text(*value, IntegerBases::Decimal, IntegerRange::Wrap32) : defaultValue;
}

void WritePreferenceInteger(TextView key, std::int32_t value) {
  auto& current = Current();
  if (!current.open) return;
  SetPreference(current.document, current.group, key, DecimalText(value));
  current.written = true;
}

bool ClosePreferences() {
  auto& current = Current();
  bool saved = true;
  if (current.open && current.written && current.writable && current.document.decoded) {
    saved = ReplaceFileContents(current.path, RenderPreferences(current.document));
  }
  current = OpenPreferenceFile();
  return saved;
}
