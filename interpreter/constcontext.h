// The constant context: an execution context without script variables that
// the parser uses to evaluate the bounds of ranges in vector literals while
// parsing ([0..3], [sqr(-1)..sqr(2)]). A bound that names a variable cannot
// be evaluated here, so the parser reports it as not constant. One instance
// serves the whole program.
#pragma once

#include "frontend/constantevaluator.h"
#include "interpreter/context.h"

namespace vornscript {

class VornScriptConstContext : public VornScriptContextBase, public VornScriptConstantEvaluator {
public:
    // The value of the bound, or nullopt when evaluating it raised an error.
    std::optional<VornScriptConstantResult>
    evaluateconstant(const VornScriptExpressionBase& bound) override;
};

// The program's constant context.
VornScriptConstContext& programconstcontext();

} // namespace vornscript
