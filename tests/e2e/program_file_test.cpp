// The program file as a user copies it: it needs no DLL that Windows lacks, and it is lean, its
// debugging data in a file beside it that the debug link names.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "runtime/portable/files.h"

namespace e2e {
namespace {

// The DLLs of Windows itself that the program may import. UxTheme, DWM and GDI+ are bound at
// run time, and the program does without them where they are missing: they are never imported.
const std::set<std::string> kSystemDlls = {"ADVAPI32.DLL", "COMCTL32.DLL", "COMDLG32.DLL", "GDI32.DLL", "KERNEL32.DLL", "MSIMG32.DLL",
                                           "MSVCRT.DLL", "OLE32.DLL", "SHELL32.DLL", "USER32.DLL", "WS2_32.DLL"};

Text WinePath(const std::string& path) { return (path.starts_with("/") ? u"Z:" : u"") + Utf8ToText(path); }

// The headers, sections and import table of a 32-bit PE file, read with every offset checked.
class PeFile {
 public:
  bool Load(const std::string& path) {
    IMAGE_DOS_HEADER dos{};
    return ReadWholeFile(WinePath(path), bytes_) && Read(0, dos) && dos.e_magic == IMAGE_DOS_SIGNATURE &&
           Read(dos.e_lfanew, nt_) && nt_.Signature == IMAGE_NT_SIGNATURE &&
           nt_.OptionalHeader.Magic == IMAGE_NT_OPTIONAL_HDR32_MAGIC && ReadSections(dos.e_lfanew);
  }
  // Long names stand in the string table after the symbols as "/offset".
  std::vector<std::string> SectionNames() const {
    std::vector<std::string> names;
    const std::size_t strings = nt_.FileHeader.PointerToSymbolTable + nt_.FileHeader.NumberOfSymbols * 18;
    for (const IMAGE_SECTION_HEADER& section : sections_) {
      const std::string name = TextAt(reinterpret_cast<const char*>(section.Name), IMAGE_SIZEOF_SHORT_NAME);
      names.push_back(name.starts_with("/") ? StringAt(strings + std::stoul(name.substr(1))) : name);
    }
    return names;
  }
  std::string SectionStart(const std::string& name) const {  // the zero-terminated text it begins with
    const auto names = SectionNames();
    const auto at = std::ranges::find(names, name) - names.begin();
    return at < std::ssize(names) ? StringAt(sections_[at].PointerToRawData) : "";
  }
  std::vector<std::string> ImportedDlls() const {
    std::vector<std::string> dlls;
    std::size_t at = FileOffset(nt_.OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
    for (IMAGE_IMPORT_DESCRIPTOR entry{}; Read(at, entry) && entry.Name != 0; at += sizeof entry) {
      dlls.push_back(StringAt(FileOffset(entry.Name)));
      for (char& c : dlls.back()) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return dlls;
  }

 private:
  template <typename T>
  bool Read(std::size_t at, T& out) const {
    if (at > bytes_.size() || bytes_.size() - at < sizeof out) return false;
    std::memcpy(&out, bytes_.data() + at, sizeof out);
    return true;
  }
  bool ReadSections(std::size_t ntAt) {
    const std::size_t at = ntAt + offsetof(IMAGE_NT_HEADERS32, OptionalHeader) + nt_.FileHeader.SizeOfOptionalHeader;
    sections_.resize(nt_.FileHeader.NumberOfSections);
    for (std::size_t i = 0; i < sections_.size(); ++i)
      if (!Read(at + i * sizeof(IMAGE_SECTION_HEADER), sections_[i])) return false;
    return !sections_.empty();
  }
  std::size_t FileOffset(DWORD rva) const {
    for (const IMAGE_SECTION_HEADER& s : sections_)
      if (rva >= s.VirtualAddress && rva - s.VirtualAddress < std::max(s.Misc.VirtualSize, s.SizeOfRawData))
        return rva - s.VirtualAddress + s.PointerToRawData;
    return bytes_.size();
  }
  static std::string TextAt(const char* start, std::size_t most) { return std::string(start, strnlen(start, most)); }
  std::string StringAt(std::size_t at) const { return at < bytes_.size() ? TextAt(bytes_.data() + at, bytes_.size() - at) : ""; }

  std::string bytes_;
  IMAGE_NT_HEADERS32 nt_{};
  std::vector<IMAGE_SECTION_HEADER> sections_;
};

// The debugging data would make the file ten times larger; a debugger still finds it.
TEST(ProgramFile, ImportsOnlyDllsThatWindowsShipsAndLinksToItsDebuggingDataBesideIt) {
  PeFile program, debugging;
  ASSERT_TRUE(program.Load(VELO_PROGRAM_PATH));
  const std::vector<std::string> dlls = program.ImportedDlls(), names = program.SectionNames();
  EXPECT_EQ(std::ranges::count(dlls, "KERNEL32.DLL"), 1) << "the import table was not read";
  for (const std::string& dll : dlls) EXPECT_TRUE(kSystemDlls.contains(dll)) << dll << " is not part of Windows";
  EXPECT_EQ(std::ranges::count(names, ".text"), 1) << "the sections were not read";
  for (const std::string& name : names) EXPECT_FALSE(name.starts_with(".debug")) << name;
  const std::string linked = program.SectionStart(".gnu_debuglink"), path = VELO_PROGRAM_PATH;
  ASSERT_EQ(linked, "velo2duro.exe.debug");
  ASSERT_TRUE(debugging.Load(path.substr(0, path.find_last_of('/') + 1) + linked));
  EXPECT_EQ(std::ranges::count(debugging.SectionNames(), ".debug_info"), 1);
}

}  // namespace
}  // namespace e2e
