#include "runtime/portable/end_routine.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string calls;
void EndNetwork() { calls += "network "; }
void EndListSorting() { calls += "list-sorting "; }
void EndListSortingThenRunAgain() {
  calls += "list-sorting ";
  RunEndRoutine();
}

}  // namespace

// Whatever order the libraries started in, they end in the routine's order; an end function that
// raises the error report, whose end runs the routine again, is not run again.
TEST(EndRoutine, RunsEachInstalledEndFunctionOnceInTheLibrariesOrder) {
  calls.clear();
  InstallLibraryEnd(EndingLibrary::ListSorting, EndListSorting);
  InstallLibraryEnd(EndingLibrary::Network, EndNetwork);
  RunEndRoutine();
  EXPECT_EQ(calls, "network list-sorting ");
  RunEndRoutine();
  EXPECT_EQ(calls, "network list-sorting ");

  calls.clear();
  InstallLibraryEnd(EndingLibrary::ListSorting, EndListSorting);
  InstallLibraryEnd(EndingLibrary::Network, EndNetwork);
  InstallLibraryEnd(EndingLibrary::Network, nullptr);
  RunEndRoutine();
  EXPECT_EQ(calls, "list-sorting ");

  calls.clear();
  InstallLibraryEnd(EndingLibrary::Network, EndNetwork);
  InstallLibraryEnd(EndingLibrary::ListSorting, EndListSortingThenRunAgain);
  RunEndRoutine();
  EXPECT_EQ(calls, "network list-sorting ");
}
