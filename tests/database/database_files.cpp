#include "database_files.h"

#include <sqlite3.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include <gtest/gtest.h>

namespace {

std::atomic<int> folderCounter{0};

std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string utf8 = path.u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string Quoted(const std::filesystem::path& path) { return "\"" + path.string() + "\""; }

}  // namespace

TestFolder::TestFolder() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = "velo-db-";
  name += test != nullptr ? test->name() : "test";
  // Random per process: two runs of this suite at once (two build trees) must not share folders.
  name += "-" + std::to_string(folderCounter++) + "-" + std::to_string(std::random_device{}());
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TestFolder::~TestFolder() {
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

Text TestFolder::EmptyFile(const std::string& name) const { return TextFile(name, ""); }

Text TestFolder::TextFile(const std::string& name, const std::string& content) const {
  std::ofstream out(Path(name), std::ios::binary);
  out << content;
  return File(name);
}

std::vector<std::string> QueryFile(const std::filesystem::path& file, const std::string& sql) {
  std::vector<std::string> rows;
  sqlite3* db = nullptr;
  if (sqlite3_open_v2(Utf8Path(file).c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
    sqlite3_close(db);
    ADD_FAILURE() << "cannot open " << file.string();
    return rows;
  }
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

void RunSql(const std::filesystem::path& file, const std::string& sql) {
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(Utf8Path(file).c_str(), &db), SQLITE_OK);
  char* error = nullptr;
  const int result = sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error);
  EXPECT_EQ(result, SQLITE_OK) << (error != nullptr ? error : "");
  sqlite3_free(error);
  sqlite3_close(db);
}

bool ShellAvailable() {
#ifdef _WIN32
  return false;
#else
  return std::system("sqlite3 -version >/dev/null 2>&1") == 0;
#endif
}

std::string RunShell(const std::filesystem::path& file, const std::string& input) {
  const std::filesystem::path script = file.parent_path() / "shell-input.sql";
  const std::filesystem::path output = file.parent_path() / "shell-output.txt";
  {
    std::ofstream out(script, std::ios::binary);
    out << input;
  }
  const std::string command =
      "sqlite3 " + Quoted(file) + " < " + Quoted(script) + " > " + Quoted(output) + " 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0) << command;
  std::ifstream in(output, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}
