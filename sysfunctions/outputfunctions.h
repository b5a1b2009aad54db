// The print family: print, println, printerror and printerrorln write the
// text forms of their arguments to the context's output or error stream.
// The streams belong to the context, so a script run or a test decides
// where the text goes; println writes the stream's line end and flushes.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

VornSystemFunctionTable outputfunctiontable();

} // namespace vornscript
