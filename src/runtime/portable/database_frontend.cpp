#include "runtime/portable/database_frontend.h"

#include <sqlite3.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

namespace {

Text TextFromSqlite(const char* utf8) {
  return utf8 == nullptr ? Text() : Utf8ToText(utf8);
}

long long SteadyMilliseconds() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

constexpr int kBusyPollMs = 5;
// Pages a copy takes at a time: a few megabytes between looks at the stop request.
constexpr int kCopyStepPages = 1024;
// Virtual machine steps between looks at the give-up flag: a statement started just after
// the flag was set still ends at once.
constexpr int kProgressSteps = 1000;

}  // namespace

DatabaseFile::~DatabaseFile() { Close(); }

Text DatabaseFile::Path() const {
  const char* name = handle_ != nullptr ? sqlite3_db_filename(handle_, "main") : nullptr;
  return name != nullptr ? Utf8ToText(name) : Text();
}

bool DatabaseFile::Open(TextView path, DatabaseAccess access) {
  Close();
  const std::string name = TextToUtf8(path);
  sqlite3* handle = nullptr;
  const int flags = access == DatabaseAccess::ReadOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE;
  const int result = sqlite3_open_v2(name.c_str(), &handle, flags, nullptr);
  if (result != SQLITE_OK) {
    // SQLite hands out a handle even for a failed open; it still has to be released.
    sqlite3_close(handle);
    return false;
  }
  handle_ = handle;
  sqlite3_busy_handler(handle_, &DatabaseFile::WaitWhileBusy, this);
  return true;
}

int DatabaseFile::WaitWhileBusy(void* file, int attempts) {
  auto& self = *static_cast<DatabaseFile*>(file);
  if (attempts == 0) self.busySince_ = SteadyMilliseconds();
  if (self.giveUp_ != nullptr && self.giveUp_->load()) return 0;
  if (SteadyMilliseconds() - self.busySince_ >= self.busyWaitMs_) return 0;
  std::this_thread::sleep_for(std::chrono::milliseconds(kBusyPollMs));
  return 1;
}

void DatabaseFile::SetBusyWait(int milliseconds, const std::atomic<bool>* giveUp) {
  busyWaitMs_ = milliseconds;
  giveUp_ = giveUp;
  if (handle_ != nullptr) sqlite3_progress_handler(handle_, giveUp != nullptr ? kProgressSteps : 0, &DatabaseFile::GiveUpWhenAsked, this);
}

int DatabaseFile::GiveUpWhenAsked(void* file) {
  const auto& self = *static_cast<DatabaseFile*>(file);
  return self.giveUp_ != nullptr && self.giveUp_->load() ? 1 : 0;
}

std::int64_t DatabaseFile::LastInsertRowId() const {
  return handle_ == nullptr ? 0 : sqlite3_last_insert_rowid(handle_);
}

bool DatabaseFile::LastFailureWasBusy() const {
  if (handle_ == nullptr) return false;
  const int code = sqlite3_errcode(handle_);
  return code == SQLITE_BUSY || code == SQLITE_LOCKED;
}

bool DatabaseFile::LastFailureWasInterrupt() const {
  return handle_ != nullptr && sqlite3_errcode(handle_) == SQLITE_INTERRUPT;
}

bool DatabaseFile::CopyTo(TextView path, const std::atomic<bool>& stop) {
  if (handle_ == nullptr) return false;
  const std::filesystem::path target{std::u16string(path)};
  std::filesystem::path temporary = target;
  temporary += u".new";
  std::error_code ignored;
  std::filesystem::remove(temporary, ignored);
  sqlite3* copy = nullptr;
  const std::string name = TextToUtf8(temporary.u16string());
  bool copied = false;
  if (sqlite3_open_v2(name.c_str(), &copy, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK) {
    copied = CopyPages(copy, stop);
  }
  // Closed before the rename, which Windows refuses for an open file.
  copied = sqlite3_close(copy) == SQLITE_OK && copied;
  if (copied) {
    std::filesystem::rename(temporary, target, ignored);
    copied = !ignored;
  }
  if (!copied) std::filesystem::remove(temporary, ignored);
  return copied;
}

bool DatabaseFile::CopyPages(sqlite3* copy, const std::atomic<bool>& stop) {
  sqlite3_backup* backup = sqlite3_backup_init(copy, "main", handle_, "main");
  if (backup == nullptr) return false;
  // In steps, so that a stop request is seen between them; a step that finds the file held
  // waits as every other statement on it does.
  busySince_ = SteadyMilliseconds();
  int result = SQLITE_OK;
  while (!stop.load()) {
    result = sqlite3_backup_step(backup, kCopyStepPages);
    if (result == SQLITE_BUSY || result == SQLITE_LOCKED) {
      if (SteadyMilliseconds() - busySince_ >= busyWaitMs_) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(kBusyPollMs));
      continue;
    }
    busySince_ = SteadyMilliseconds();
    if (result != SQLITE_OK) break;
  }
  return sqlite3_backup_finish(backup) == SQLITE_OK && result == SQLITE_DONE;
}

void InterruptDatabaseWork(sqlite3* handle) {
  if (handle != nullptr) sqlite3_interrupt(handle);
}

void DatabaseFile::Close() {
  if (handle_ == nullptr) return;
  // A statement still prepared on the file keeps it open until that statement is finished.
  sqlite3_close_v2(handle_);
  handle_ = nullptr;
}

bool DatabaseFile::Execute(TextView sql, std::initializer_list<TextView> values) {
  DatabaseStatement statement;
  return statement.Prepare(*this, sql) && statement.Execute(values);
}

Text DatabaseFile::LastErrorText() const {
  if (handle_ == nullptr) return Text();
  return TextFromSqlite(sqlite3_errmsg(handle_));
}

DatabaseStatement::~DatabaseStatement() { Finish(); }

bool DatabaseStatement::Prepare(const DatabaseFile& file, TextView sql) {
  Finish();
  if (!file.IsOpen()) return false;
  const std::string utf8 = TextToUtf8(sql);
  const int result = sqlite3_prepare_v2(file.Handle(), utf8.c_str(),
                                        static_cast<int>(utf8.size()), &statement_, nullptr);
  if (result != SQLITE_OK) {
    sqlite3_finalize(statement_);
    statement_ = nullptr;
    return false;
  }
  return statement_ != nullptr;  // an SQL text of only blanks prepares to nothing
}

void DatabaseStatement::Finish() {
  if (statement_ == nullptr) return;
  sqlite3_finalize(statement_);
  statement_ = nullptr;
  failed_ = false;
}

bool DatabaseStatement::Start(std::span<const TextView> values) {
  if (statement_ == nullptr) return false;
  failed_ = false;
  sqlite3_reset(statement_);
  sqlite3_clear_bindings(statement_);
  const int parameters = sqlite3_bind_parameter_count(statement_);
  for (std::size_t i = 0; i < values.size(); ++i) {
    if (static_cast<int>(i) >= parameters) return false;  // more values than the SQL takes
    const std::string utf8 = TextToUtf8(values[i]);
    if (sqlite3_bind_text(statement_, static_cast<int>(i) + 1, utf8.data(),
                          static_cast<int>(utf8.size()), SQLITE_TRANSIENT) != SQLITE_OK) {
      return false;
    }
  }
  return true;
}

bool DatabaseStatement::StartUtf8(std::span<const std::string_view> values) {
  if (statement_ == nullptr) return false;
  failed_ = false;
  sqlite3_reset(statement_);
  if (static_cast<int>(values.size()) > sqlite3_bind_parameter_count(statement_)) return false;
  for (std::size_t i = 0; i < values.size(); ++i) {
    // An empty view may point nowhere, which SQLite would bind as NULL: bound is always a text.
    const char* bytes = values[i].data() != nullptr ? values[i].data() : "";
    if (sqlite3_bind_text(statement_, static_cast<int>(i) + 1, bytes, static_cast<int>(values[i].size()),
                          SQLITE_STATIC) != SQLITE_OK) {
      return false;
    }
  }
  return true;
}

bool DatabaseStatement::NextRow() {
  if (statement_ == nullptr) return false;
  const int result = sqlite3_step(statement_);
  if (result == SQLITE_ROW) return true;
  failed_ = result != SQLITE_DONE;
  // Resetting at once releases the file's read lock instead of keeping it until the next use.
  sqlite3_reset(statement_);
  return false;
}

void DatabaseStatement::Reset() {
  if (statement_ != nullptr) sqlite3_reset(statement_);
}

bool DatabaseStatement::Execute(std::span<const TextView> values) {
  if (!Start(values)) return false;
  while (NextRow()) {
  }
  return !failed_;
}

int DatabaseStatement::ColumnCount() const {
  return statement_ == nullptr ? 0 : sqlite3_column_count(statement_);
}

Text DatabaseStatement::ColumnName(int column) const {
  if (column < 0 || column >= ColumnCount()) return Text();
  return TextFromSqlite(sqlite3_column_name(statement_, column));
}

Text DatabaseStatement::ColumnDeclaredType(int column) const {
  if (column < 0 || column >= ColumnCount()) return Text();
  return TextFromSqlite(sqlite3_column_decltype(statement_, column));
}

Text DatabaseStatement::ColumnText(int column) const {
  if (column < 0 || column >= ColumnCount()) return Text();
  const unsigned char* utf8 = sqlite3_column_text(statement_, column);
  if (utf8 == nullptr) return Text();
  // Asked after the text, so that the length is that of the UTF-8 form.
  const int bytes = sqlite3_column_bytes(statement_, column);
  return Utf8ToText(std::string_view(reinterpret_cast<const char*>(utf8),
                                     static_cast<std::size_t>(bytes)));
}

std::string_view DatabaseStatement::ColumnUtf8(int column) const {
  if (column < 0 || column >= ColumnCount()) return {};
  const unsigned char* utf8 = sqlite3_column_text(statement_, column);
  if (utf8 == nullptr) return {};
  return std::string_view(reinterpret_cast<const char*>(utf8),
                          static_cast<std::size_t>(sqlite3_column_bytes(statement_, column)));
}

std::int64_t DatabaseStatement::ColumnInt64(int column) const {
  if (column < 0 || column >= ColumnCount()) return 0;
  return sqlite3_column_int64(statement_, column);
}
