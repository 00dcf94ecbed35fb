#include "objdump_lines.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

constexpr std::uint32_t kImageBase = 0x400000;
const std::vector<std::string> kOwnSources = {"/work/velo/src/", "../../src/"};

std::vector<std::pair<std::uint32_t, std::int32_t>> RowsOf(const std::string& decodedLines) {
  std::istringstream input(decodedLines);
  std::vector<std::pair<std::uint32_t, std::int32_t>> rows;
  for (const LineTableRow& row : LineRowsFromObjdump(input, kOwnSources, kImageBase)) rows.emplace_back(row.offset, row.line);
  return rows;
}

using Rows = std::vector<std::pair<std::uint32_t, std::int32_t>>;

constexpr char kHeading[] =
    "\nvelo2duro.exe.debug:     file format pei-i386\n\nContents of the .debug_line section:\n\n";
constexpr char kColumns[] = "File name                            Line number    Starting address    View    Stmt\n";

TEST(ObjdumpLines, OnlyTheProgramsOwnSourcesGiveLines) {
  const std::string text = std::string(kHeading) + "CU: ./mingw-w64-crt/crt/crtexe.c:\n" + kColumns +
                           "crtexe.c                  118            0x401000               x\n"
                           "crtexe.c                    -            0x401010\n\n"
                           "CU: ../../src/app/web_browser.cpp:\n" + kColumns +
                           "web_browser.cpp              8            0x401020               x\n"
                           "web_browser.cpp              9            0x401020       1       x\n"
                           "web_browser.cpp             10            0x401028\n\n"
                           "/usr/lib/gcc/i686-w64-mingw32/12-posix/include/c++/bits/stl_vector.h:\n"
                           "stl_vector.h               367            0x401030\n\n"
                           "../../src/app/web_browser.cpp:\n"
                           "web_browser.cpp             12            0x401038       1\n"
                           "web_browser.cpp              -            0x401040\n\n"
                           "CU: /usr/lib/gcc/i686-w64-mingw32/12-posix/include/c++/bits/vector.tcc:\n" + kColumns +
                           "vector.tcc                 100            0x401040               x\n\n"
                           "/work/velo/src/app/lists/row.h:\n"
                           "row.h                        5            0x401048\n"
                           "row.h                        -            0x401050\n";
  // Inlined library code keeps the program's line before it; a run that starts in library code
  // has no line until the program's own.
  EXPECT_EQ(RowsOf(text), (Rows{{0x1020, 9}, {0x1028, 10}, {0x1038, 12}, {0x1040, 0}, {0x1048, 5}, {0x1050, 0}}));
}

TEST(ObjdumpLines, ARunsEndNeverHidesTheNextRunAtTheSameAddress) {
  // The later run comes first in the text, the earlier one ends where it begins.
  const std::string text = std::string(kHeading) + "CU: ../../src/b.cpp:\n" + kColumns +
                           "b.cpp               20            0x402000               x\n"
                           "b.cpp                -            0x402010\n\n"
                           "CU: ../../src/a.cpp:\n" + kColumns +
                           "a.cpp               30            0x401ff0               x\n"
                           "a.cpp               31            0x401ff8               x\n"
                           "a.cpp                -            0x402000\n";
  EXPECT_EQ(RowsOf(text), (Rows{{0x1ff0, 30}, {0x1ff8, 31}, {0x2000, 20}, {0x2010, 0}}));
}

TEST(ObjdumpLines, RowsOfOneLineJoinAndOddTextIsSkipped) {
  const std::string text = std::string(kHeading) + "CU: ../../src/c.cpp:\n" + kColumns +
                           "c.cpp               40            0x401000               x\r\n"
                           "c.cpp               40            0x401004\n"
                           "c.cpp               41            0x3ff000\n"          // below the image: not the program's
                           "c.cpp               xx            0x401006\n"
                           "c.cpp               42            401008\n"
                           "c.cpp                                   \n"
                           "c.cpp               43            0x40100a       2   x\n"
                           "c.cpp                -            0x401010\n"
                           "CU: ../src/elsewhere.cpp:\n"                           // not below the program's sources
                           "elsewhere.cpp       50            0x401010\n"
                           "elsewhere.cpp        -            0x401020\n";
  EXPECT_EQ(RowsOf(text), (Rows{{0x1000, 40}, {0x100a, 43}, {0x1010, 0}}));
}

TEST(ObjdumpLines, TheRowsEncodeToATableThatNamesTheirLines) {
  std::istringstream input(std::string(kHeading) + "CU: ../../src/d.cpp:\n" + kColumns +
                           "d.cpp                7            0x401000\n"
                           "d.cpp                -            0x401010\n");
  const ProgramIdentity program{1, 2, 3};
  const std::string table = EncodeLineTable(program, LineRowsFromObjdump(input, kOwnSources, kImageBase));
  EXPECT_EQ(FindSourceLine(table, program, 0xFFF), -1);
  EXPECT_EQ(FindSourceLine(table, program, 0x1000), 7);
  EXPECT_EQ(FindSourceLine(table, program, 0x100F), 7);
  EXPECT_EQ(FindSourceLine(table, program, 0x1010), -1);
}

}  // namespace
