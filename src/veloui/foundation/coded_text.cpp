#include "veloui/foundation/coded_text.h"

#include "runtime/win32/platform/wide_text.h"

static_assert(kFormatCentre == DT_CENTER && kFormatVCentre == DT_VCENTER && kFormatSingleLine == DT_SINGLELINE &&
              kFormatExpandTabs == DT_EXPANDTABS && kFormatNoClip == DT_NOCLIP && kFormatCalcRect == DT_CALCRECT &&
              kFormatPathEllipsis == DT_PATH_ELLIPSIS && kFormatEndEllipsis == DT_END_ELLIPSIS);

CodedTextGlobals CodedText;

namespace {
TextAlphaRepair InstalledTextAlphaRepair = nullptr;
}  // namespace

void InstallTextAlphaRepair(TextAlphaRepair repair) { InstalledTextAlphaRepair = repair; }

void ResetCodedTextForTesting() {
  CodedText = CodedTextGlobals();
  InstalledTextAlphaRepair = nullptr;
}

namespace {

const wchar_t* WideOf(TextView text) { return reinterpret_cast<const wchar_t*>(text.data()); }

// The coded path's device context: measuring, drawing and the fonts the codes make.
class DcCanvas : public CodedTextCanvas {
 public:
  DcCanvas(HDC dc, HFONT startingFont, const LOGFONTW& startingLog)
      : dc_(dc), startingFont_(startingFont), quality_(startingLog.lfQuality) {
    const int length = GetTextFaceW(dc, 0, nullptr);
    if (length > 0) {
      faceName_.assign(static_cast<std::size_t>(length), u'\0');
      GetTextFaceW(dc, length, reinterpret_cast<wchar_t*>(faceName_.data()));
      faceName_.resize(faceName_.find(u'\0') == Text::npos ? faceName_.size() : faceName_.find(u'\0'));
    }
    GetTextMetricsW(dc, &metrics_);
  }
  ~DcCanvas() override { DropCodeFont(); }
  DcCanvas(const DcCanvas&) = delete;
  DcCanvas& operator=(const DcCanvas&) = delete;

  CodedFontStyle StartingStyle() const {
    return {static_cast<int>(metrics_.tmWeight), metrics_.tmItalic != 0, metrics_.tmUnderlined != 0,
            metrics_.tmStruckOut != 0};
  }

  TextExtent Measure(TextView text) override {
    RECT box{0, 0, 0, 0};
    DrawTextW(dc_, WideOf(text), static_cast<int>(text.size()), &box, DT_CALCRECT | DT_EXPANDTABS);
    return {box.right, box.bottom - box.top};
  }

  void Draw(TextView text, const TextBox& box, std::uint32_t format) override {
    RECT target{box.Left, box.Top, box.Right, box.Bottom};
    DrawTextW(dc_, WideOf(text), static_cast<int>(text.size()), &target, format);
  }

  void UseFont(const CodedFontStyle& style, bool starting) override {
    SelectObject(dc_, startingFont_);
    DropCodeFont();
    if (starting) return;
    codeFont_ = CreateFontW(metrics_.tmHeight, metrics_.tmAveCharWidth, 0, 0, style.Weight, style.Italic,
                            style.Underline, style.StrikeOut, metrics_.tmCharSet, 0, 0, quality_,
                            metrics_.tmPitchAndFamily, reinterpret_cast<const wchar_t*>(faceName_.c_str()));
    if (codeFont_ != nullptr) SelectObject(dc_, codeFont_);
  }

  void UseTextColour(std::uint32_t colour) override { SetTextColor(dc_, colour); }

 private:
  // The starting font goes back in first: a font that is still selected is not deleted.
  void DropCodeFont() {
    if (codeFont_ == nullptr) return;
    SelectObject(dc_, startingFont_);
    DeleteObject(codeFont_);
    codeFont_ = nullptr;
  }

  HDC dc_;
  HFONT startingFont_;
  BYTE quality_;
  Text faceName_;
  TEXTMETRICW metrics_{};
  HFONT codeFont_ = nullptr;
};

void RepairPanelTextAlpha(HDC dc, const Text& text, const RECT& rect, HFONT font, std::uint32_t options) {
  CodedTextGlobals& globals = CodedText;
  if (InstalledTextAlphaRepair == nullptr || globals.InsideTextAlphaRepair) return;
  globals.InsideTextAlphaRepair = true;
  InstalledTextAlphaRepair(dc, text, rect, font, options);
  globals.InsideTextAlphaRepair = false;
}

}  // namespace

Text DrawCodedText(HDC dc, const Text& text, RECT& rect, HFONT font, std::uint32_t options) {
  const bool measuring = (options & kCodedMeasureOnly) != 0;
  std::vector<TextLinkRecord>* links =
      (options & kCodedRecordLinks) != 0 ? CodedText.CurrentTextLinks : nullptr;
  if (links != nullptr) links->clear();

  HFONT startingFont = font;
  HFONT previousFont = nullptr;
  if (font == nullptr) {
    startingFont = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    previousFont = startingFont;
  } else {
    previousFont = static_cast<HFONT>(SelectObject(dc, font));
  }
  LOGFONTW startingLog{};
  GetObjectW(startingFont, sizeof(startingLog), &startingLog);
  const COLORREF startingColour = GetTextColor(dc);
  SetBkMode(dc, TRANSPARENT);

  Text visible;
  if (!UsesCodes(text, options)) {
    const UINT format = measuring ? DT_CALCRECT | DT_EXPANDTABS : CodedTextDrawFormat(options);
    DrawTextW(dc, Wide(text), static_cast<int>(text.size()), &rect, format);
    visible = text;
  } else {
    DcCanvas canvas(dc, startingFont, startingLog);
    const TextBox box{rect.left, rect.top, rect.right, rect.bottom};
    CodedTextLayout layout = LayOutCodedText(text, box, options, canvas.StartingStyle(), startingColour,
                                             CodedText.TextLineSpacing, canvas);
    if (measuring) rect = RECT{0, 0, layout.Measured.Width, layout.Measured.Height};
    if (links != nullptr) links->insert(links->end(), layout.Links.begin(), layout.Links.end());
    visible = std::move(layout.Visible);
  }
  if (!measuring) RepairPanelTextAlpha(dc, text, rect, startingFont, options);
  SelectObject(dc, previousFont);
  return (options & kCodedVisibleText) != 0 ? visible : Text();
}
