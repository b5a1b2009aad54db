// System functions about extensions registered with the context. The
// in-process extensions (such as the self-tests' "usertest") answer here;
// loading plug-in libraries from files joins this family later.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

// The implementations of the library functions, by call key.
VornSystemFunctionTable libraryfunctiontable();

} // namespace vornscript
