#pragma once
// Real database files for the tests: a fresh folder per test, direct reads of a file through SQLite.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "database/player_database.h"
#include "runtime/portable/text.h"
#include "temp_folder.h"

class TestFolder : public TempFolder {
 public:
  std::filesystem::path Path(const std::string& name) const { return TempFolder::Path() / name; }
  // An empty file, as start-up makes "db.db" when there is none.
  Text EmptyFile(const std::string& name) const { return TextFile(name, ""); }
  Text TextFile(const std::string& name, const std::string& content) const {
    PutFileBytes(File(name), content);
    return File(name);
  }
};

// The PLAYERS table as every version of the program creates it.
inline constexpr char kPlayersTable[] =
    "CREATE TABLE PLAYERS (NAME VARCHAR(32), GUID CHAR(32), IP CHAR(15), SERVER VARCHAR(50), DATE CHAR(16))";

// A query's rows, columns joined by '|', in UTF-8; on its own connection: only what was committed.
std::vector<std::string> QueryFile(const std::filesystem::path& file, const std::string& sql);
// Runs SQL on the file on its own connection, creating the file when missing.
void RunSql(const std::filesystem::path& file, const std::string& sql);

// "db.db" in a fresh folder; the program's database is reset around each test.
class DatabaseTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetPlayerDatabase(); }
  void TearDown() override { ResetPlayerDatabase(); }
  // "db.db" as start-up leaves it (empty), or made with SQLite directly from `sql`; opened and read.
  void OpenAndLoad(const std::string& sql = "") {
    if (sql.empty()) folder_.EmptyFile("db.db");
    else RunSql(dbFile_, sql);
    ASSERT_NE(OpenPlayerDatabase(dbFile_.u16string()), 0);
    LoadPlayerDatabase();
  }
  std::string CountOf(const std::string& where) const { return QueryFile(dbFile_, "SELECT count(*) FROM PLAYERS WHERE " + where).at(0); }

  TestFolder folder_;
  const std::filesystem::path dbFile_ = folder_.Path("db.db");
};
