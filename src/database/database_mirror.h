#pragma once
// The in-memory copy of the PLAYERS table, in table order, each row found again by the rowid
// the file gave it. Built for a million rows in a 32-bit process: the name, GUID and IP of a
// row lie back to back in large blocks, one byte a character while a text needs no more (two
// otherwise), and servers and dates, which repeat, are stored once. The search runs over those
// bytes directly. Not locked itself: the player database guards it.
#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "database/database_row.h"
#include "database/text_pool.h"

class DatabaseMirror {
 public:
  // Fields longer than kDatabaseFieldLength characters are cut.
  void Append(std::int64_t rowId, const DatabaseRowView& row);
  // The same from the file's UTF-8 texts, without a detour through UTF-16 for plain ones.
  void AppendUtf8(std::int64_t rowId, const std::array<std::string_view, 5>& row);
  // Appends every row of `rows` (which is left empty), without copying a text.
  void AppendAll(DatabaseMirror&& rows);
  // Gives the row of this rowid the date; false when the mirror has no such row.
  bool SetDate(std::int64_t rowId, TextView date);

  std::size_t Count() const { return rows_.size(); }
  DatabaseRow Row(std::size_t index) const;
  // The rows (in mirror order) whose field matches as TextMatches says.
  std::vector<std::uint32_t> Search(DatabaseField field, TextView loweredSearch, bool exact) const;
  // The rows whose GUID is exactly `guid`, letter case included.
  std::vector<std::uint32_t> WithGuid(TextView guid) const;

  void Reserve(std::size_t rows);
  void Clear();

 private:
  // Name, GUID and IP, the fields kept in the blocks.
  static constexpr int kInlineFields = 3;
  struct StoredRow {
    std::uint32_t Texts = 0;  // where the row's bytes start in the blocks
    std::array<std::uint8_t, kInlineFields> Length{};  // in characters
    std::uint8_t Flags = 0;
    PooledText Server = 0;
    PooledText Date = 0;
  };
  // One field's bytes, as stored.
  struct StoredText {
    const std::uint8_t* Bytes;
    std::size_t Length;
    bool Wide;    // two bytes a character
    bool Folds;   // lower-casing changes it
  };
  struct Storing;

  StoredText Field(const StoredRow& row, int field) const;
  static Text Decode(const StoredText& text);
  std::uint8_t* Room(std::size_t bytes, std::uint32_t& offset);
  void AddRow(std::int64_t rowId, StoredRow row);
  std::int64_t RowIdAt(std::size_t index) const;
  // The index of the row of this rowid, or Count().
  std::size_t IndexOf(std::int64_t rowId) const;

  std::vector<StoredRow> rows_;
  std::vector<std::unique_ptr<std::uint8_t[]>> blocks_;
  std::size_t blockUsed_ = 0;
  TextPool pooled_;
  // While every row's rowid is its index + 1 (the usual case) no rowids are kept.
  std::vector<std::int64_t> rowIds_;
  bool dense_ = true;
  bool rowIdsAscending_ = true;
};
