// The lower-case table of builds without a system one: the stand-in.
#include <memory>

#include "runtime/portable/lower_case.h"

const LowerCaseTable& SystemLowerCase() {
  static const std::unique_ptr<const LowerCaseTable> table = [] {
    auto made = std::make_unique<LowerCaseTable>();
    FillStandInLowerCase(*made);
    return made;
  }();
  return *table;
}
