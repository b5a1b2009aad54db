// The process-wide map from 64-bit handle to remembered data handler.
#include "values/handleregistry.h"

#include "support/logsink.h"

#include <string>
#include <unordered_map>

namespace vornscript {

namespace {

std::unordered_map<int64_t, VornScriptDataHandlerPtr>& registry() {
    static std::unordered_map<int64_t, VornScriptDataHandlerPtr> handlers;
    return handlers;
}

void loghandle(const char* text, int64_t handle) {
    writelogline(std::string(text) + " [" + std::to_string(handle) + "]", true);
}

} // namespace

int64_t gethandle(const VornScriptDataHandler* handler) {
    return static_cast<int64_t>(reinterpret_cast<uintptr_t>(handler));
}

int64_t remember(const VornScriptDataHandlerPtr& handler) {
    const int64_t handle = gethandle(handler.get());
    if (handle != 0) {
        registry()[handle] = handler;
    }
    loghandle("remember datahandler", handle);
    return handle;
}

VornScriptDataHandlerPtr getremembered(int64_t handle) {
    if (handle == 0) {
        return VornScriptDataHandlerPtr();
    }
    loghandle("getremembered datahandler", handle);
    const auto found = registry().find(handle);
    if (found == registry().end()) {
        loghandle("failed getremembered datahandler", handle);
        return VornScriptDataHandlerPtr();
    }
    return found->second;
}

} // namespace vornscript
