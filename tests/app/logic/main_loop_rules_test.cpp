#include "app/logic/main_loop_rules.h"

#include <gtest/gtest.h>

#include <map>

TEST(MenuItemCommand, TheServerItemsQueueTheirCodes) {
  const std::map<int, CommandCode> expected = {
      {6, kCommandRemoveBan},   {9, kCommandReassign},     {10, kCommandRestart},
      {11, kCommandShutdown},   {12, kCommandSetMaxPing},  {13, kCommandRefreshPlayers},
      {14, kCommandLock},       {15, kCommandUnlock},      {17, kCommandReloadBans},
      {34, kCommandLoadMission}, {38, kCommandLoadScripts}};
  for (int item = -1; item <= 40; ++item) {
    const auto found = expected.find(item);
    EXPECT_EQ(MenuItemCommand(item), found != expected.end() ? found->second : kCommandNone) << item;
  }
}

TEST(TabCommand, OnlyBansAndMissionsAskTheServer) {
  EXPECT_EQ(TabCommand(0), kCommandNone);
  EXPECT_EQ(TabCommand(1), kCommandFetchBans);
  EXPECT_EQ(TabCommand(2), kCommandFetchMissions);
  EXPECT_EQ(TabCommand(3), kCommandNone);
  EXPECT_EQ(TabCommand(-1), kCommandNone);
}

TEST(ExportFileName, AddsTheEndingUnlessItIsThereInAnyCase) {
  EXPECT_EQ(ExportFileName(u"C:\\backup"), u"C:\\backup.db");
  EXPECT_EQ(ExportFileName(u"C:\\BACKUP.DB"), u"C:\\BACKUP.DB");
  EXPECT_EQ(ExportFileName(u"x.Db"), u"x.Db");
  EXPECT_EQ(ExportFileName(u"players.db.txt"), u"players.db.txt.db");
  EXPECT_EQ(ExportFileName(u"db"), u"db.db");
  EXPECT_EQ(ExportFileName(u"mydb"), u"mydb.db");
}
