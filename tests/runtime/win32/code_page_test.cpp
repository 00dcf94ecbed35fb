// The ANSI code pages of the East Asian systems hold a character in two bytes, the second of
// which may be an ASCII "[", "\" or "{": read byte by byte, such a file loses every character.
#include <gtest/gtest.h>

#include "runtime/portable/preferences.h"

TEST(CodePageToText, ReadsTheDoubleByteCodePagesAsWholeCharacters) {
  const struct {
    std::uint32_t CodePage;
    std::string Bytes;
    const char16_t* Text;
  } cases[] = {
      {932, "; \x93\xFA\x96\x7B\x8C\xEA \x83\x5C\x81\x5B\x83\x58", u"; \u65e5\u672c\u8a9e \u30bd\u30fc\u30b9"},
      {936, "; \xD6\xD0\xCE\xC4\xD7\xA2\xCA\xCD", u"; \u4e2d\u6587\u6ce8\u91ca"},
      {949, "; \xC7\xD1\xB1\xB9\xBE\xEE", u"; \ud55c\uad6d\uc5b4"},
      {950, "; \xC1\x63\xC5\xE9\xA4\xA4\xA4\xE5", u"; \u7e41\u9ad4\u4e2d\u6587"},
      {1252, "Gr\xF6\xDF" "e \x80", u"Gr\u00f6\u00dfe \u20ac"},
  };
  for (const auto& c : cases) {
    Text text;
    EXPECT_TRUE(CodePageToText(c.Bytes, c.CodePage, text)) << c.CodePage;
    EXPECT_EQ(text, c.Text) << c.CodePage;
  }
  // A lead byte without its second byte is no character of the code page.
  Text text;
  EXPECT_FALSE(CodePageToText("; caf\x82\r\n", 932, text));
  EXPECT_TRUE(CodePageToText("", 932, text));
  EXPECT_EQ(text, u"");
}

// What the user wrote comes back in the rewrite unchanged, as UTF-8 with its mark.
TEST(PreferenceDocument, AFileInCodePage932KeepsItsJapaneseLinesThroughTheRewrite) {
  const std::string file =
      "[\x95\x5C\x8E\xA6]\r\n"                                                            // [表示]
      "\x96\xBC\x91\x4F = \x83\x5C\x95\x5C\r\n"                                           // 名前 = ソ表
      "; \x93\xFA\x96\x7B\x8C\xEA\x82\xCC\x83\x52\x83\x81\x83\x93\x83\x67 \x83\x5C\x81\x5B\x83\x58\r\n"  // ; 日本語のコメント ソース
      "[Database]\r\nEnable = 1\r\n";
  PreferenceDocument document = ParsePreferences(file, 932);
  ASSERT_TRUE(document.decoded);
  ASSERT_NE(FindPreference(document, u"\u8868\u793a", u"\u540d\u524d"), nullptr);
  EXPECT_EQ(*FindPreference(document, u"\u8868\u793a", u"\u540d\u524d"), u"\u30bd\u8868");
  ASSERT_NE(FindPreference(document, u"Database", u"Enable"), nullptr);
  EXPECT_EQ(*FindPreference(document, u"Database", u"Enable"), u"1");
  SetPreference(document, u"GUI", u"WindowX", u"5");
  EXPECT_EQ(RenderPreferences(document),
            "\xEF\xBB\xBF[\xE8\xA1\xA8\xE7\xA4\xBA]\r\n"
            "\xE5\x90\x8D\xE5\x89\x8D = \xE3\x82\xBD\xE8\xA1\xA8\r\n"
            "; \xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E\xE3\x81\xAE\xE3\x82\xB3\xE3\x83\xA1\xE3\x83\xB3\xE3\x83\x88 "
            "\xE3\x82\xBD\xE3\x83\xBC\xE3\x82\xB9\r\n"
            "[Database]\r\nEnable = 1\r\n[GUI]\r\nWindowX = 5\r\n");
  EXPECT_FALSE(ParsePreferences("[GUI]\r\n; \x82\r\n", 932).decoded);
}
