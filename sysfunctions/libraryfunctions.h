// System functions about extensions: loading plug-in libraries
// (uselibrary), the folders searched for them (setlibrarypath) and the
// summary of any registered extension, in-process ones (such as the
// self-tests' "usertest") included.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

// The implementations of the library functions, by call key.
VornSystemFunctionTable libraryfunctiontable();

} // namespace vornscript
