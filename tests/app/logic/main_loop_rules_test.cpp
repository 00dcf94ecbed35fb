#include "app/logic/main_loop_rules.h"

#include <gtest/gtest.h>

TEST(ExportFileName, AddsTheEndingUnlessItIsThereInAnyCase) {
  EXPECT_EQ(ExportFileName(u"C:\\backup"), u"C:\\backup.db");
  EXPECT_EQ(ExportFileName(u"C:\\BACKUP.DB"), u"C:\\BACKUP.DB");
  EXPECT_EQ(ExportFileName(u"x.Db"), u"x.Db");
  EXPECT_EQ(ExportFileName(u"players.db.txt"), u"players.db.txt.db");
  EXPECT_EQ(ExportFileName(u"db"), u"db.db");
  EXPECT_EQ(ExportFileName(u"mydb"), u"mydb.db");
}
