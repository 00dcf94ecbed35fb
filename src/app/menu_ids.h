#pragma once
// The numbers of the main window's menu items, its menu bar and its pop-up menus.

// Menu items.
inline constexpr int kItemQuickConnect = 0;
inline constexpr int kItemConnect = 1;
inline constexpr int kItemAbout = 2;
inline constexpr int kItemKick = 3;
inline constexpr int kItemBan = 4;
inline constexpr int kItemDeleteFavorite = 5;
inline constexpr int kItemRemoveBan = 6;
inline constexpr int kItemConnectFavorite = 7;
inline constexpr int kItemQuit = 8;
inline constexpr int kItemReassign = 9;
inline constexpr int kItemRestart = 10;
inline constexpr int kItemShutdown = 11;
inline constexpr int kItemSetMaxPing = 12;
inline constexpr int kItemRefresh = 13;
inline constexpr int kItemLock = 14;
inline constexpr int kItemUnlock = 15;
inline constexpr int kItemAddBan = 16;
inline constexpr int kItemReloadBans = 17;
inline constexpr int kItemDbCopyAll = 18;
inline constexpr int kItemDbCopyName = 19;
inline constexpr int kItemDbCopyGuid = 20;
inline constexpr int kItemDbCopyIp = 21;
inline constexpr int kItemDbCopyServer = 22;
inline constexpr int kItemShowAssociations = 23;
inline constexpr int kItemResetSearch = 24;
inline constexpr int kItemProjectPage = 25;
inline constexpr int kItemDonate = 27;
inline constexpr int kItemImport = 28;
inline constexpr int kItemExport = 29;
inline constexpr int kItemPlayerCopyAll = 30;
inline constexpr int kItemPlayerCopyName = 31;
inline constexpr int kItemPlayerCopyGuid = 32;
inline constexpr int kItemPlayerCopyIp = 33;
inline constexpr int kItemLoadMission = 34;
inline constexpr int kItemQuickConnectReturn = 35;
inline constexpr int kItemBroadcastReturn = 36;
inline constexpr int kItemSendMessage = 37;
inline constexpr int kItemLoadScripts = 38;
inline constexpr int kItemCopyLog = 39;

// The menu bar and the pop-up menus.
inline constexpr int kMenuBar = 0;
inline constexpr int kPlayersPopup = 1;
inline constexpr int kFavoritesPopup = 2;
inline constexpr int kBansPopup = 3;
inline constexpr int kDatabasePopup = 73;
inline constexpr int kMissionsPopup = 81;
inline constexpr int kLogPopup = 86;
