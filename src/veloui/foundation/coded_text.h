#pragma once
// DrawCodedText: the one painter of every toolkit text (menu items, bar and toolbar captions,
// panel and text-control captions). It draws or measures a text whose inline codes switch
// bold, italic, underline and strike-out, set the colour, break lines and mark links.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "runtime/portable/text.h"
#include "veloui/foundation/core/coded_text_layout.h"

// Repairs the alpha of text drawn onto a panel's 32-bit paint buffer. The panels live in a
// layer above this one, which installs its repair when it starts; until then there is none.
// Called after every drawing (not measuring) call, never from inside itself.
using TextAlphaRepair = void (*)(HDC dc, const Text& text, const RECT& rect, HFONT font, std::uint32_t options);
void InstallTextAlphaRepair(TextAlphaRepair repair);

struct CodedTextGlobals {
  // Extra pixels per line of a text with line-break codes; set by the text controls.
  std::int32_t TextLineSpacing = 0;
  // The link list of the current text control; nullptr while there is none.
  std::vector<TextLinkRecord>* CurrentTextLinks = nullptr;
  bool InsideTextAlphaRepair = false;
};
// GUI thread only.
extern CodedTextGlobals CodedText;
// Also takes away the installed repair.
void ResetCodedTextForTesting();

// Draws `text` into `rect` (or measures it with option 0x400) with `font`, or with the font
// already selected in `dc` when `font` is nullptr; the dc's font is the same afterwards.
// Returns the text without its codes with option 0x800000, else the empty text.
Text DrawCodedText(HDC dc, const Text& text, RECT& rect, HFONT font, std::uint32_t options);
