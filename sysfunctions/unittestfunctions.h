// System functions with which a script checks its own results: the
// unittest_ family. They work on the context's own unit-test registry, so the
// failure lines have the same form as those of the built-in self-tests.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

// The implementations of the unittest_ functions, by call key.
VornSystemFunctionTable unittestfunctiontable();

} // namespace vornscript
