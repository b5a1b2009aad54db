// Hand-off to the built-in self-tests, selected by -tests=[testnamefilter].
// The self-test catalogue is not part of the program yet: the run says so on
// standard error and fails with exit code 1.
#pragma once

#include <string>

namespace vornscript {

// Runs the self-tests whose names match the filter ("all" for every test);
// returns the process exit code.
int runselftests(const std::string& testfilter);

} // namespace vornscript
