// getlibrarysummary: the summary text of a registered extension, looked up
// by its name in registration order.
#include "sysfunctions/libraryfunctions.h"

#include "interpreter/context.h"
#include "sysfunctions/filecallsupport.h"

namespace vornscript {

namespace {

bool getlibrarysummarycall(VornSystemCall& call) {
    const std::string name = argumenttext(call, 0);
    for (const auto& extension : call.context.extensions()) {
        if (extension->extensionname() == name) {
            return resulttext(call, extension->getsummary());
        }
    }
    return failcall(call, "library is not loaded: ", name);
}

constexpr VornSystemFunctionEntry libraryfunctions[] = {
    {"getlibrarysummary($)", getlibrarysummarycall},
};

} // namespace

VornSystemFunctionTable libraryfunctiontable() {
    return libraryfunctions;
}

} // namespace vornscript
