#pragma once
// The saved servers ("favourites") and their file "favs.dat": four lines per favourite
// (description, host, port in decimal, password), UTF-8 without byte-order mark, every
// line ended by CR LF. Descriptions are the keys, compared exactly.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/portable/text.h"

struct FavoriteRecord {
  Text Description;
  Text Host;
  std::int32_t Port = 0;
  Text Password;  // kept and stored in plain text: the file is the user's own
};

struct FavoritesGlobals {
  std::vector<FavoriteRecord> FavoriteList;  // in file order
};

extern FavoritesGlobals Favorites;
void ResetFavorites();

// A port as stored or typed. A number too large for 32 bits stays at the range's end instead
// of wrapping round to some valid port, so that the connect refuses it.
std::int32_t PortFromText(TextView text);

// A record is read whenever bytes are left, so a file that ends inside a record still gives
// that record with its missing fields empty, and a trailing blank line one empty record.
std::vector<FavoriteRecord> ParseFavorites(std::string_view bytes);
std::string FavoriteLines(const FavoriteRecord& record);
std::string FavoritesFileBytes(const std::vector<FavoriteRecord>& records);

// Replaces FavoriteList by the file's records; false (list empty) when it cannot be read.
bool LoadFavoritesFile(const Text& path);
// Appends to the file and then to FavoriteList; neither changes when the file cannot be
// written. A last line without line end is ended first, so that no two records fuse.
bool AppendFavorite(const Text& path, const FavoriteRecord& record);
// Writes the whole of FavoriteList.
bool WriteFavoritesFile(const Text& path);

// The first favourite with this description, or nullptr.
const FavoriteRecord* FindFavorite(TextView description);
// Gives every favourite with this description the host, port and password.
void UpdateFavorites(TextView description, const Text& host, std::int32_t port, const Text& password);
// Removes the first favourite with this description; false when there is none.
bool RemoveFavorite(TextView description);
