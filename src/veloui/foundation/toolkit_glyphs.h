#pragma once
// The toolkit's shared glyphs: a fully transparent 1 x 1 icon (the placeholder image) and the
// 7 x 7 check mark and radio dot that menus draw in their check areas.
#include <windows.h>
#include <commctrl.h>

constexpr int kMenuGlyphSize = 7;

// Made once per InitToolkit; stored in Toolkit.BlankIcon, MenuCheckGlyph and MenuRadioGlyph.
void CreateToolkitGlyphs();
