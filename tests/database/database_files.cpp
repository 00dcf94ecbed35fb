#include "database_files.h"

#include <sqlite3.h>

#include <chrono>
#include <fstream>

#include <gtest/gtest.h>

std::vector<std::string> QueryFile(const std::filesystem::path& file, const std::string& sql) {
  std::vector<std::string> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(reinterpret_cast<const char*>(file.u8string().c_str()), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    ADD_FAILURE() << "cannot open " << file.string();
    return rows;
  }
  // The program's own thread may be committing at this moment.
  sqlite3_busy_timeout(db, 5000);
  sqlite3_stmt* statement = nullptr;
  if (sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
    ADD_FAILURE() << "cannot prepare " << sql << ": " << sqlite3_errmsg(db);
  } else {
    while (sqlite3_step(statement) == SQLITE_ROW) {
      std::string& row = rows.emplace_back();
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, i));
        row += (i > 0 ? "|" : "") + std::string(text != nullptr ? text : "");
      }
    }
  }
  sqlite3_finalize(statement);
  sqlite3_close(db);
  return rows;
}

void DamagePageHalfWay(const std::filesystem::path& file) {
  constexpr std::uintmax_t kPage = 4096;
  std::fstream bytes(file, std::ios::in | std::ios::out | std::ios::binary);
  bytes.seekp(static_cast<std::streamoff>(std::filesystem::file_size(file) / kPage * 6 / 10 * kPage));
  bytes << std::string(kPage, '\xff');
}

void RunSql(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(reinterpret_cast<const char*>(file.u8string().c_str()), &db), SQLITE_OK);
  char* error = nullptr;
  const int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  EXPECT_EQ(result, SQLITE_OK) << (error != nullptr ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

void MakeOlderFile(int rows, const std::filesystem::path& file) {
  RunSql(file, kPlayersTable + std::string("; WITH RECURSIVE n(x) AS (SELECT 0 UNION ALL SELECT x + 1 FROM n WHERE x < ") +
                   std::to_string(rows - 1) + ") INSERT INTO PLAYERS SELECT 'Player' || x, printf('%032x', x / 3), "
                   "'1.2.3.' || (x % 250), 's:1', '01.01.2020 10:00' FROM n;");
}

std::optional<PlayerDatabaseAnswer> AnswerLog::Take(PlayerDatabaseAnswer::Kind what, int timeoutMs) {
  std::unique_lock lock(lock_);
  std::size_t& taken = taken_[static_cast<int>(what)];
  std::optional<PlayerDatabaseAnswer> found;
  changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    std::size_t seen = 0;
    for (const PlayerDatabaseAnswer& answer : answers_)
      if (answer.What == what && seen++ == taken) found = answer;
    return found.has_value();
  });
  if (found) ++taken;
  return found;
}

std::size_t AnswerLog::Rows(PlayerDatabaseAnswer::Kind what) {
  std::lock_guard lock(lock_);
  std::size_t rows = 0;
  for (const PlayerDatabaseAnswer& answer : answers_) rows += answer.What == what ? answer.Rows : 0;
  return rows;
}
