// System functions of formatting, logging and the clock: sprintf, logmessage,
// the millisecond and second clocks, and the local date and time as texts or
// as a structure. The console writers (print and its family) live with the
// context's output streams and call the same formatting engine.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

// The implementations of sprintf, logmessage and the clock functions, by call key.
VornSystemFunctionTable formatfunctiontable();

} // namespace vornscript
