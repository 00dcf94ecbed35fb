#pragma once
// Files, folders and the environment, with paths as texts. Every failure is a false or empty
// result. Files the program rewrites go through ReplaceFileContents, so that a crash or a
// full disk leaves either the old file or the new one, never half of one.
#include <cstdint>
#include <string>
#include <string_view>

#include "runtime/portable/text.h"

// The whole file; false when it cannot be read (bytes are then empty).
bool ReadWholeFile(const Text& path, std::string& bytes);
// Writes the bytes to a temporary file in the same folder and renames it over `path`.
bool ReplaceFileContents(const Text& path, std::string_view bytes);

bool IsExistingFile(const Text& path);    // a file, not a folder
// The size of a file in bytes, asked of the file system without reading it; 0 for no file.
std::uint64_t FileSizeOf(const Text& path);
bool IsExistingFolder(const Text& path);
// Whether two paths name one existing file, however they are written (case, links, "..").
bool IsSameFile(const Text& first, const Text& second);
// An existing file that may be written to.
bool IsWritableFile(const Text& path);
bool CreateFolder(const Text& path);
// Creates an empty file (truncating one that exists).
bool CreateEmptyFile(const Text& path);
// Copies `from` to `to`, replacing a file of that name.
bool CopyFileReplacing(const Text& from, const Text& to);

// The value of an environment variable; "" when it is missing.
Text EnvironmentValue(const Text& name);
// The separator this platform's paths are written with (either one is read).
#ifdef _WIN32
inline constexpr char16_t kPathSeparator = u'\\';
#else
inline constexpr char16_t kPathSeparator = u'/';
#endif

// The folder of the running program's file, ending in the path separator.
Text ProgramFolder();
bool SetCurrentFolder(const Text& path);
// "" when it cannot be read.
Text CurrentFolder();
