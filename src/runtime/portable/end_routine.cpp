#include "runtime/portable/end_routine.h"

#include <array>

namespace {

std::array<LibraryEndFunction, static_cast<std::size_t>(EndingLibrary::Count)>& EndFunctions() {
  static std::array<LibraryEndFunction, static_cast<std::size_t>(EndingLibrary::Count)> functions{};
  return functions;
}

}  // namespace

void InstallLibraryEnd(EndingLibrary library, LibraryEndFunction end) {
  EndFunctions()[static_cast<std::size_t>(library)] = end;
}

void RunEndRoutine() {
  for (LibraryEndFunction& slot : EndFunctions()) {
    const LibraryEndFunction end = slot;
    slot = nullptr;
    if (end != nullptr) end();
  }
}
