#include "veloui/foundation/core/coded_text_layout.h"

#include <algorithm>
#include <climits>

std::uint32_t CodedTextDrawFormat(std::uint32_t options) {
  std::uint32_t format = kFormatSingleLine | kFormatExpandTabs | kFormatNoClip;
  if ((options & kCodedTopLeft) == 0) {
    const bool centred = (options & kCodedCentreAcross) != 0 && (options & kCodedCentreDown) != 0;
    format |= centred ? kFormatCentre | kFormatVCentre : kFormatVCentre;
  }
  if ((options & kCodedPathEllipsis) != 0) format |= kFormatPathEllipsis;
  if ((options & kCodedEndEllipsis) != 0) format |= kFormatEndEllipsis;
  return format;
}

bool UsesCodes(TextView text, std::uint32_t options) {
  return (options & kCodedNoCodes) == 0 && text.find(u'\\') != TextView::npos;
}

Text CollapseBackslashes(TextView text) {
  Text result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    result.push_back(text[i]);
    if (text[i] == u'\\' && i + 1 < text.size() && text[i + 1] == u'\\') ++i;
  }
  return result;
}

namespace {

int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  return -1;
}

int HexPair(TextView digits, std::size_t from) {
  int value = 0;
  for (std::size_t i = from; i < from + 2 && i < digits.size(); ++i) {
    const int digit = HexDigit(digits[i]);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return value;
}

char16_t Lower(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c - u'A' + u'a') : c; }

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool IsFontCode(char16_t code) {
  return code == u'b' || code == u'i' || code == u'u' || code == u's' || code == u'n';
}

}  // namespace

std::uint32_t ParseCodedColour(TextView digits) {
  return static_cast<std::uint32_t>(HexPair(digits, 0)) | (static_cast<std::uint32_t>(HexPair(digits, 2)) << 8) |
         (static_cast<std::uint32_t>(HexPair(digits, 4)) << 16);
}

Text LinkMeasureText(TextView raw) {
  Text result;
  for (std::size_t i = 0; i < raw.size(); ++i) {
    if (raw[i] != u'\\' || i + 1 >= raw.size()) {
      result.push_back(raw[i]);
      continue;
    }
    const char16_t code = Lower(raw[i + 1]);
    if (code == u'\\') {
      result.push_back(u'\\');
      ++i;
    } else if (IsFontCode(code)) {
      ++i;
    } else if (code == u'c') {
      result.clear();
      i = std::min(raw.size(), i + 2 + 6) - 1;
    } else {
      result.push_back(raw[i]);
    }
  }
  return result;
}

namespace {

class CodedTextPass {
 public:
  CodedTextPass(TextView text, const TextBox& rect, std::uint32_t options, const CodedFontStyle& startingStyle,
                std::uint32_t startingColour, int lineSpacing, CodedTextCanvas& canvas)
      : text_(text),
        rect_(rect),
        options_(options),
        format_(CodedTextDrawFormat(options)),
        startingStyle_(startingStyle),
        style_(startingStyle),
        startingColour_(startingColour),
        lineSpacing_(text.find(u"\\|") != TextView::npos ? lineSpacing : 0),
        canvas_(canvas) {}

  CodedTextLayout Run() {
    std::size_t segmentStart = 0;
    std::size_t search = 0;
    bool escaped = false;
    for (;;) {
      const std::size_t slash = text_.find(u'\\', search);
      if (slash == TextView::npos) break;
      if (slash + 1 < text_.size() && text_[slash + 1] == u'\\') {
        escaped = true;
        search = slash + 2;
        continue;
      }
      Segment(text_.substr(segmentStart, slash - segmentStart), escaped);
      escaped = false;
      // A lone backslash at the very end has no code to act on and is dropped.
      segmentStart = slash + 1 < text_.size() ? ActOnCode(slash) : text_.size();
      search = segmentStart;
    }
    if (segmentStart < text_.size()) Segment(text_.substr(segmentStart), escaped);
    return std::move(layout_);
  }

 private:
  bool Measuring() const { return (options_ & kCodedMeasureOnly) != 0; }

  // Acts on the code after the backslash at `slash`; returns where the text resumes.
  std::size_t ActOnCode(std::size_t slash) {
    const char16_t code = Lower(text_[slash + 1]);
    const std::size_t after = slash + 2;
    switch (code) {
      case u'b':
        style_.Weight = style_.Weight == 700 ? 400 : 700;
        canvas_.UseFont(style_, false);
        return after;
      case u'i':
        style_.Italic = !style_.Italic;
        canvas_.UseFont(style_, false);
        return after;
      case u'u':
        style_.Underline = !style_.Underline;
        canvas_.UseFont(style_, false);
        return after;
      case u's':
        style_.StrikeOut = !style_.StrikeOut;
        canvas_.UseFont(style_, false);
        return after;
      case u'n':
        style_ = startingStyle_;
        canvas_.UseFont(style_, true);
        if (!Measuring()) canvas_.UseTextColour(startingColour_);
        return after;
      case u'c':
        return ColourCode(after);
      case u'l':
        return LinkCode(slash, after);
      case u'|':
        x_ = 0;
        y_ += lineHeight_;
        return after;
      default:
        return slash + 1;  // the backslash is dropped, the character is text
    }
  }

  std::size_t ColourCode(std::size_t digitsStart) {
    const std::size_t end = std::min(text_.size(), digitsStart + 6);
    // A measure draws nothing, so it leaves the colour of the device context alone.
    if (!Measuring() && (options_ & kCodedIgnoreColours) == 0) {
      canvas_.UseTextColour(ParseCodedColour(text_.substr(digitsStart, end - digitsStart)));
    }
    return end;
  }

  std::size_t LinkCode(std::size_t slash, std::size_t after) {
    if (after < text_.size() && IsDigit(text_[after])) {
      std::int64_t number = 0;
      std::size_t end = after;
      for (; end < text_.size() && IsDigit(text_[end]); ++end) {
        number = std::min<std::int64_t>(number * 10 + (text_[end] - u'0'), INT32_MAX);
      }
      linkOpen_ = true;
      linkNumber_ = static_cast<std::int32_t>(number);
      linkLeft_ = rect_.Left + x_;
      linkTop_ = rect_.Top + y_;
      linkTextStart_ = end;
      return end;
    }
    if (linkOpen_) {
      const TextExtent size = canvas_.Measure(LinkMeasureText(text_.substr(linkTextStart_, slash - linkTextStart_)));
      layout_.Links.push_back({linkNumber_, linkLeft_, linkTop_, linkLeft_ + size.Width, linkTop_ + size.Height});
      linkOpen_ = false;
    }
    return after;
  }

  void Segment(TextView raw, bool escaped) {
    const Text segment = escaped ? CollapseBackslashes(raw) : Text(raw);
    TextExtent size;
    if (segment.empty()) {
      size.Height = canvas_.Measure(u" ").Height;
    } else {
      size = canvas_.Measure(segment);
    }
    lineHeight_ = size.Height + lineSpacing_;
    if (!Measuring()) DrawSegment(segment, size);
    layout_.Visible += segment;
    layout_.Measured.Width = std::max(layout_.Measured.Width, x_ + size.Width);
    layout_.Measured.Height = std::max(layout_.Measured.Height, y_ + lineHeight_);
    x_ += size.Width;
  }

  void DrawSegment(const Text& segment, const TextExtent& size) {
    TextBox box;
    box.Left = rect_.Left + x_;
    box.Top = rect_.Top + y_;
    box.Right = box.Left + size.Width;
    Text shown = segment;
    if (box.Right > rect_.Right) {
      format_ &= ~kFormatNoClip;
      box.Right = rect_.Right;
      if ((format_ & kFormatEndEllipsis) != 0 && segment.size() == 1) shown = u"...";
    }
    box.Bottom = (format_ & kFormatVCentre) != 0 ? rect_.Bottom : box.Top + size.Height;
    if (box.Bottom > rect_.Bottom) {
      format_ &= ~kFormatNoClip;
      box.Bottom = rect_.Bottom;
    }
    if (!shown.empty()) canvas_.Draw(shown, box, format_);
  }

  TextView text_;
  TextBox rect_;
  std::uint32_t options_;
  std::uint32_t format_;
  CodedFontStyle startingStyle_;
  CodedFontStyle style_;
  std::uint32_t startingColour_;
  int lineSpacing_;
  CodedTextCanvas& canvas_;
  CodedTextLayout layout_;
  int x_ = 0;
  int y_ = 0;
  int lineHeight_ = 0;
  bool linkOpen_ = false;
  std::int32_t linkNumber_ = 0;
  int linkLeft_ = 0;
  int linkTop_ = 0;
  std::size_t linkTextStart_ = 0;
};

}  // namespace

CodedTextLayout LayOutCodedText(TextView text, const TextBox& rect, std::uint32_t options,
                                const CodedFontStyle& startingStyle, std::uint32_t startingColour, int lineSpacing,
                                CodedTextCanvas& canvas) {
  return CodedTextPass(text, rect, options, startingStyle, startingColour, lineSpacing, canvas).Run();
}
