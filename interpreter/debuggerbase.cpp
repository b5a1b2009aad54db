// Base behaviour of the debugger hooks: a context without a debugger attached
// never stops and shows nothing.
#include "interpreter/debuggerbase.h"

#include <chrono>

namespace vornscript {

int64_t VornScriptDebuggerBase::gettickcount() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void VornScriptDebuggerBase::onstatement(VornScriptExpressionBase&, VornScriptContextBase&) {}

void VornScriptDebuggerBase::onstatementdone(VornScriptExpressionBase&, VornScriptContextBase&) {}

void VornScriptDebuggerBase::onerror(const std::string&, bool) {}

void VornScriptDebuggerBase::onlogmessage(const std::string&) {}

} // namespace vornscript
