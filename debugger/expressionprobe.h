// Evaluation of a text typed at the debugger prompt (Print, breakpoint
// conditions) in the running context and its current scope. The hooks are
// suspended meanwhile, whatever the script printed is caught in a buffer,
// and the control flags and scopes of the script are left as they were, so
// a probe can never change where the script goes next.
#pragma once

#include "interpreter/context.h"

#include <string>

namespace vornscript {

struct VornScriptProbeResult {
    enum class Outcome { evaluated, unparsable, failed };
    Outcome outcome = Outcome::evaluated;
    VornScriptObjectPtr value; // may be empty
    std::string printed;       // what the text printed meanwhile
    std::string errortext;     // full error text when unparsable or failed
};

VornScriptProbeResult probeexpression(VornScriptContextBase& context, const std::string& text);

// What Print shows: the value's text form; the printed text when there is no
// value; "<error>" for a text that does not parse; the error's text.
std::string printedresult(const VornScriptProbeResult& result);

} // namespace vornscript
