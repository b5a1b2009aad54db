// Whole-number code for pure operator subtrees: arithmetic and comparisons
// over number literals and variables (see evaluate_operands.cpp), the usual
// form of loop arithmetic. A subtree whose literals are all whole numbers is
// compiled into its nodes in postfix order (operands before their operator)
// and run as one loop over a stack of plain 64-bit integers, each
// operator's common case inlined. It runs while its variables hold computed
// whole numbers; any other case (a floating number, an overflow, a division,
// a shift out of range) leaves the run with nothing counted, and the caller
// evaluates the subtree the general way instead.
#pragma once

#include "interpreter/context.h"

namespace vornscript {

// The most operator levels of a pure subtree.
constexpr int maxpureheight = 32;

// Runs the whole-number code of the pure subtree [node], compiled on first
// use and kept on the node: true with [number] computed and each node below
// [node] counted once; false, with nothing counted, when the subtree cannot
// run so (now, or at all).
bool runwholenumbercode(VornScriptBinaryExpression& node, VornScriptContextBase& context,
                        NumberResult& number);

} // namespace vornscript
