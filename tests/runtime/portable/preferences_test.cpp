#include "runtime/portable/preferences.h"

#include <gtest/gtest.h>

#include <vector>

#include "runtime/portable/files.h"
#include "temp_folder.h"

namespace {
constexpr char kMark[] = "\xEF\xBB\xBF";
}

TEST(PreferenceFile, MissingFileGivesDefaultsAndIsNeverCreated) {
  TempFolder folder;
  const Text path = folder.File("settings.ini");
  EXPECT_FALSE(OpenPreferences(path));
  PreferenceGroup(u"GUI");
  EXPECT_EQ(ReadPreferenceInteger(u"WindowWidth", 700), 700);
  WritePreferenceInteger(u"WindowWidth", 800);
  EXPECT_TRUE(ClosePreferences());
  EXPECT_FALSE(IsExistingFile(path));
}

// The first group of a name that holds the key counts; numbers are read up to their first foreign character.
TEST(PreferenceFile, ReadsWithoutRegardToLetterCaseAndRewritesNothingUnchanged) {
  TempFolder folder;
  const Text path = folder.File("settings.ini");
  PutFileBytes(path, "[gui]\r\nwindowstate=536870912\r\n  WindowX\t=  \t17\nWindowWidth = wide\nWindowHeight =\n"
                     "Splitter = 12px\n[General]\nAutoRefreshTime = -5\n[GUI]\nLate=4\nWindowX=99\n");
  const struct {
    const char16_t* Group;
    const char16_t* Key;
    std::int32_t Default;
    std::int32_t Expected;
  } reads[] = {{u"GUI", u"WindowState", 0, 536870912}, {u"GUI", u"WINDOWX", -1, 17}, {u"GUI", u"WindowWidth", 700, 0},
               {u"GUI", u"WindowHeight", 540, 0},      {u"GUI", u"Splitter", -1, 12}, {u"GUI", u"AutoRefreshTime", 10, 10},
               {u"general", u"autorefreshtime", 10, -5}, {u"Database", u"Enable", 0, 0}, {u"gui", u"late", 0, 4}};
  ASSERT_TRUE(OpenPreferences(path));
  for (const auto& read : reads) {
    PreferenceGroup(read.Group);
    EXPECT_EQ(ReadPreferenceInteger(read.Key, read.Default), read.Expected) << TextToUtf8(read.Key);
  }
  const std::string before = FileBytes(path);
  EXPECT_TRUE(ClosePreferences());
  EXPECT_EQ(FileBytes(path), before);
  EXPECT_EQ(*FindPreference(ParsePreferences("[A]\nk = a=b\n"), u"A", u"k"), u"a=b");
}

TEST(PreferenceFile, AnAnsiFileIsRewrittenAsUtf8WithTheMarkOnClose) {
  TempFolder folder;
  const Text path = folder.File("settings.ini");
  PutFileBytes(path, "[General]\nAutoRefreshEnable=1\n; caf\xE9\n\n");
  ASSERT_TRUE(OpenPreferences(path));
  PreferenceGroup(u"GUI");
  WritePreferenceInteger(u"WindowState", 0);
  WritePreferenceInteger(u"WindowX", -1);
  ASSERT_TRUE(ClosePreferences());
  EXPECT_EQ(FileBytes(path), std::string(kMark) +
                                 "[General]\r\nAutoRefreshEnable = 1\r\n; caf\xC3\xA9\r\n"
                                 "[GUI]\r\nWindowState = 0\r\nWindowX = -1\r\n");
}

// A new key goes after its group's last line, in the first group of that name; keys before any group belong to "".
TEST(PreferenceDocument, WritesKeepEveryOtherLineWhereItStood) {
  const struct {
    std::string Before;
    std::vector<std::vector<const char16_t*>> Writes;  // group, key, value
    std::string After;
  } cases[] = {
      {std::string(kMark) + "top=1\n[GUI]\nWindowX=5\n;note\n\n[Database]\nEnable=1\n",
       {{u"gui", u"windowx", u"9"}, {u"GUI", u"WindowY", u"-3"}, {u"", u"second", u"2"}},
       std::string(kMark) + "top = 1\r\nsecond = 2\r\n[GUI]\r\nWindowX = 9\r\n; note\r\nWindowY = -3\r\n[Database]\r\nEnable = 1\r\n"},
      {std::string(kMark) + "[Gr\xC3\xBC\xC3\x9F" "e]\nA=1\n", {{u"GR\u00dc\u00dfE", u"a", u"2"}},
       std::string(kMark) + "[Gr\xC3\xBC\xC3\x9F" "e]\r\nA = 2\r\n"},
      {"[A]\nx=1\n[B]\n[a]\ny=2\n", {{u"a", u"z", u"3"}}, std::string(kMark) + "[A]\r\nx = 1\r\nz = 3\r\n[B]\r\n[a]\r\ny = 2\r\n"},
      {"[A]\njust words\nk=v\n", {}, std::string(kMark) + "[A]\r\njust words\r\nk = v\r\n"},
      {"", {{u"GUI", u"Splitter", u"300"}}, "[GUI]\r\nSplitter = 300\r\n"},  // an empty file gains no mark
  };
  for (const auto& c : cases) {
    PreferenceDocument document = ParsePreferences(c.Before);
    for (const auto& write : c.Writes) SetPreference(document, write[0], write[1], write[2]);
    EXPECT_EQ(RenderPreferences(document), c.After) << c.Before;
  }
}

// Blanks after a value and around a comment are dropped once, and a second rewrite changes nothing more.
TEST(PreferenceDocument, BlanksAfterAValueAndAroundACommentAreNoPartOfThem) {
  const PreferenceDocument read = ParsePreferences("[A]\nk = v w \t\n;  a note \t\n");
  EXPECT_EQ(*FindPreference(read, u"A", u"k"), u"v w");
  const std::string written = RenderPreferences(read);
  EXPECT_EQ(written, std::string(kMark) + "[A]\r\nk = v w\r\n; a note\r\n");
  EXPECT_EQ(RenderPreferences(ParsePreferences(written)), written);
}

namespace {

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
  std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
  for (const char16_t unit : text) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    bytes += bigEndian ? std::string{high, low} : std::string{low, high};
  }
  return bytes;
}

constexpr char16_t kUserLines[] =
    u"[General]\r\nAutoRefreshEnable = 1\r\n; Gr\u00f6\u00dfe \u65e5\u672c \U0001F600\r\n[Database]\r\nEnable = 1\r\n";
constexpr char kUserLinesUtf8[] =
    "[General]\r\nAutoRefreshEnable = 1\r\n; Gr\xC3\xB6\xC3\x9F" "e \xE6\x97\xA5\xE6\x9C\xAC \xF0\x9F\x98\x80\r\n"
    "[Database]\r\nEnable = 1\r\n";

}  // namespace

// The switches are read, and the user's lines come back as they were, in UTF-8 with its mark.
TEST(PreferenceFile, UnicodeFilesWithOrWithoutAMarkKeepTheUsersLinesThroughTheRewrite) {
  const std::string files[] = {Utf16Bytes(kUserLines, false), Utf16Bytes(kUserLines, true), kUserLinesUtf8,
                               std::string(kMark) + kUserLinesUtf8};
  for (const std::string& bytes : files) {
    TempFolder folder;
    const Text path = folder.File("settings.ini");
    PutFileBytes(path, bytes);
    ASSERT_TRUE(OpenPreferences(path));
    PreferenceGroup(u"General");
    EXPECT_EQ(ReadPreferenceInteger(u"AutoRefreshEnable", 0), 1);
    PreferenceGroup(u"Database");
    EXPECT_EQ(ReadPreferenceInteger(u"Enable", 0), 1);
    PreferenceGroup(u"GUI");
    WritePreferenceInteger(u"WindowX", 40);
    ASSERT_TRUE(ClosePreferences());
    EXPECT_EQ(FileBytes(path), std::string(kMark) + kUserLinesUtf8 + "[GUI]\r\nWindowX = 40\r\n");
  }
}

// Bytes that are no text of their encoding would be rewritten as replacement characters.
TEST(PreferenceFile, AFileThatCannotBeDecodedIsReadButNeverRewritten) {
  const std::string files[] = {
      Utf16Bytes(u"[GUI]\r\nWindowX = 3\r\n", false) + "\x20",                          // an odd byte
      Utf16Bytes(u"[GUI]\r\nWindowX = 3\r\n; \xD800 lone\r\n", false),                   // a lone surrogate
      Utf16Bytes(u"[GUI]\r\nWindowX = 3\r\n; \xDC00\r\n", true),
      std::string(kMark) + "[GUI]\r\nWindowX = 3\r\n; caf\xE9\r\n",                       // not UTF-8 after its mark
  };
  for (const std::string& bytes : files) {
    TempFolder folder;
    const Text path = folder.File("settings.ini");
    PutFileBytes(path, bytes);
    ASSERT_TRUE(OpenPreferences(path));
    PreferenceGroup(u"GUI");
    EXPECT_EQ(ReadPreferenceInteger(u"WindowX", -1), 3);
    WritePreferenceInteger(u"WindowX", 40);
    EXPECT_TRUE(ClosePreferences());
    EXPECT_EQ(FileBytes(path), bytes);
  }
  EXPECT_FALSE(ParsePreferences("[GUI]\r\n; caf\xE9\r\n", 932).decoded);  // a lead byte before the line end
  EXPECT_TRUE(ParsePreferences("[GUI]\r\n; caf\xE9\r\n", 1252).decoded);
}
