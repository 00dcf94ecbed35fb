#include "database/database_mirror.h"

#include <algorithm>
#include <cstring>

#include "database/text_match.h"
#include "runtime/portable/text_ops.h"

namespace {

constexpr std::size_t kBlockShift = 20;
constexpr std::size_t kBlockBytes = std::size_t{1} << kBlockShift;

// Lower-casing of the characters up to U+00FF, taken from the program's own mapping so that
// both search paths agree; a character whose lower case needs more than a byte is "wide".
struct NarrowFolding {
  std::array<std::uint8_t, 256> Lower{};
  std::array<bool, 256> Narrow{};
};

const NarrowFolding& Folding() {
  static const NarrowFolding folding = [] {
    NarrowFolding f;
    for (int c = 0; c < 256; ++c) {
      const char16_t ch = static_cast<char16_t>(c);
      const Text lowered = LowerText(TextView(&ch, 1));
      f.Narrow[c] = lowered.size() == 1 && lowered[0] <= 0xFF;
      f.Lower[c] = static_cast<std::uint8_t>(f.Narrow[c] ? lowered[0] : c);
    }
    return f;
  }();
  return folding;
}

// A field's text ends at its first zero character, as the list shows it, or after its length.
TextView Cut(TextView text) {
  return text.substr(0, std::min({text.size(), text.find(u'\0'), kDatabaseFieldLength}));
}
std::string_view CutUtf8(std::string_view bytes) {
  return bytes.substr(0, std::min({bytes.size(), bytes.find('\0'), kDatabaseFieldLength}));
}

bool IsNarrow(TextView text) {
  const NarrowFolding& f = Folding();
  return std::all_of(text.begin(), text.end(), [&f](char16_t c) { return c <= 0xFF && f.Narrow[c]; });
}

// Whether n bytes at a and b are equal, four at a time.
bool SameBytes(const std::uint8_t* a, const std::uint8_t* b, std::size_t n) {
  for (; n >= 4; a += 4, b += 4, n -= 4) {
    std::uint32_t x = 0;
    std::uint32_t y = 0;
    std::memcpy(&x, a, 4);
    std::memcpy(&y, b, 4);
    if (x != y) return false;
  }
  for (; n > 0; --n) {
    if (*a++ != *b++) return false;
  }
  return true;
}

// Whether the narrow `text` (lower-cased through `lower` when Fold) is `search` or holds it.
// Texts are short, so a plain scan that looks at the last character of each place first
// beats a general search, which stumbles over GUIDs full of the same digit.
template <bool Fold>
bool NarrowMatches(const std::uint8_t* text, std::size_t length, std::string_view search, bool exact,
                   const std::array<std::uint8_t, 256>& lower) {
  const auto at = [&](std::size_t i) { return Fold ? lower[text[i]] : text[i]; };
  const std::size_t n = search.size();
  if (exact ? length != n : length < n) return false;
  if (n == 0) return true;
  const auto* needle = reinterpret_cast<const std::uint8_t*>(search.data());
  for (std::size_t place = 0; place + n <= length; ++place) {
    if (at(place + n - 1) != needle[n - 1]) continue;
    if constexpr (Fold) {
      std::size_t k = 0;
      while (k + 1 < n && at(place + k) == needle[k]) ++k;
      if (k + 1 == n) return true;
    } else if (SameBytes(text + place, needle, n - 1)) {
      return true;
    }
  }
  return false;
}

// The search text in one byte a character, when it has that form.
bool NarrowForm(TextView text, std::string& narrow) {
  narrow.resize(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] > 0xFF) return false;
    narrow[i] = static_cast<char>(text[i]);
  }
  return true;
}

}  // namespace

// One field on its way into the blocks: its characters either as bytes or as UTF-16.
struct DatabaseMirror::Storing {
  std::string_view Narrow;
  Text WideText;  // holds the converted text of a UTF-8 field that is not plain ASCII
  TextView Wide;
  bool IsWide = false;
  bool Folds = false;
  std::string NarrowCopy;  // a UTF-16 text that fits in bytes

  void FromText(TextView text) {
    text = Cut(text);
    if (IsNarrow(text)) {
      NarrowCopy.resize(text.size());
      const NarrowFolding& f = Folding();
      for (std::size_t i = 0; i < text.size(); ++i) {
        NarrowCopy[i] = static_cast<char>(text[i]);
        Folds = Folds || f.Lower[text[i]] != text[i];
      }
      Narrow = NarrowCopy;
    } else {
      IsWide = true;
      Wide = text;
      Folds = true;
    }
  }
  void FromUtf8(std::string_view bytes) {
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (!ascii) {
      WideText = Utf8ToText(bytes);
      FromText(WideText);
      return;
    }
    Narrow = CutUtf8(bytes);
    Folds = std::any_of(Narrow.begin(), Narrow.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
  }
  std::size_t Length() const { return IsWide ? Wide.size() : Narrow.size(); }
  std::size_t Bytes() const { return IsWide ? Wide.size() * 2 : Narrow.size(); }
  void CopyTo(std::uint8_t* place) const {
    if (Bytes() == 0) return;
    if (IsWide) {
      std::memcpy(place, Wide.data(), Wide.size() * 2);
    } else {
      std::memcpy(place, Narrow.data(), Narrow.size());
    }
  }
};

std::uint8_t* DatabaseMirror::Room(std::size_t bytes, std::uint32_t& offset) {
  if (blocks_.empty() || blockUsed_ + bytes > kBlockBytes) {
    blocks_.push_back(std::make_unique_for_overwrite<std::uint8_t[]>(kBlockBytes));
    blockUsed_ = 0;
  }
  offset = static_cast<std::uint32_t>(((blocks_.size() - 1) << kBlockShift) + blockUsed_);
  std::uint8_t* place = blocks_.back().get() + blockUsed_;
  blockUsed_ += bytes;
  return place;
}

void DatabaseMirror::AddRow(std::int64_t rowId, StoredRow row) {
  if (dense_ && rowId != static_cast<std::int64_t>(rows_.size()) + 1) {
    dense_ = false;
    rowIds_.resize(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) rowIds_[i] = static_cast<std::int64_t>(i) + 1;
  }
  if (!dense_) {
    rowIdsAscending_ = rowIdsAscending_ && (rowIds_.empty() || rowIds_.back() < rowId);
    rowIds_.push_back(rowId);
  }
  rows_.push_back(row);
}

namespace {

template <typename Fields>
void StoreFields(Fields& fields, std::uint8_t* place) {
  for (const auto& field : fields) {
    field.CopyTo(place);
    place += field.Bytes();
  }
}

}  // namespace

void DatabaseMirror::Append(std::int64_t rowId, const DatabaseRowView& row) {
  std::array<Storing, kInlineFields> fields;
  fields[0].FromText(row.Name);
  fields[1].FromText(row.GUID);
  fields[2].FromText(row.IP);
  StoredRow stored;
  std::size_t bytes = 0;
  for (int i = 0; i < kInlineFields; ++i) {
    stored.Length[i] = static_cast<std::uint8_t>(fields[i].Length());
    stored.Flags |= static_cast<std::uint8_t>((fields[i].IsWide ? 1 : 0) << i);
    stored.Flags |= static_cast<std::uint8_t>((fields[i].Folds ? 1 : 0) << (kInlineFields + i));
    bytes += fields[i].Bytes();
  }
  StoreFields(fields, Room(bytes, stored.Texts));
  stored.Server = pooled_.Intern(Cut(row.Server));
  stored.Date = pooled_.Intern(Cut(row.Date));
  AddRow(rowId, stored);
}

void DatabaseMirror::AppendUtf8(std::int64_t rowId, const std::array<std::string_view, 5>& row) {
  std::array<Storing, kInlineFields> fields;
  StoredRow stored;
  std::size_t bytes = 0;
  for (int i = 0; i < kInlineFields; ++i) {
    fields[i].FromUtf8(row[i]);
    stored.Length[i] = static_cast<std::uint8_t>(fields[i].Length());
    stored.Flags |= static_cast<std::uint8_t>((fields[i].IsWide ? 1 : 0) << i);
    stored.Flags |= static_cast<std::uint8_t>((fields[i].Folds ? 1 : 0) << (kInlineFields + i));
    bytes += fields[i].Bytes();
  }
  StoreFields(fields, Room(bytes, stored.Texts));
  // Servers and dates are nearly always ASCII: widened here without an allocation per row.
  char16_t wide[kDatabaseFieldLength];
  const auto pool = [&](std::string_view text) {
    if (std::any_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) >= 0x80; })) {
      return pooled_.Intern(Cut(Utf8ToText(text)));
    }
    text = CutUtf8(text);
    const std::size_t length = text.size();
    for (std::size_t i = 0; i < length; ++i) wide[i] = static_cast<char16_t>(text[i]);
    return pooled_.Intern(TextView(wide, length));
  };
  stored.Server = pool(row[3]);
  stored.Date = pool(row[4]);
  AddRow(rowId, stored);
}

void DatabaseMirror::AppendAll(DatabaseMirror&& rows) {
  const auto shift = static_cast<std::uint32_t>(blocks_.size() << kBlockShift);
  if (!rows.blocks_.empty()) {
    for (auto& block : rows.blocks_) blocks_.push_back(std::move(block));
    blockUsed_ = rows.blockUsed_;
  }
  std::vector<PooledText> pooled(rows.pooled_.Count());
  for (std::size_t i = 0; i < pooled.size(); ++i) pooled[i] = pooled_.Intern(rows.pooled_.View(static_cast<PooledText>(i)));
  rows_.reserve(rows_.size() + rows.rows_.size());
  for (std::size_t i = 0; i < rows.rows_.size(); ++i) {
    StoredRow row = rows.rows_[i];
    row.Texts += shift;
    row.Server = pooled[row.Server];
    row.Date = pooled[row.Date];
    AddRow(rows.RowIdAt(i), row);
  }
  rows.Clear();
}

std::int64_t DatabaseMirror::RowIdAt(std::size_t index) const {
  return dense_ ? static_cast<std::int64_t>(index) + 1 : rowIds_[index];
}

std::size_t DatabaseMirror::IndexOf(std::int64_t rowId) const {
  if (dense_) {
    return rowId >= 1 && rowId <= static_cast<std::int64_t>(rows_.size())
               ? static_cast<std::size_t>(rowId - 1)
               : rows_.size();
  }
  if (rowIdsAscending_) {
    const auto found = std::lower_bound(rowIds_.begin(), rowIds_.end(), rowId);
    return found != rowIds_.end() && *found == rowId ? static_cast<std::size_t>(found - rowIds_.begin())
                                                     : rows_.size();
  }
  return static_cast<std::size_t>(std::find(rowIds_.begin(), rowIds_.end(), rowId) - rowIds_.begin());
}

bool DatabaseMirror::SetDate(std::int64_t rowId, TextView date) {
  const std::size_t index = IndexOf(rowId);
  if (index >= rows_.size()) return false;
  rows_[index].Date = pooled_.Intern(Cut(date));
  return true;
}

DatabaseMirror::StoredText DatabaseMirror::Field(const StoredRow& row, int field) const {
  const std::uint8_t* bytes = blocks_[row.Texts >> kBlockShift].get() + (row.Texts & (kBlockBytes - 1));
  for (int i = 0; i < field; ++i) bytes += row.Length[i] * ((row.Flags >> i & 1) != 0 ? 2 : 1);
  return {bytes, row.Length[field], (row.Flags >> field & 1) != 0,
          (row.Flags >> (kInlineFields + field) & 1) != 0};
}

Text DatabaseMirror::Decode(const StoredText& text) {
  Text out(text.Length, u'\0');
  if (text.Length == 0) return out;
  if (text.Wide) {
    std::memcpy(out.data(), text.Bytes, text.Length * 2);
  } else {
    for (std::size_t i = 0; i < text.Length; ++i) out[i] = text.Bytes[i];
  }
  return out;
}

DatabaseRow DatabaseMirror::Row(std::size_t index) const {
  const StoredRow& row = rows_[index];
  return {Decode(Field(row, 0)), Decode(Field(row, 1)), Decode(Field(row, 2)),
          Text(pooled_.View(row.Server)), Text(pooled_.View(row.Date))};
}

std::vector<std::uint32_t> DatabaseMirror::Search(DatabaseField field, TextView loweredSearch,
                                                  bool exact) const {
  std::vector<std::uint32_t> found;
  if (field == DatabaseField::Server) {
    // Few servers, many rows: each server is compared once.
    std::vector<std::int8_t> matches(pooled_.Count(), -1);
    for (std::size_t i = 0; i < rows_.size(); ++i) {
      std::int8_t& match = matches[rows_[i].Server];
      if (match < 0) match = TextMatches(pooled_.View(rows_[i].Server), loweredSearch, exact) ? 1 : 0;
      if (match == 1) found.push_back(static_cast<std::uint32_t>(i));
    }
    return found;
  }
  const int column = static_cast<int>(field);
  std::string search;
  const bool narrowSearch = NarrowForm(loweredSearch, search);
  const auto& lower = Folding().Lower;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const StoredText text = Field(rows_[i], column);
    if (text.Length == 0) continue;
    bool match = false;
    if (text.Wide) {
      match = TextMatches(Decode(text), loweredSearch, exact);
    } else if (narrowSearch) {
      // Lower-casing keeps a narrow text narrow, so a search text that is not can never match.
      match = text.Folds ? NarrowMatches<true>(text.Bytes, text.Length, search, exact, lower)
                         : NarrowMatches<false>(text.Bytes, text.Length, search, exact, lower);
    }
    if (match) found.push_back(static_cast<std::uint32_t>(i));
  }
  return found;
}

std::vector<std::uint32_t> DatabaseMirror::WithGuid(TextView guid) const {
  std::vector<std::uint32_t> found;
  guid = Cut(guid);
  std::string narrow;
  const bool narrowGuid = NarrowForm(guid, narrow);
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const StoredText text = Field(rows_[i], 1);
    if (text.Length != guid.size()) continue;
    const bool match =
        text.Wide ? Decode(text) == guid
                  : narrowGuid && std::memcmp(text.Bytes, narrow.data(), text.Length) == 0;
    if (match) found.push_back(static_cast<std::uint32_t>(i));
  }
  return found;
}

void DatabaseMirror::Reserve(std::size_t rows) { rows_.reserve(rows); }

void DatabaseMirror::Clear() {
  rows_.clear();
  rows_.shrink_to_fit();
  blocks_.clear();
  blockUsed_ = 0;
  pooled_.Clear();
  rowIds_.clear();
  rowIds_.shrink_to_fit();
  dense_ = true;
  rowIdsAscending_ = true;
}
