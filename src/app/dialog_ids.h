#pragma once
// The numbers of the dialogs (windows 1, 2, 3, 5, 6 and the donation window 7) and of their
// gadgets. Gadget numbers are the controls' ids.

inline constexpr int kBanDialog = 1;
inline constexpr int kAboutWindow = 2;
inline constexpr int kQuickConnectDialog = 3;
inline constexpr int kKickDialog = 5;
inline constexpr int kAddBanDialog = 6;
inline constexpr int kDonationWindow = 7;

// Ban Player (window 1).
inline constexpr int kBanReasonLabel = 24;
inline constexpr int kBanReasonCombo = 25;
inline constexpr int kBanPermanentOption = 26;
inline constexpr int kBanForOption = 27;
inline constexpr int kBanDaysField = 28;
inline constexpr int kBanDaysLabel = 29;
inline constexpr int kBanSeparator = 30;
inline constexpr int kBanButton = 31;
inline constexpr int kBanCancelButton = 32;

// Kick Player (window 5).
inline constexpr int kKickReasonLabel = 56;
inline constexpr int kKickButton = 57;
inline constexpr int kKickCancelButton = 58;
inline constexpr int kKickSeparator = 59;
inline constexpr int kKickReasonCombo = 60;

// Add Ban (window 6).
inline constexpr int kAddBanReasonLabel = 61;
inline constexpr int kAddBanReasonCombo = 62;
inline constexpr int kAddBanPermanentOption = 63;
inline constexpr int kAddBanForOption = 64;
inline constexpr int kAddBanDaysLabel = 65;
inline constexpr int kAddBanButton = 66;
inline constexpr int kAddBanCancelButton = 67;
inline constexpr int kAddBanDaysField = 68;
inline constexpr int kAddBanSeparator = 69;
inline constexpr int kAddBanTargetLabel = 70;
inline constexpr int kAddBanTargetField = 71;

// Quick Connect (window 3); the host, port and password fields are 37, 38 and 39
// (kQuickConnectHost, kQuickConnectPort, kQuickConnectPassword of connect_window.h).
inline constexpr int kQuickPortLabel = 34;
inline constexpr int kQuickHostLabel = 35;
inline constexpr int kQuickPasswordLabel = 36;
inline constexpr int kQuickSeparator = 40;
inline constexpr int kQuickConnectButton = 41;
inline constexpr int kQuickCancelButton = 42;

// About (window 2).
inline constexpr int kAboutScrollArea = 0;
inline constexpr int kAboutLogo = 22;
inline constexpr int kAboutOkButton = 33;
inline constexpr int kAboutDonateButton = 79;

// Donation window (7).
inline constexpr int kDonateNowButton = 84;
inline constexpr int kDonationCloseButton = 85;
