#pragma once
// Files that skin values name (images, icons): found beside the skin, in the skin's folder or
// inside its ".sknz" pack, and loaded into images at the size the value's options ask for.
// Paths are resolved against the skin directory without changing the process's current folder.
#include <cstdint>
#include <string>

#include "runtime/portable/text.h"
#include "veloui/skins/core/skin_records.h"

// The value cut at ";" when it reads as a file name ("tile.png"), else "".
Text SkinFileName(TextView value);
// The part after the last path separator.
Text BareFileName(TextView path);
// The path with the skin directory in front, unless it is absolute or no directory is set.
Text InSkinDirectory(TextView path);
// The pack the current skin's files travel in.
Text CurrentSkinPackPath();

// A skin names small pictures; a file above this (which no pack entry could hold either) is
// refused unread.
inline constexpr std::uint64_t kSkinFileMaxBytes = 64u << 20;

// The bytes of the file a name gives: at the path, in the folder named after the current skin,
// or in its pack. False when none has a file of more than 0 bytes and at most kSkinFileMaxBytes.
bool ReadSkinFileBytes(TextView fileName, std::string& bytes);
// Reads a pack whole (one no reader would take is refused unread); false when it is missing,
// empty or malformed.
bool ReadSkinPack(const Text& path, OpenSkinPack& pack);

// 1 the value names a file that is found, -1 one that is not, 0 the value names no file.
std::int32_t ResolveSkinFilePath(TextView value);
// The image the value names ("tile.ico; width: 16; height: 16"); 0 when nothing loads.
std::uintptr_t LoadSkinImage(TextView value);
