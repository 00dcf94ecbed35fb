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
