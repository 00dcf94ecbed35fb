// line-table <decoded lines> <program> <table> <own source prefix>...
// Writes the program's address-to-line table from the output of
// `objdump --dwarf=decodedline --wide` on its debugging data; the build runs it after the link.
#include <fstream>
#include <iostream>
#include <iterator>

#include "objdump_lines.h"

int main(int argc, char** argv) {
  if (argc < 5) {
    std::cerr << "usage: line-table <decoded lines> <program> <table> <own source prefix>...\n";
    return 2;
  }
  std::ifstream decodedLines(argv[1]), program(argv[2], std::ios::binary);
  const std::string image{std::istreambuf_iterator<char>(program), std::istreambuf_iterator<char>()};
  ProgramIdentity identity;
  std::uint32_t imageBase = 0;
  if (!decodedLines || !ReadProgramIdentity(image, identity, imageBase)) {
    std::cerr << "line-table: cannot read " << argv[1] << " or " << argv[2] << "\n";
    return 1;
  }
  const std::vector<std::string> ownPrefixes(argv + 4, argv + argc);
  const std::vector<LineTableRow> rows = LineRowsFromObjdump(decodedLines, ownPrefixes, imageBase);
  std::ofstream table(argv[3], std::ios::binary | std::ios::trunc);
  table << EncodeLineTable(identity, rows);
  if (!table.flush()) {
    std::cerr << "line-table: cannot write " << argv[3] << "\n";
    return 1;
  }
  std::cout << "line-table: " << rows.size() << " rows\n";
  return 0;
}
