// The -tests run: the built-in self-tests (string library, script catalogue,
// conversions) selected by a filter, with the outcome printed and turned
// into the exit code. The registry lives for the whole program run.
#pragma once

#include <string>

namespace vornscript {

// Runs the self-tests whose names contain the filter ("all" or empty for
// every test); prints the outcome and returns the process exit code.
int runselftests(const std::string& testfilter);

} // namespace vornscript
