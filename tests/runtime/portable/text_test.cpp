#include "runtime/portable/text.h"

#include <gtest/gtest.h>

TEST(Utf8, RoundTripsEveryPlaneAndReplacesWhatIsInvalid) {
  const Text text = u"A\u00e9\u20ac\U0001F600z";
  const std::string bytes = TextToUtf8(text);
  EXPECT_EQ(bytes, "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z");
  EXPECT_EQ(Utf8ToText(bytes), text);
  // A lone continuation byte, an overlong slash, a truncated sequence at the end.
  EXPECT_EQ(Utf8ToText("a\x80" "b"), u"a\uFFFDb");
  EXPECT_EQ(Utf8ToText("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToText("x\xE2\x82"), u"x\uFFFD\uFFFD");
  // An encoded surrogate is not a character.
  EXPECT_EQ(Utf8ToText("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  const Text lone = {u'a', static_cast<char16_t>(0xD800), u'b'};
  EXPECT_EQ(TextToUtf8(lone), "a\xEF\xBF\xBD" "b");
}

TEST(Ansi, OneBytePerCharacterWithQuestionMarksForTheRest) {
  const Text text = u"Gr\u00fc\u00df \u20ac \u4e2d";
  const std::string ansi = TextToAnsi(text);
  ASSERT_EQ(ansi.size(), text.size());
  EXPECT_EQ(ansi, "Gr\xFC\xDF \x80 ?");
  EXPECT_EQ(AnsiToText("Gr\xFC\xDF \x80"), u"Gr\u00fc\u00df \u20ac");
}

