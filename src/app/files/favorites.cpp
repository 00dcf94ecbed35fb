#include "app/files/favorites.h"

#include <algorithm>

#include "runtime/portable/files.h"
#include "runtime/portable/lines.h"
#include "runtime/portable/text_ops.h"

FavoritesGlobals Favorites;

void ResetFavorites() { Favorites = FavoritesGlobals(); }

std::int32_t PortFromText(TextView text) {
  return ParseInteger32Text(text, IntegerBases::DecimalHexBinary, IntegerRange::Saturate32);
}

std::vector<FavoriteRecord> ParseFavorites(std::string_view bytes) {
  std::vector<FavoriteRecord> records;
  LineReader reader(bytes);
  while (!reader.AtEnd()) {
    FavoriteRecord record;
    record.Description = Utf8ToText(reader.NextLine());
    record.Host = Utf8ToText(reader.NextLine());
    record.Port = PortFromText(Utf8ToText(reader.NextLine()));
    record.Password = Utf8ToText(reader.NextLine());
    records.push_back(std::move(record));
  }
  return records;
}

std::string FavoriteLines(const FavoriteRecord& record) {
  std::string lines;
  for (const Text& field : {record.Description, record.Host, DecimalText(record.Port), record.Password}) {
    lines += TextToUtf8(field);
    lines += kLineEnd;
  }
  return lines;
}

std::string FavoritesFileBytes(const std::vector<FavoriteRecord>& records) {
  std::string bytes;
  for (const auto& record : records) bytes += FavoriteLines(record);
  return bytes;
}

bool LoadFavoritesFile(const Text& path) {
  std::string bytes;
  const bool read = ReadWholeFile(path, bytes);
  Favorites.FavoriteList = ParseFavorites(bytes);
  return read;
}

bool AppendFavorite(const Text& path, const FavoriteRecord& record) {
  std::string bytes;
  if (IsExistingFile(path) && !ReadWholeFile(path, bytes)) return false;
  if (LacksFinalLineEnd(bytes)) bytes += kLineEnd;
  bytes += FavoriteLines(record);
  if (!ReplaceFileContents(path, bytes)) return false;
  Favorites.FavoriteList.push_back(record);
  return true;
}

bool WriteFavoritesFile(const Text& path) {
  return ReplaceFileContents(path, FavoritesFileBytes(Favorites.FavoriteList));
}

const FavoriteRecord* FindFavorite(TextView description) {
  for (const auto& record : Favorites.FavoriteList) {
    if (record.Description == description) return &record;
  }
  return nullptr;
}

void UpdateFavorites(TextView description, const Text& host, std::int32_t port, const Text& password) {
  for (auto& record : Favorites.FavoriteList) {
    if (record.Description != description) continue;
    record.Host = host;
    record.Port = port;
    record.Password = password;
  }
}

bool RemoveFavorite(TextView description) {
  auto& list = Favorites.FavoriteList;
  const auto found = std::find_if(list.begin(), list.end(),
                                  [&](const FavoriteRecord& r) { return r.Description == description; });
  if (found == list.end()) return false;
  list.erase(found);
  return true;
}
