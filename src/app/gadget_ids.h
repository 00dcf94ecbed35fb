#pragma once
// The numbers of the application's gadgets (a gadget's number is its control id), window by
// window.

// The main window (0).
inline constexpr int kMainRebar = 4;
inline constexpr int kTabPanel = 8;
inline constexpr int kPlayersList = 9;
inline constexpr int kBansList = 10;
inline constexpr int kLogContainer = 11;
inline constexpr int kSplitterGadget = 12;
inline constexpr int kLogList = 13;
inline constexpr int kRefreshButton = 21;
inline constexpr int kDatabaseList = 72;
inline constexpr int kSearchFieldCombo = 74;
inline constexpr int kSearchText = 75;
inline constexpr int kExactMatchBox = 78;
inline constexpr int kMissionsList = 80;
inline constexpr int kMessageField = 82;
inline constexpr int kMainStatusBar = 83;

// Connect (window 4).
inline constexpr int kFavoritesTree = 44;
inline constexpr int kFavoriteFrame = 45;
inline constexpr int kDescriptionField = 50;
inline constexpr int kHostField = 51;
inline constexpr int kPortField = 52;
inline constexpr int kPasswordField = 53;
inline constexpr int kAddButton = 54;
inline constexpr int kSaveButton = 55;

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

// Quick Connect (window 3).
inline constexpr int kQuickConnectHost = 37;
inline constexpr int kQuickConnectPort = 38;
inline constexpr int kQuickConnectPassword = 39;
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
