#pragma once
// Preference files: "[group]" lines, "key = value" lines and "; comment" lines. Names match
// without regard to letter case. Reading gives the caller's default for what is missing;
// writing keeps every other line in its place and rewrites the whole file on close.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/portable/text.h"

struct PreferenceLine {
  enum class Kind { Group, Key, Comment, Other };
  Kind kind = Kind::Other;
  Text name;   // group or key name; the comment text; an unrecognised line as it stood
  Text value;  // key lines only
};

struct PreferenceDocument {
  std::vector<PreferenceLine> lines;
  bool wasEmpty = true;  // an empty file is rewritten without the byte-order mark
  bool decoded = true;   // false: the bytes were not text of their encoding, and are never rewritten
};

// UTF-8 or UTF-16 after their byte-order marks; unmarked, UTF-8 when valid, else the ANSI
// code page (DecodeTextFile).
PreferenceDocument ParsePreferences(std::string_view bytes, std::uint32_t ansiCodePage = AnsiCodePage());
// UTF-8 with the byte-order mark (unless the file was empty), each line ended by CR LF.
std::string RenderPreferences(const PreferenceDocument& document);

// The value of `key` in the first group named `group` that holds it; nullptr when none.
// Keys before the first group line belong to the group "".
const Text* FindPreference(const PreferenceDocument& document, TextView group, TextView key);
// Sets the key in place, or adds it after the group's last line, or adds the group at the end.
void SetPreference(PreferenceDocument& document, TextView group, TextView key, TextView value);

// The one open preference file of the program.
// Opens an existing file; false (and every read gives its default) when it cannot be read.
bool OpenPreferences(const Text& path);
void PreferenceGroup(TextView group);
std::int32_t ReadPreferenceInteger(TextView key, std::int32_t defaultValue);
void WritePreferenceInteger(TextView key, std::int32_t value);
// Rewrites the file when something was written (and it was read as text and may be written);
// false when that rewrite failed.
bool ClosePreferences();
