// The evaluation wrapper: the one way any node evaluates a child node. It
// counts every evaluation (always on), reads the clock only when profiling
// is enabled, and calls the debugger hooks only when a debugger is attached;
// without either, the instrumentation costs one well-predicted branch.
// evaluatenode is the interpreter's dispatch: one switch over the node kind.
#pragma once

#include "interpreter/context.h"

namespace vornscript {

// Keeps the context's evaluation depth balanced, also when an error unwinds.
class EvaluationDepthGuard {
public:
    explicit EvaluationDepthGuard(VornScriptContextBase& context) : context_(context) {
        ++context_.evaluationdepth;
    }
    ~EvaluationDepthGuard() { --context_.evaluationdepth; }
    EvaluationDepthGuard(const EvaluationDepthGuard&) = delete;
    EvaluationDepthGuard& operator=(const EvaluationDepthGuard&) = delete;

private:
    VornScriptContextBase& context_;
};

// Evaluates the node by its kind; counts nesting against the context's limit.
VornScriptObjectPtr evaluatenode(VornScriptExpressionBase& node, VornScriptContextBase& context);

// The wrapper with hooks and clock (out of line: only for debug and profile runs).
VornScriptObjectPtr evaluateinstrumented(VornScriptExpressionBase& node,
                                         VornScriptContextBase& context);

inline VornScriptObjectPtr evaluatewrapped(VornScriptExpressionBase& node,
                                           VornScriptContextBase& context) {
    if (context.debuggeractive || context.profilingenabled) [[unlikely]] {
        return evaluateinstrumented(node, context);
    }
    ++node.callcount;
    return evaluatenode(node, context);
}

// A child of a statement: evaluated through the wrapper, then the postfix
// increments registered meanwhile take effect.
inline VornScriptObjectPtr evaluatestatementchild(VornScriptExpressionBase& node,
                                                  VornScriptContextBase& context) {
    VornScriptObjectPtr value = evaluatewrapped(node, context);
    context.runpostoperations();
    return value;
}

// The prepare pass over a tree: registers user functions into the current
// scope (the global scope before a run) and labels into the known labels.
void preparenode(VornScriptExpressionBase& node, VornScriptContextBase& context);

} // namespace vornscript
