// Process-wide registry of data handlers passed to plug-in libraries as
// 64-bit handles. A handler's handle is its address; the registry keeps the
// handler alive so a library can hand the handle back later. Every lookup is
// written to the log.
#pragma once

#include "values/datahandler.h"

#include <cstdint>

namespace vornscript {

// The handle of a handler (0 for none).
int64_t gethandle(const VornScriptDataHandler* handler);

// Stores the handler under its handle; logs "remember datahandler [h]".
int64_t remember(const VornScriptDataHandlerPtr& handler);

// The handler of a handle, or empty (handle 0, or not remembered: then logs
// "failed getremembered datahandler [h]").
VornScriptDataHandlerPtr getremembered(int64_t handle);

} // namespace vornscript
