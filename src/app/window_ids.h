#pragma once
// The numbers of the application's windows.

inline constexpr int kMainWindow = 0;  // the main window
inline constexpr int kBanDialog = 1;  // "Ban Player"
inline constexpr int kAboutWindow = 2;  // "About"
inline constexpr int kQuickConnectDialog = 3;  // "Quick Connect"
inline constexpr int kConnectWindow = 4;  // "Connect": favourites
inline constexpr int kKickDialog = 5;  // "Kick Player"
inline constexpr int kAddBanDialog = 6;  // "Add Ban"
inline constexpr int kDonationWindow = 7;  // the donation window
