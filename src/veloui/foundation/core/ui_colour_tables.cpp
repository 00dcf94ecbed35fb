#include "veloui/foundation/core/ui_colour_tables.h"

#include "veloui/foundation/core/named_colours.h"

UIColourState UIColours;

namespace {
struct FourSchemes {
  std::int32_t Id;
  std::uint32_t Blue, Olive, Silver, Grey;
};
// The Office 2007 look has no olive scheme of its own: it shows its blue one.
struct ThreeSchemes {
  std::int32_t Id;
  std::uint32_t BlueAndOlive, Silver, Grey;
};

// Ids absent from a table stay 0.
constexpr FourSchemes kWhidbey[] = {
    {UIColour::menutitletextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitlehottextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitleheldtextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitleinactivetextcolor, 0x0099A8AC, 0x0099A8AC, 0x0099A8AC, 0x00808080},
    {UIColour::menutextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menuhotcolor, 0x00EED2C1, 0x00C5D2CE, 0x00ECE8E8, 0x00D3BEB6},
    {UIColour::menuhotborder, 0x00C56A31, 0x0070A093, 0x00BFB4B2, 0x006A240A},
    {UIColour::menuheldcolor, 0x00DEEDEF, 0x00DEEDEF, 0x00E7E4E5, 0x00D2D8DC},
    {UIColour::menuheldborder, 0x00646F71, 0x00646F71, 0x00646F71, 0x00676767},
    {UIColour::menubarcolor, 0x00DEEDEF, 0x00DEEDEF, 0x00E7E4E5, 0x00D2D8DC},
    {UIColour::menucheckboxbackground, 0x00E9E7E3, 0x00E1ECED, 0x00EDEAEB, 0x00DAD6D5},
    {UIColour::menucheckboxborder, 0x00C56A31, 0x0070A093, 0x00BFB4B2, 0x006A240A},
    {UIColour::menucheckboxselectedbackground, 0x00E3B599, 0x00B8D0CA, 0x00DAD4D4, 0x00B59285},
    {UIColour::menucheckboxselectedborder, 0x00C56A31, 0x006B998C, 0x00A49B99, 0x006A240A},
    {UIColour::menucheckboxdisabledbackground, 0x00EEF5F6, 0x00EEF5F6, 0x00F2F1F1, 0x00E7EAEC},
    {UIColour::menucheckboxdisabledborder, 0x0099A8AC, 0x0099A8AC, 0x00A19D9D, 0x00808080},
    {UIColour::menudropshadow, 0x32000000, 0x32000000, 0x32000000, 0x32000000},
    {UIColour::separatorbar, 0x00BAC5C6, 0x00BAC5C6, 0x00C4BABD, 0x00A7A7A7},
    {UIColour::selectedcolor, 0x00EED2C1, 0x00C5D2CE, 0x00ECE8E8, 0x00D3BEB6},
    {UIColour::selectedtextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::selectedborder, 0x00C56A31, 0x0070A093, 0x00BFB4B2, 0x006A240A},
    {UIColour::disabledcolor, 0x00B8C3C5, 0x00B8C3C5, 0x00B8C3C5, 0x00A7A7A7},
    {UIColour::background, 0x00FAFCFD, 0x00FAFCFD, 0x00FBFBFB, 0x00F8F9F9},
};

constexpr FourSchemes kOffice2003[] = {
    {UIColour::menutitletextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitlehottextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitleheldtextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitleinactivetextcolor, 0x00800000, 0x00385D3F, 0x006F4B4B, 0x006A240A},
    {UIColour::menutextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menuhotgradientcolor1, 0xFFFFF4CC, 0xFFFFF4CC, 0xFFFFF4CC, 0xFFB6BDD2},
    {UIColour::menuhotgradientcolor2, 0xFFFFD69A, 0xFFFFD69A, 0xFFFFD69A, 0xFFB6BDD2},
    {UIColour::menuhotborder, 0x00800000, 0x00385D3F, 0x006F4B4B, 0x006A240A},
    {UIColour::menuheldgradientcolor1, 0xFFE3EFFF, 0xFFECF0D5, 0xFFE8E9F1, 0xFFF9F7F6},
    {UIColour::menuheldgradientcolor2, 0xFF93B5E7, 0xFFC2CE9F, 0xFFBAB9CD, 0xFFEDEBE8},
    {UIColour::menuheldborder, 0x00962D00, 0x005E8D75, 0x00947C7C, 0x00666666},
    {UIColour::menucheckboxbackground, 0x006FC0FF, 0x006FC0FF, 0x006FC0FF, 0x00D8D5D4},
    {UIColour::menucheckboxborder, 0x00800000, 0x00385D3F, 0x006F4B4B, 0x006A240A},
    {UIColour::menucheckboxselectedbackground, 0x003E80FE, 0x003E80FE, 0x003E80FE, 0x00B59285},
    {UIColour::menucheckboxselectedborder, 0x00800000, 0x00385D3F, 0x006F4B4B, 0x006A240A},
    {UIColour::menucheckboxdisabledborder, 0x00AB8265, 0x006D958A, 0x008B7676, 0x00969C9F},
    {UIColour::menudropshadow, 0x576A8CCB, 0x3F608058, 0x3F6E6D8F, 0x7D666666},
    {UIColour::bargradientcolor1, 0xFFE3EFFF, 0xFFFFFFED, 0xFFF9F9FF, 0xFFF9F8F7},
    {UIColour::bargradientcolor2, 0xFFCAE0FB, 0xFFCDDBA6, 0xFFE0E1EC, 0xFFE9E7E4},
    {UIColour::bargradientcolor3, 0xFFCBE1FC, 0xFFCEDCA7, 0xFFE1E2EC, 0xFFEAE8E4},
    {UIColour::bargradientcolor4, 0xFF87ADE4, 0xFFB8C792, 0xFF9F9DB9, 0xFFD7D3CC},
    {UIColour::separatorbar, 0x00CB8C6A, 0x00588060, 0x008F6D6E, 0x00A6A6A6},
    {UIColour::selectedcolor, 0x00C2EEFF, 0x00C2EEFF, 0x00C2EEFF, 0x00D2BDB6},
    {UIColour::selectedtextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::selectedborder, 0x00800000, 0x00385D3F, 0x006F4B4B, 0x006A240A},
    {UIColour::disabledcolor, 0x008D8D8D, 0x008D8D8D, 0x008D8D8D, 0x00A6A6A6},
    {UIColour::background, 0x00F6F6F6, 0x00EEF4F4, 0x00FFFAFD, 0x00F7F8F9},
    {UIColour::rebarbackground1, 0xFF9EBEF5, 0xFFD9D9A7, 0xFFD7D7E5, 0xFFD4D0C8},
    {UIColour::rebarbackground2, 0xFFC3DAF9, 0xFFF2F0E4, 0xFFF3F3F7, 0xFFF5F5F4},
    {UIColour::toolstripbackground1, 0xFFDDECFE, 0xFFF4F7DE, 0xFFF3F4FA, 0xFFF5F4F2},
    {UIColour::toolstripbackground2, 0xFFCAE1FC, 0xFFCEDCA7, 0xFFE1E2EC, 0xFFEAE8E4},
    {UIColour::toolstripbackground3, 0xFFC4DBF9, 0xFFCEDCA7, 0xFFDADBE7, 0xFFE8E6E1},
    {UIColour::toolstripbackground4, 0xFF81A9E2, 0xFFB7C691, 0xFF9997B5, 0xFFD5D2CA},
    {UIColour::toolstripdropdowngradient1, 0xFF75A6F1, 0xFFB0C28C, 0xFFB3B2C8, 0xFFA0A0A0},
    {UIColour::toolstripdropdowngradient2, 0xFF527FD0, 0xFF8DA06B, 0xFF9B9BB4, 0xFF8D8D8D},
    {UIColour::toolstripdropdowngradient3, 0xFF4B78CA, 0xFF899C6B, 0xFF9897B1, 0xFF8B8B8B},
    {UIColour::toolstripdropdowngradient4, 0xFF003591, 0xFF60776B, 0xFF767492, 0xFF808080},
    {UIColour::toolstripshadow, 0xFF3B619C, 0xFF608058, 0xFF7C7C94, 0xFFDBD8D1},
    {UIColour::grippersolid, 0x00764127, 0x00335E51, 0x00755454, 0x00A0A0A0},
    {UIColour::grippershadow, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF},
    {UIColour::selectgradientcolor1, 0xFFFE914E, 0xFFFE914E, 0xFFFE914E, 0xFF8592B5},
    {UIColour::selectgradientcolor2, 0xFFFFD38E, 0xFFFFD38E, 0xFFFFD38E, 0xFF8592B5},
    {UIColour::stickyselectgradientcolor1, 0xFFFFD58C, 0xFFFFD58C, 0xFFFFD58C, 0xFFD4D5D8},
    {UIColour::stickyselectgradientcolor2, 0xFFFFAD55, 0xFFFFAD55, 0xFFFFAD55, 0xFFD4D5D8},
    {UIColour::stickyselectbordercolor, 0x00800000, 0x00385D3F, 0x006F4B4B, 0x006A240A},
    {UIColour::toolbarbuttontextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::toolbarbuttonhottextcolor, 0x00000000, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::toolbarbuttondisabledtextcolor, 0x008D8D8D, 0x008D8D8D, 0x008D8D8D, 0x00A6A6A6},
    {UIColour::toolbarhotgradientcolor1, 0xFFFFF4CC, 0xFFFFF4CC, 0xFFFFF4CC, 0xFFB6BDD2},
    {UIColour::toolbarhotgradientcolor2, 0xFFFFD69A, 0xFFFFD69A, 0xFFFFD69A, 0xFFB6BDD2},
    {UIColour::toolbarseparator, 0x00CB8C6A, 0x00588060, 0x008F6D6E, 0x00A6A6A6},
    {UIColour::toolbarseparatorshadow, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF},
};

constexpr ThreeSchemes kOffice2007[] = {
    {UIColour::menutitletextcolor, 0x00000000, 0x00000000, 0x00FFFFFF},
    {UIColour::menutitlehottextcolor, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitleheldtextcolor, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menutitleinactivetextcolor, 0x006F4B4B, 0x006F4B4B, 0x00F0F0F0},
    {UIColour::menutextcolor, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::menuhotgradientcolor1, 0xFFFFF5CC, 0xFFFFF5CC, 0xFFFFF5CC},
    {UIColour::menuhotgradientcolor2, 0xFFFFDC7A, 0xFFFFDC7A, 0xFFFFDC7A},
    {UIColour::menuhotborder, 0x0069BDFF, 0x0069BDFF, 0x0069BDFF},
    {UIColour::menuheldgradientcolor1, 0xFFE3EFFE, 0xFFE8E9F1, 0xFF9199A4},
    {UIColour::menuheldgradientcolor2, 0xFF90B9EE, 0xFFB4B3C8, 0xFF67707C},
    {UIColour::menuheldborder, 0x00CF9365, 0x00947C7C, 0x00A49991},
    {UIColour::menucheckboxbackground, 0x0069BDFF, 0x006FC0FF, 0x0069BDFF},
    {UIColour::menucheckboxborder, 0x003FABFF, 0x003FABFF, 0x003FABFF},
    {UIColour::menucheckboxselectedbackground, 0x003FABFF, 0x003E80FE, 0x003FABFF},
    {UIColour::menucheckboxselectedborder, 0x003C8CFB, 0x003C8CFB, 0x003C8CFB},
    {UIColour::menucheckboxdisabledborder, 0x008D8D8D, 0x008D8D8D, 0x008D8D8D},
    {UIColour::menudropshadow, 0x9B000000, 0x78736C8C, 0x9B000000},
    {UIColour::bargradientcolor1, 0xFFE9EEEE, 0xFFEFEFEF, 0xFFEFEFEF},
    {UIColour::bargradientcolor2, 0xFFE9EEEE, 0xFFEFEFEF, 0xFFEFEFEF},
    {UIColour::bargradientcolor3, 0xFFE9EEEE, 0xFFEFEFEF, 0xFFEFEFEF},
    {UIColour::bargradientcolor4, 0xFFE9EEEE, 0xFFEFEFEF, 0xFFEFEFEF},
    {UIColour::separatorbar, 0x00FFC69A, 0x008F6D6E, 0x00A49991},
    {UIColour::selectedcolor, 0x00A2E7FF, 0x00C2EEFF, 0x00A2E7FF},
    {UIColour::selectedtextcolor, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::selectedborder, 0x0069BDFF, 0x0069BDFF, 0x0069BDFF},
    {UIColour::disabledcolor, 0x008D8D8D, 0x008D8D8D, 0x008D8D8D},
    {UIColour::background, 0x00F6F6F6, 0x00FFFAFD, 0x00F6F6F6},
    {UIColour::rebarbackground1, 0xFFBFDBFF, 0xFFD7D7E5, 0xFF535353},
    {UIColour::rebarbackground2, 0xFFBFDBFF, 0xFFF3F3F7, 0xFF535353},
    {UIColour::toolstripbackground1, 0xFFE3EFFF, 0xFFF3F4FA, 0xFFCDD0D5},
    {UIColour::toolstripbackground2, 0xFFE3EFFF, 0xFFE1E2EC, 0xFFBBC0C6},
    {UIColour::toolstripbackground3, 0xFFDEECFF, 0xFFDADBE7, 0xFFB7BCC4},
    {UIColour::toolstripbackground4, 0xFFB1D3FF, 0xFF9997B5, 0xFF949CA6},
    {UIColour::toolstripdropdowngradient1, 0xFFB3B2C8, 0xFFB3B2C8, 0xFFB3B2C8},
    {UIColour::toolstripdropdowngradient2, 0xFF9B9BB4, 0xFF9B9BB4, 0xFF9B9BB4},
    {UIColour::toolstripdropdowngradient3, 0xFF9897B1, 0xFF9897B1, 0xFF9897B1},
    {UIColour::toolstripdropdowngradient4, 0xFF767492, 0xFF767492, 0xFF767492},
    {UIColour::toolstripshadow, 0xFF6F9DD9, 0xFF7C7C94, 0xFF4C535C},
    {UIColour::grippersolid, 0x00D99D6F, 0x00755454, 0x00433C37},
    {UIColour::grippershadow, 0x00FFFFFF, 0x00FFFFFF, 0x00FFFFFF},
    {UIColour::selectgradientcolor1, 0xFFFC973D, 0xFFFC973D, 0xFFFC973D},
    {UIColour::selectgradientcolor2, 0xFFFFB85E, 0xFFFFB85E, 0xFFFFB85E},
    {UIColour::stickyselectgradientcolor1, 0xFFFFCF92, 0xFFFFCF92, 0xFFFFCF92},
    {UIColour::stickyselectgradientcolor2, 0xFFFFAF49, 0xFFFFAF49, 0xFFFFAF49},
    {UIColour::stickyselectbordercolor, 0xFFFFAB3F, 0xFFFFAB3F, 0xFFFFAB3F},
    {UIColour::toolbarbuttontextcolor, 0x00000000, 0x00000000, 0x00000000},
    {UIColour::toolbarbuttonhottextcolor, 0x00000000, 0x000000FF, 0x00000000},
    {UIColour::toolbarbuttondisabledtextcolor, 0x008D8D8D, 0x008D8D8D, 0x008D8D8D},
    {UIColour::toolbarhotgradientcolor1, 0xFFFFF5CC, 0xFFFFF5CC, 0xFFFFF5CC},
    {UIColour::toolbarhotgradientcolor2, 0xFFFFDB75, 0xFFFFDB75, 0xFFFFDB75},
    {UIColour::toolbarseparator, 0x00FFC69A, 0x008F6D6E, 0x00A49991},
    {UIColour::toolbarseparatorshadow, 0x00FFFFFF, 0x00FFFFFF, 0x00E3E0DD},
};

void WriteDefaults(UIColourRecord& record, std::uint32_t blue, std::uint32_t olive, std::uint32_t silver,
                   std::uint32_t grey) {
  record.DefaultBlue = blue;
  record.DefaultOlive = olive;
  record.DefaultSilver = silver;
  record.DefaultGrey = grey;
}

void CopyDefaultsToCustom(UIColourTable& table) {
  for (UIColourRecord& record : table) {
    record.CustomBlue = record.DefaultBlue;
    record.CustomOlive = record.DefaultOlive;
    record.CustomSilver = record.DefaultSilver;
    record.CustomGrey = record.DefaultGrey;
  }
}

UIColourRecord& At(UIColourTable& table, std::int32_t id) { return table[static_cast<std::size_t>(id)]; }
}  // namespace

void ResetUIColourState() { UIColours = UIColourState{}; }

std::int32_t InitColourTables() {
  FillNamedColourMap();
  for (const FourSchemes& row : kWhidbey) WriteDefaults(At(UIColours.Whidbey, row.Id), row.Blue, row.Olive, row.Silver, row.Grey);
  CopyDefaultsToCustom(UIColours.Whidbey);
  for (const FourSchemes& row : kOffice2003) WriteDefaults(At(UIColours.Office2003, row.Id), row.Blue, row.Olive, row.Silver, row.Grey);
  CopyDefaultsToCustom(UIColours.Office2003);
  for (const ThreeSchemes& row : kOffice2007) WriteDefaults(At(UIColours.Office2007, row.Id), row.BlueAndOlive, 0, row.Silver, row.Grey);
  for (UIColourRecord& record : UIColours.Office2007) record.DefaultOlive = record.DefaultBlue;
  CopyDefaultsToCustom(UIColours.Office2007);
  return 0;
}

UIColourTable* UIColourTableOfStyle(std::uint32_t style) {
  switch (style) {
    case UISTYLE_WHIDBEY: return &UIColours.Whidbey;
    case UISTYLE_OFFICE2003_SHORT:
    case UISTYLE_OFFICE2003: return &UIColours.Office2003;
    case UISTYLE_OFFICE2007: return &UIColours.Office2007;
    default: return nullptr;
  }
}
