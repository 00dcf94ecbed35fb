#pragma once
// The program's front-end to SQLite 3 database files. A file is opened read-write (or, for
// files that must not change, read-only) and never created here (whoever needs a new file
// creates it first); a busy file is waited for up to 20 000 ms unless the owner sets another
// wait or asks the wait to end. SQL texts go to SQLite in UTF-8, and every value is bound as a
// parameter, so no value can change the shape of a statement. Failures are return values.
#include <atomic>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string_view>

#include "runtime/portable/text.h"

struct sqlite3;
struct sqlite3_stmt;

constexpr int kDatabaseBusyTimeoutMs = 20000;

enum class DatabaseAccess { ReadWrite, ReadOnly };

class DatabaseFile {
 public:
  DatabaseFile() = default;
  ~DatabaseFile();
  DatabaseFile(const DatabaseFile&) = delete;
  DatabaseFile& operator=(const DatabaseFile&) = delete;

  // Opens an existing file read-write (read-only when the file allows no more), or read-only:
  // then nothing is ever written to it, not even the rollback of a journal left by a crashed
  // writer (reading such a file fails instead). A file that is not a database still opens; the
  // first statement then fails. Closes what was open.
  bool Open(TextView path, DatabaseAccess access = DatabaseAccess::ReadWrite);
  bool IsOpen() const { return handle_ != nullptr; }
  // Closes the file; one a statement is still prepared on closes when that is finished.
  void Close();

  // Runs a statement that returns no rows, with `values` bound to its parameters ?1, ?2, ...
  bool Execute(TextView sql, std::initializer_list<TextView> values = {});
  // The last error SQLite reported for this file, empty when none is open.
  Text LastErrorText() const;
  // The rowid of the row the last successful INSERT added.
  std::int64_t LastInsertRowId() const;
  // Whether the last failure came from another connection's lock outlasting the wait.
  bool LastFailureWasBusy() const;
  // Whether the last failure was InterruptDatabaseWork cutting a statement short.
  bool LastFailureWasInterrupt() const;

  // Writes a consistent copy of the whole file to `path` (through a temporary file renamed
  // over it), even while another program writes the file; the copy starts afresh whenever it
  // does. Gives up when `stop` is set or the file stays held past the busy wait.
  bool CopyTo(TextView path, const std::atomic<bool>& stop);

  // How long a statement waits for another connection's lock, and a flag that, once set,
  // ends every such wait and every running statement at once (shut-down must not wait out
  // another program's lock or an index being built). Set it again after each Open.
  void SetBusyWait(int milliseconds, const std::atomic<bool>* giveUp = nullptr);

  sqlite3* Handle() const { return handle_; }
  // The file's full path as SQLite opened it; empty while none is open.
  Text Path() const;

 private:
  static int WaitWhileBusy(void* file, int attempts);
  static int GiveUpWhenAsked(void* file);
  bool CopyPages(sqlite3* copy, const std::atomic<bool>& stop);

  sqlite3* handle_ = nullptr;
  int busyWaitMs_ = kDatabaseBusyTimeoutMs;
  const std::atomic<bool>* giveUp_ = nullptr;
  // When the current wait for a lock began, in milliseconds of the steady clock.
  long long busySince_ = 0;
};

// Makes the statement running on `handle` (from any thread) end soon with a failure; the
// caller keeps the connection open meanwhile.
void InterruptDatabaseWork(sqlite3* handle);

// One prepared statement: run again and again with fresh values, or stepped row by row as a
// query. Prepared statements make the hot paths cheap: the SQL is parsed once.
class DatabaseStatement {
 public:
  DatabaseStatement() = default;
  ~DatabaseStatement();
  DatabaseStatement(const DatabaseStatement&) = delete;
  DatabaseStatement& operator=(const DatabaseStatement&) = delete;

  // Fails when the file is not open, is not a database, or the SQL names what is not there.
  bool Prepare(const DatabaseFile& file, TextView sql);
  bool IsPrepared() const { return statement_ != nullptr; }
  void Finish();

  // Starts the statement afresh with `values` bound to ?1, ?2, ...; extra parameters are NULL.
  bool Start(std::span<const TextView> values);
  bool Start(std::initializer_list<TextView> values) {
    return Start(std::span<const TextView>(values.begin(), values.size()));
  }
  // The same with UTF-8 values, which must stay valid until the statement is started again or
  // finished (no copy is made: the hot paths bind the columns of another statement's row).
  bool StartUtf8(std::span<const std::string_view> values);
  // Steps to the next row: true while there is one; false at the end or on an error.
  bool NextRow();
  // Start + step to the end: true when the statement completed.
  bool Execute(std::span<const TextView> values);
  bool Execute(std::initializer_list<TextView> values) {
    return Execute(std::span<const TextView>(values.begin(), values.size()));
  }
  // Ends a query early, releasing what it holds on the file; the statement stays prepared.
  void Reset();
  // Whether the last step ended with an error rather than at the end of the rows.
  bool Failed() const { return failed_; }

  // Columns of the current row; a column past the last reads as an empty text.
  int ColumnCount() const;
  Text ColumnName(int column) const;
  Text ColumnDeclaredType(int column) const;
  Text ColumnText(int column) const;
  // The column's UTF-8 bytes, valid until the next step; for reading many rows quickly.
  std::string_view ColumnUtf8(int column) const;
  std::int64_t ColumnInt64(int column) const;

 private:
  sqlite3_stmt* statement_ = nullptr;
  bool failed_ = false;
};
