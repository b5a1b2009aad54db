// Debugger probes (see expressionprobe.h).
#include "debugger/expressionprobe.h"

#include "frontend/parser.h"
#include "interpreter/constcontext.h"
#include "interpreter/evaluate.h"

#include <sstream>

namespace vornscript {
namespace {

// Suspends the hooks and redirects the script's output for one probe; the
// destructor restores both, also when the probe fails.
class ProbeGuard {
public:
    ProbeGuard(VornScriptContextBase& context, std::ostream& buffer)
        : context_(context), savedoutput_(context.outputstream), savedcontrol_(context.control),
          scopedepth_(context.scopedepth()) {
        ++context_.suspendstatement;
        ++context_.suspendstatementdone;
        context_.outputstream = &buffer;
    }
    ~ProbeGuard() {
        context_.unwindscopes(scopedepth_);
        context_.control = std::move(savedcontrol_);
        context_.outputstream = savedoutput_;
        --context_.suspendstatementdone;
        --context_.suspendstatement;
    }
    ProbeGuard(const ProbeGuard&) = delete;
    ProbeGuard& operator=(const ProbeGuard&) = delete;

private:
    VornScriptContextBase& context_;
    std::ostream* savedoutput_;
    VornScriptControlState savedcontrol_;
    size_t scopedepth_;
};

} // namespace

VornScriptProbeResult probeexpression(VornScriptContextBase& context, const std::string& text) {
    VornScriptProbeResult result;
    std::ostringstream buffer;
    {
        ProbeGuard guard(context, buffer);
        VornScriptStatementsPtr tree;
        try {
            VornScriptParser parser(makescriptsource(std::string(), text), &programconstcontext());
            tree = parser.parse();
        } catch (const VornScriptErrorException& error) {
            result.errortext = error.fullerrortext();
        }
        if (!tree) {
            result.outcome = VornScriptProbeResult::Outcome::unparsable;
            return result;
        }
        context.control = VornScriptControlState();
        try {
            preparenode(*tree, context);
            result.value = evaluatewrapped(*tree, context);
            context.runpostoperations();
        } catch (const VornScriptErrorException& error) {
            result.outcome = VornScriptProbeResult::Outcome::failed;
            result.errortext = error.fullerrortext();
        }
    }
    result.printed = buffer.str();
    return result;
}

std::string printedresult(const VornScriptProbeResult& result) {
    switch (result.outcome) {
    case VornScriptProbeResult::Outcome::unparsable:
        return "<error>";
    case VornScriptProbeResult::Outcome::failed:
        return result.errortext;
    case VornScriptProbeResult::Outcome::evaluated:
        break;
    }
    if ((!result.value || result.value->isnull()) && !result.printed.empty()) {
        return result.printed;
    }
    return result.value ? result.value->tostring() : std::string();
}

} // namespace vornscript
