#include "database_files.h"

#include <sqlite3.h>

#include <algorithm>
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
      std::string row;
      for (int i = 0; i < sqlite3_column_count(statement); ++i) {
        if (i > 0) row += '|';
        const auto* text = sqlite3_column_text(statement, i);
        if (text != nullptr) row += reinterpret_cast<const char*>(text);
      }
      rows.push_back(row);
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
  const std::string garbage(kPage, '\xff');
  bytes.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
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

std::optional<PlayerDatabaseAnswer> AnswerLog::Take(PlayerDatabaseAnswer::Kind what, int timeoutMs) {
  std::unique_lock lock(lock_);
  std::size_t& taken = taken_[static_cast<int>(what)];
  std::optional<PlayerDatabaseAnswer> found;
  changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
    std::size_t seen = 0;
    for (const PlayerDatabaseAnswer& answer : answers_) {
      if (answer.What == what && seen++ == taken) found = answer;
    }
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

std::size_t AnswerLog::Count(PlayerDatabaseAnswer::Kind what) {
  std::lock_guard lock(lock_);
  return static_cast<std::size_t>(std::count_if(answers_.begin(), answers_.end(), [what](const auto& a) { return a.What == what; }));
}
