// Constant evaluation of range bounds for the parser (see constcontext.h).
#include "interpreter/constcontext.h"

#include "interpreter/evaluationwrapper.h"

namespace vornscript {

std::optional<VornScriptConstantResult>
VornScriptConstContext::evaluateconstant(const VornScriptExpressionBase& bound) {
    control = VornScriptControlState();
    try {
        // Evaluation only touches the node's counters, never its structure.
        auto& node = const_cast<VornScriptExpressionBase&>(bound);
        const VornScriptObjectPtr value = evaluatewrapped(node, *this);
        runpostoperations();
        if (!value) {
            return std::nullopt;
        }
        VornScriptConstantResult result;
        result.iswhole = value->islong() && value->readlong(result.whole);
        result.text = value->tostring();
        return result;
    } catch (const VornScriptErrorException&) {
        unwindscopes(1);
        globalscope().postoperations.clear();
        return std::nullopt;
    }
}

VornScriptConstContext& programconstcontext() {
    static VornScriptConstContext context;
    return context;
}

} // namespace vornscript
