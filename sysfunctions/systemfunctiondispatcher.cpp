// The system-function dispatcher.
#include "sysfunctions/systemfunctiondispatcher.h"

#include "sysfunctions/systemfunctionregistry.h"

namespace vornscript {

bool issystemfunction(const std::string& name, size_t argumentcount) {
    return systemprototypetable().accepts(name, argumentcount);
}

bool callsystemfunction(VornScriptContextBase& context, const std::string& name,
                        std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                        std::string& error) {
    VornSystemFunctionSelection selection;
    if (!selectsystemfunction(name, arguments.size(), selection, error)) {
        return false;
    }
    // A prototype with fewer arguments shares the implementation of a longer
    // one; the missing arguments arrive as undefined values.
    while (arguments.size() < selection.parametercount) {
        arguments.push_back(makeundefinedvalue());
    }
    VornSystemCall call{context, name, arguments, result, error};
    return selection.impl(call);
}

} // namespace vornscript
