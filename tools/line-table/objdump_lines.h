#pragma once
// Turns the decoded line table that `objdump --dwarf=decodedline --wide` prints into the rows of
// the program's address-to-line table.
//
// Only lines of the program's own source files count: code that the compiler copied in from a
// library header (a container's inline member, say) keeps the line of the program's statement
// that it serves, and code with no own line before it in its sequence has no line. Where two
// rows share an address the later one holds, as in the line table itself.
#include <cstdint>
#include <istream>
#include <string>
#include <vector>

#include "runtime/portable/line_table.h"

// `ownPrefixes`: the beginnings of the paths of the program's own sources, as the compiler wrote
// them (absolute, or relative to the build folder). Addresses below `imageBase` are skipped.
std::vector<LineTableRow> LineRowsFromObjdump(std::istream& decodedLines, const std::vector<std::string>& ownPrefixes,
                                              std::uint32_t imageBase);
