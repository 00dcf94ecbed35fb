#include "veloui/foundation/core/colour_expression.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "veloui/foundation/core/ascii_case.h"
#include "veloui/foundation/core/colour_helpers.h"
#include "veloui/foundation/core/named_colours.h"
#include "veloui/foundation/core/ui_colour.h"

namespace {
SystemColourReader ReadSystemColour = nullptr;

struct SystemColourName {
  std::u16string_view Name;
  std::int32_t Index;
};

constexpr SystemColourName kSystemColours[] = {
    {u"COLOR_3DDKSHADOW", 21}, {u"COLOR_3DFACE", 15}, {u"COLOR_3DHIGHLIGHT", 20}, {u"COLOR_3DLIGHT", 22},
    {u"COLOR_3DSHADOW", 16}, {u"COLOR_ACTIVEBORDER", 10}, {u"COLOR_ACTIVECAPTION", 2},
    {u"COLOR_APPWORKSPACE", 12}, {u"COLOR_BACKGROUND", 1}, {u"COLOR_BTNFACE", 15},
    {u"COLOR_BTNHIGHLIGHT", 20}, {u"COLOR_BTNHILIGHT", 20}, {u"COLOR_BTNSHADOW", 16}, {u"COLOR_BTNTEXT", 18},
    {u"COLOR_CAPTIONTEXT", 9}, {u"COLOR_DESKTOP", 1}, {u"COLOR_GRADIENTACTIVECAPTION", 27},
    {u"COLOR_GRADIENTINACTIVECAPTION", 28}, {u"COLOR_GRAYTEXT", 17}, {u"COLOR_HIGHLIGHT", 13},
    {u"COLOR_HIGHLIGHTTEXT", 14}, {u"COLOR_HOTLIGHT", 26}, {u"COLOR_INACTIVEBORDER", 11},
    {u"COLOR_INACTIVECAPTION", 3}, {u"COLOR_INACTIVECAPTIONTEXT", 19}, {u"COLOR_INFOBK", 24},
    {u"COLOR_INFOTEXT", 23}, {u"COLOR_MENU", 4}, {u"COLOR_MENUHILIGHT", 29}, {u"COLOR_MENUBAR", 30},
    {u"COLOR_MENUTEXT", 7}, {u"COLOR_SCROLLBAR", 0}, {u"COLOR_WINDOW", 5}, {u"COLOR_WINDOWFRAME", 6},
    {u"COLOR_WINDOWTEXT", 8},
};

struct StyleWord {
  std::u16string_view Word;
  std::uint32_t Style;
};
constexpr StyleWord kStyleWords[] = {
    {u"UISTYLE_WHIDBEY", UISTYLE_WHIDBEY},
    {u"UISTYLE_OFFICE2003", UISTYLE_OFFICE2003},
    {u"UISTYLE_OFFICE2007", UISTYLE_OFFICE2007},
};

constexpr std::u16string_view kModeWords[] = {
    u"UICOLOURMODE_DEFAULT",      u"UICOLOURMODE_DEFAULT_BLUE",  u"UICOLOURMODE_DEFAULT_OLIVE",
    u"UICOLOURMODE_DEFAULT_SILVER", u"UICOLOURMODE_DEFAULT_GREY", u"UICOLOURMODE_CUSTOM",
    u"UICOLOURMODE_CUSTOM_BLUE",  u"UICOLOURMODE_CUSTOM_OLIVE",  u"UICOLOURMODE_CUSTOM_SILVER",
    u"UICOLOURMODE_CUSTOM_GREY",
};

void RemoveAll(Text& text, std::u16string_view word) {
  for (auto at = text.find(word); at != Text::npos; at = text.find(word, at)) text.erase(at, word.size());
}

std::vector<Text> SplitFields(const Text& text) {
  std::vector<Text> fields;
  std::size_t start = 0;
  for (;;) {
    const auto comma = text.find(u',', start);
    fields.emplace_back(text.substr(start, comma == Text::npos ? Text::npos : comma - start));
    if (comma == Text::npos) return fields;
    start = comma + 1;
  }
}

const Text& Field(const std::vector<Text>& fields, std::size_t index) {
  static const Text kEmpty;
  return index < fields.size() ? fields[index] : kEmpty;
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The integer at the start of a field (optional sign, then digits); anything else reads 0.
std::int64_t IntegerOf(const Text& field) {
  std::size_t at = 0;
  const bool negative = at < field.size() && field[at] == u'-';
  if (at < field.size() && (field[at] == u'-' || field[at] == u'+')) ++at;
  std::int64_t value = 0;
  for (; at < field.size() && IsDigit(field[at]) && value < 1000000000; ++at) value = value * 10 + (field[at] - u'0');
  return negative ? -value : value;
}

// A decimal fraction such as 0.5 or .25; the same digits give the same value in both builds.
double FractionOf(const Text& field) {
  std::size_t at = 0;
  const bool negative = at < field.size() && field[at] == u'-';
  if (at < field.size() && (field[at] == u'-' || field[at] == u'+')) ++at;
  double value = 0;
  for (; at < field.size() && IsDigit(field[at]); ++at) value = value * 10 + (field[at] - u'0');
  if (at < field.size() && field[at] == u'.') {
    double scale = 0.1;
    for (++at; at < field.size() && IsDigit(field[at]); ++at, scale /= 10) value += (field[at] - u'0') * scale;
  }
  return negative ? -value : value;
}

// Keeps each channel inside its byte so that it cannot spill into its neighbour.
std::uint32_t Channel(const Text& field) { return static_cast<std::uint32_t>(std::clamp<std::int64_t>(IntegerOf(field), 0, 255)); }

std::uint32_t Alpha(const Text& field) {
  std::int64_t alpha = field.find(u'.') != Text::npos ? std::llround(FractionOf(field) * 255.0) : IntegerOf(field);
  return static_cast<std::uint32_t>(std::clamp<std::int64_t>(alpha, 1, 255));
}

bool IsCallForm(const Text& text) {
  const auto open = text.find(u'(');
  const auto close = text.find(u')');
  return open != Text::npos && close != Text::npos && close > open;
}

std::vector<Text> CallArguments(Text text, std::initializer_list<std::u16string_view> removed) {
  for (std::u16string_view word : removed) RemoveAll(text, word);
  return SplitFields(text);
}

std::uint32_t StyleOfWord(const Text& word) {
  for (const StyleWord& style : kStyleWords)
    if (style.Word == word) return style.Style;
  return 0;
}

std::int32_t ModeOfWord(const Text& word) {
  for (std::size_t mode = 0; mode < std::size(kModeWords); ++mode)
    if (kModeWords[mode] == word) return static_cast<std::int32_t>(mode);
  return 0;
}

std::uint32_t EvalGetUIColourCall(const Text& text) {
  const auto fields = CallArguments(text, {u" ", u"#", u"getuicolour", u"(", u")", u";"});
  const std::uint32_t style = StyleOfWord(UpperKeyword(Field(fields, 0)));
  const auto id = FindUIColourId(TextToUtf8(Field(fields, 1)));
  const std::int32_t mode = ModeOfWord(UpperKeyword(Field(fields, 2)));
  return EvalGetUIColour(style, id.value_or(0), mode);
}

int HexDigitValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

std::uint32_t HexColour(const Text& text) {
  const auto hash = text.find(u'#');
  std::uint32_t rgb = 0;
  int digits = 0;
  for (std::size_t at = hash + 1; at < text.size() && digits < 7; ++at, ++digits) {
    const int value = HexDigitValue(text[at]);
    if (value < 0) break;
    rgb = (rgb << 4) | static_cast<std::uint32_t>(value);
  }
  if (digits != 6) return kNoColour;
  return RgbToColorref(rgb >> 16, rgb >> 8, rgb);
}

std::uint32_t ReadColumn(const UIColourRecord& record, std::int32_t mode) {
  switch (mode) {
    case 1: return record.DefaultBlue;
    case 2: return record.DefaultOlive;
    case 3: return record.DefaultSilver;
    case 4: return record.DefaultGrey;
    case 6: return record.CustomBlue;
    case 7: return record.CustomOlive;
    case 8: return record.CustomSilver;
    case 9: return record.CustomGrey;
    default: return 0;
  }
}

bool IsExplicitMode(std::int32_t mode) { return IsDefaultSchemeMode(mode) || IsCustomSchemeMode(mode); }
}  // namespace

std::int32_t SystemColourIndex(TextView upperName) {
  for (const SystemColourName& colour : kSystemColours)
    if (colour.Name == upperName) return colour.Index;
  return -1;
}

std::uint32_t ParseColourValue(TextView input) {
  const Text text = LowerKeyword(input);
  if (text.find(u"rgba") != Text::npos && IsCallForm(text)) {
    const auto fields = CallArguments(text, {u" ", u"rgba", u"(", u")", u";"});
    return PackColourBytes(Alpha(Field(fields, 3)), Channel(Field(fields, 0)), Channel(Field(fields, 1)),
                           Channel(Field(fields, 2)));
  }
  if (text.find(u"rgb") != Text::npos && IsCallForm(text)) {
    const auto fields = CallArguments(text, {u" ", u"rgb", u"(", u")", u";"});
    return RgbToColorref(Channel(Field(fields, 0)), Channel(Field(fields, 1)), Channel(Field(fields, 2)));
  }
  if (text.find(u"getuicolour") != Text::npos && IsCallForm(text)) return EvalGetUIColourCall(text);
  if (text.find(u'#') != Text::npos) return HexColour(text);
  Text word = TrimKeywordBlanks(text);
  RemoveAll(word, u";");
  const std::int32_t index = SystemColourIndex(UpperKeyword(word));
  if (index >= 0) return ReadSystemColour != nullptr ? ReadSystemColour(index) : 0;
  if (const auto rgb = FindNamedColour(word)) return RgbToColorref(*rgb >> 16, *rgb >> 8, *rgb);
  return kNoColour;
}

std::uint32_t EvalGetUIColour(std::uint32_t style, std::int32_t id, std::int32_t mode) {
  if (id < 0 || id >= kNamedUIColourIdCount) return 0;
  std::uint32_t word = 0;
  if (style == UISTYLE_WHIDBEY) {
    if (mode == UICOLOURMODE_DEFAULT) mode = static_cast<std::int32_t>(GetUIColour(UISTYLE_OFFICE2003, -1, 0));
    word = ReadColumn(UIColours.Whidbey[static_cast<std::size_t>(id)], mode);
  } else if (style == UISTYLE_OFFICE2003 || style == UISTYLE_OFFICE2007) {
    word = IsExplicitMode(mode) ? ReadColumn((*UIColourTableOfStyle(style))[static_cast<std::size_t>(id)], mode)
                                : GetUIColour(style, id, kUIColourStored);
  } else {
    return 0;
  }
  // Only ARGB words are converted: a COLORREF kept in an ARGB slot stays what it is.
  if (IsPlainColourId(id) || !IsArgbWord(word)) return word;
  return ArgbToColorref(word);
}

void SetSystemColourReader(SystemColourReader reader) { ReadSystemColour = reader; }
