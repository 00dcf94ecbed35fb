#include "runtime/portable/preferences.h"

#include <gtest/gtest.h>

#include "runtime/portable/files.h"
#include "temp_folder.h"

namespace {
constexpr char kMark[] = "\xEF\xBB\xBF";

class PreferenceFile : public ::testing::Test {
 protected:
  TempFolder folder;
  Text path = folder.File("settings.ini");
};
}

TEST_F(PreferenceFile, MissingFileGivesDefaultsAndIsNeverCreated) {
  EXPECT_FALSE(OpenPreferences(path));
  PreferenceGroup(u"GUI");
  EXPECT_EQ(ReadPreferenceInteger(u"WindowWidth", 700), 700);
  WritePreferenceInteger(u"WindowWidth", 800);
  EXPECT_TRUE(ClosePreferences());
  EXPECT_FALSE(IsExistingFile(path));
}

TEST_F(PreferenceFile, ReadsNamesWithoutRegardToLetterCase) {
  PutFileBytes(path, "[gui]\r\nwindowstate=536870912\r\n  WindowX\t=  \t17\n[General]\nAutoRefreshTime = -5\n");
  ASSERT_TRUE(OpenPreferences(path));
  PreferenceGroup(u"GUI");
  EXPECT_EQ(ReadPreferenceInteger(u"WindowState", 0), 536870912);
  EXPECT_EQ(ReadPreferenceInteger(u"WINDOWX", -1), 17);
  EXPECT_EQ(ReadPreferenceInteger(u"AutoRefreshTime", 10), 10);
  PreferenceGroup(u"general");
  EXPECT_EQ(ReadPreferenceInteger(u"autorefreshtime", 10), -5);
  PreferenceGroup(u"Database");
  EXPECT_EQ(ReadPreferenceInteger(u"Enable", 0), 0);
  const std::string before = FileBytes(path);
  EXPECT_TRUE(ClosePreferences());
  EXPECT_EQ(FileBytes(path), before) << "nothing written, nothing rewritten";
}

TEST_F(PreferenceFile, AValueThatIsNoNumberReadsZero) {
  PutFileBytes(path, "[GUI]\nWindowWidth = wide\nWindowHeight =\nSplitter = 12px\n");
  ASSERT_TRUE(OpenPreferences(path));
  PreferenceGroup(u"GUI");
  EXPECT_EQ(ReadPreferenceInteger(u"WindowWidth", 700), 0);
  EXPECT_EQ(ReadPreferenceInteger(u"WindowHeight", 540), 0);
  EXPECT_EQ(ReadPreferenceInteger(u"Splitter", -1), 12);
  ClosePreferences();
}

TEST_F(PreferenceFile, AnsiFileGainsTheMarkAndANewGroupAtTheEnd) {
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

TEST_F(PreferenceFile, NewKeyGoesAfterTheGroupsLastLineAndOldKeysChangeInPlace) {
  PutFileBytes(path, std::string(kMark) +
                         "top=1\n[GUI]\nWindowX=5\n;note\n\n[Database]\nEnable=1\n");
  ASSERT_TRUE(OpenPreferences(path));
  PreferenceGroup(u"gui");
  WritePreferenceInteger(u"windowx", 9);
  WritePreferenceInteger(u"WindowY", -3);
  PreferenceGroup(u"");
  WritePreferenceInteger(u"second", 2);
  ASSERT_TRUE(ClosePreferences());
  EXPECT_EQ(FileBytes(path), std::string(kMark) +
                                 "top = 1\r\nsecond = 2\r\n[GUI]\r\nWindowX = 9\r\n; note\r\n"
                                 "WindowY = -3\r\n[Database]\r\nEnable = 1\r\n");
}

TEST_F(PreferenceFile, UnicodeFileStaysUnicode) {
  PutFileBytes(path, std::string(kMark) + "[Gr\xC3\xBC\xC3\x9F" "e]\nA=1\n");
  ASSERT_TRUE(OpenPreferences(path));
  PreferenceGroup(u"GR\u00dc\u00dfE");
  EXPECT_EQ(ReadPreferenceInteger(u"a", 0), 1);
  WritePreferenceInteger(u"a", 2);
  ASSERT_TRUE(ClosePreferences());
  EXPECT_EQ(FileBytes(path), std::string(kMark) + "[Gr\xC3\xBC\xC3\x9F" "e]\r\nA = 2\r\n");
}

TEST_F(PreferenceFile, AnEmptyFileIsRewrittenWithoutTheMark) {
  PutFileBytes(path, "");
  ASSERT_TRUE(OpenPreferences(path));
  PreferenceGroup(u"GUI");
  WritePreferenceInteger(u"Splitter", 300);
  ASSERT_TRUE(ClosePreferences());
  EXPECT_EQ(FileBytes(path), "[GUI]\r\nSplitter = 300\r\n");
}

TEST(PreferenceDocument, KeepsLinesOfNoKnownFormAsTheyStood) {
  PreferenceDocument document = ParsePreferences("[A]\njust words\nk=v\n");
  ASSERT_EQ(document.lines.size(), 3u);
  EXPECT_EQ(document.lines[1].kind, PreferenceLine::Kind::Other);
  EXPECT_EQ(RenderPreferences(document), std::string(kMark) + "[A]\r\njust words\r\nk = v\r\n");
}

TEST(PreferenceDocument, FirstOfTwoEqualGroupsTakesTheNewKey) {
  PreferenceDocument document = ParsePreferences("[A]\nx=1\n[B]\n[a]\ny=2\n");
  EXPECT_EQ(*FindPreference(document, u"A", u"Y"), u"2");
  SetPreference(document, u"a", u"z", u"3");
  EXPECT_EQ(RenderPreferences(document),
            std::string(kMark) + "[A]\r\nx = 1\r\nz = 3\r\n[B]\r\n[a]\r\ny = 2\r\n");
  EXPECT_EQ(FindPreference(document, u"B", u"x"), nullptr);
}

TEST(PreferenceDocument, ValueKeepsEqualsSignsAfterTheFirst) {
  const PreferenceDocument document = ParsePreferences("[A]\nk = a=b\n");
  EXPECT_EQ(*FindPreference(document, u"A", u"k"), u"a=b");
}
