// uselibrary, setlibrarypath and getlibrarysummary. Both list functions work
// through their arguments in order and stop at the first failure, so the
// libraries or folders before it stay loaded or added.
#include "sysfunctions/libraryfunctions.h"

#include "extensions/library.h"
#include "interpreter/context.h"
#include "sysfunctions/filecallsupport.h"

#include <filesystem>

namespace vornscript {

namespace {

// Yields 1 when every library loaded, 0 when one refused in its module_init.
bool uselibrarycall(VornSystemCall& call) {
    for (size_t index = 0; index < call.arguments.size(); ++index) {
        switch (uselibrary(call.context, argumenttext(call, index), call.error)) {
        case VornLibraryUse::loaded:
            break;
        case VornLibraryUse::refused:
            return resultbool(call, false);
        case VornLibraryUse::failed:
            return false;
        }
    }
    return resultbool(call, true);
}

bool setlibrarypathcall(VornSystemCall& call) {
    for (size_t index = 0; index < call.arguments.size(); ++index) {
        const std::string folder = argumenttext(call, index);
        std::error_code error;
        if (!std::filesystem::is_directory(folder, error)) {
            return failcall(call, "library folder does not found: ", folder);
        }
        call.context.librarypaths.push_back(folder);
    }
    return resultbool(call, true);
}

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
    {"uselibrary(", uselibrarycall},
    {"setlibrarypath(", setlibrarypathcall},
    {"getlibrarysummary($)", getlibrarysummarycall},
};

} // namespace

VornSystemFunctionTable libraryfunctiontable() {
    return libraryfunctions;
}

} // namespace vornscript
