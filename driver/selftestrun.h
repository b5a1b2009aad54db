// The -tests run: the built-in self-tests (string library, script catalogue,
// conversions) selected by a filter, with the outcome printed and turned
// into the exit code. The registry lives for the whole program run.
#pragma once

#include "selftests/unittestregistry.h"

#include <iosfwd>
#include <string>

namespace vornscript {

// Runs the self-tests whose names contain the filter ("all" or empty for
// every test); prints the outcome and returns the process exit code.
int runselftests(const std::string& testfilter);

// Prints the outcome of a run: failures on [out] (exit code 1), no check at
// all as a warning on [err], else the number of checks on [out].
int reportselftests(bool succeeded, const vornunittest& registry, std::ostream& out,
                    std::ostream& err);

} // namespace vornscript
