// Debugger hooks of an execution context. Every context is also a
// VornScriptDebuggerBase; the console debugger and the profiler override these
// hooks. The evaluation wrapper calls onstatement/onstatementdone only while
// the context's debuggeractive flag is set, so a run without a debugger pays
// one well-predicted branch per node, not two virtual calls.
#pragma once

#include <cstdint>
#include <string>

namespace vornscript {

class VornScriptExpressionBase;
class VornScriptContextBase;

class VornScriptDebuggerBase {
public:
    virtual ~VornScriptDebuggerBase() = default;

    // Milliseconds of the monotonic system clock.
    virtual int64_t gettickcount();
    // Called before a node is evaluated through the evaluation wrapper.
    virtual void onstatement(VornScriptExpressionBase& node, VornScriptContextBase& context);
    // Called after that evaluation returned normally.
    virtual void onstatementdone(VornScriptExpressionBase& node, VornScriptContextBase& context);
    // Called with the full text of an error about to be raised; willstop tells
    // whether the error ends the script.
    virtual void onerror(const std::string& fullerrortext, bool willstop);
    // Called with every text the script logs through logmessage.
    virtual void onlogmessage(const std::string& text);
};

} // namespace vornscript
