// The system-function dispatcher: the last step of call resolution. It asks
// the prototype table whether a name and argument count is a system
// function, picks the family implementation by call key, pads a shorter call
// with undefined values up to the implementation's parameter count and runs it.
// Each name and argument count is resolved once per process and the answer
// kept at a stable address, so a call node can hold it and skip every lookup.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"
#include "values/scriptobject.h"

#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

class VornScriptContextBase;

// The system function for [name] with [argumentcount] arguments, or nullptr
// when the prototype table does not accept the call. An accepted call that
// no family implements has a selection with a null impl. The selection lives
// as long as the process.
const VornSystemFunctionSelection* resolvesystemfunction(std::string_view name,
                                                         size_t argumentcount);

// True when the prototype table accepts [name] with [argumentcount] arguments.
bool issystemfunction(std::string_view name, size_t argumentcount);

// Calls the system function. [arguments] may grow by the padding. False with
// [error] set when the call is refused or the implementation fails.
bool callsystemfunction(VornScriptContextBase& context, const std::string& name,
                        std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                        std::string& error);
// The same with the selection already resolved for [name] and the size of
// [arguments].
bool callsystemfunction(VornScriptContextBase& context,
                        const VornSystemFunctionSelection& selection, const std::string& name,
                        std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                        std::string& error);

} // namespace vornscript
