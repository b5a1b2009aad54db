// The system-function dispatcher: the last step of call resolution. It asks
// the prototype table whether a name and argument count is a system
// function, picks the family implementation by call key, pads a shorter call
// with undefined values up to the implementation's parameter count and runs it.
#pragma once

#include "values/scriptobject.h"

#include <string>
#include <vector>

namespace vornscript {

class VornScriptContextBase;

// True when the prototype table accepts [name] with [argumentcount] arguments.
bool issystemfunction(const std::string& name, size_t argumentcount);

// Calls the system function. [arguments] may grow by the padding. False with
// [error] set when the call is refused or the implementation fails.
bool callsystemfunction(VornScriptContextBase& context, const std::string& name,
                        std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                        std::string& error);

} // namespace vornscript
