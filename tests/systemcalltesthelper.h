// Direct calls of system-function implementations for the family tests: the
// implementation is selected by call key over the given tables and missing
// arguments are padded with undefined values, as the dispatcher does. The
// result comes back as its text form, a failure as "<error> " and the message.
#pragma once

#include "interpreter/context.h"
#include "sysfunctions/systemfunctionregistry.h"
#include "values/scriptobject.h"
#include "values/vectorhandler.h"

#include <string>
#include <vector>

namespace vornscriptunittests {

inline vornscript::VornScriptObjectPtr textvalue(const char* text) {
    return vornscript::makestringvalue(text);
}

inline vornscript::VornScriptObjectPtr
vectorvalue(std::initializer_list<vornscript::VornScriptObjectPtr> elements) {
    return vornscript::makehandlervalue(
        vornscript::makeref<vornscript::VornScriptObjectVectorHandler>(
            vornscript::VornScriptObjectList(elements)));
}

// A value bound to a variable: it carries the variable's name.
inline vornscript::VornScriptObjectPtr variablevalue(const char* name,
                                                     vornscript::VornScriptObjectPtr value) {
    value->setname(name);
    return value;
}

inline std::string callsystemfunction(std::span<const vornscript::VornSystemFunctionTable> tables,
                                      const std::string& name,
                                      std::vector<vornscript::VornScriptObjectPtr> arguments) {
    using namespace vornscript;
    const VornSystemFunctionSelector selector(tables);
    const VornSystemFunctionSelection selection = selector.select(callkey(name, arguments.size()));
    if (selection.impl == nullptr) {
        return "<not implemented>";
    }
    while (arguments.size() < selection.parametercount) {
        arguments.push_back(makeundefinedvalue());
    }
    VornScriptContextBase context;
    VornScriptObjectPtr result;
    std::string error;
    VornSystemCall call{context, name, arguments, result, error};
    if (!selection.impl(call)) {
        return "<error> " + error;
    }
    return result ? result->tostring() : "<no result>";
}

} // namespace vornscriptunittests
