#pragma once
// The three web pages the program opens in the user's browser: the project page (Info menu),
// the donation page (Info menu, the About window's "Donate", the donation window) and the
// maker's home page (the logo in the About window).
inline constexpr char16_t kProjectPageAddress[] = u"https://velo2duro.example.org/";
inline constexpr char16_t kDonationPageAddress[] = u"https://velo2duro.example.org/donate";
inline constexpr char16_t kMakerHomePageAddress[] = u"https://makers.velo2duro.example.org/";
