// Internal interface between the dispatch switch (evaluationwrapper.cpp) and
// the node families: one evaluation function per node class, the operator
// helpers shared by expressions, statements and post-operations.
#pragma once

#include "interpreter/context.h"
#include "interpreter/evaluationwrapper.h"

namespace vornscript {

// ---- operators (operators.cpp) ----
// The numeric operation of a binary operator on two present values.
VornScriptObjectPtr numericoperation(const VornScriptExpressionBase& node, TokenKind op,
                                     const VornScriptObjectPtr& left,
                                     const VornScriptObjectPtr& right,
                                     VornScriptContextBase& context);
// == != < > <= >= on two values (either may be empty); "1" or "0".
bool comparevalues(const VornScriptExpressionBase& node, const VornScriptObjectPtr& left,
                   const VornScriptObjectPtr& right, TokenKind op, VornScriptContextBase& context);
// value in list.
bool listmembership(const VornScriptExpressionBase& node, const VornScriptObjectPtr& value,
                    const VornScriptObjectPtr& list, VornScriptContextBase& context);
// =~: the pattern is found in the text.
bool regexfound(const VornScriptExpressionBase& node, const VornScriptObjectPtr& text,
                const VornScriptObjectPtr& pattern, VornScriptContextBase& context);
// + on two present values: numeric addition of numbers, else concatenation.
VornScriptObjectPtr addvalues(const VornScriptExpressionBase& node, const VornScriptObjectPtr& left,
                              const VornScriptObjectPtr& right, VornScriptContextBase& context);

// ---- expressions (evaluate_expressions.cpp) ----
VornScriptObjectPtr evaluateconstvalue(VornScriptConstValue& node);
VornScriptObjectPtr evaluateunary(VornScriptUnaryExpression& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluatebinary(VornScriptBinaryExpression& node,
                                   VornScriptContextBase& context);
VornScriptObjectPtr evaluatetypecast(VornScriptTypeCastExpression& node,
                                     VornScriptContextBase& context);
VornScriptObjectPtr evaluatevariable(VornScriptVariableReference& node,
                                     VornScriptContextBase& context);
VornScriptObjectPtr evaluateassignment(VornScriptAssignmentExpression& node,
                                       VornScriptContextBase& context);
VornScriptObjectPtr evaluatemember(VornScriptStructureMemberReference& node,
                                   VornScriptContextBase& context);
VornScriptObjectPtr evaluateelement(VornScriptVectorReference& node,
                                    VornScriptContextBase& context);
VornScriptObjectPtr evaluatecollection(VornScriptCollectionInit& node,
                                       VornScriptContextBase& context);
VornScriptObjectPtr evaluatepostexpression(VornScriptPostExpression& node,
                                           VornScriptContextBase& context);
// Carries out a registered postfix ++ or -- (as += 1 or -= 1 on its operand).
void applypostoperation(const VornScriptPostOperation& operation, VornScriptContextBase& context);
// Stores right into left by the rules of "=": vectors and structures arrive
// as independent copies unless their handler asks to be shared.
void assignbyvalue(const VornScriptExpressionBase& node, const VornScriptObjectPtr& left,
                   const VornScriptObjectPtr& right, VornScriptContextBase& context);

// ---- statements (evaluate_statements.cpp) ----
// The value as an r-value detached from any variable, as makervalue makes
// it; a text or number that only [value] holds, unnamed and unshared, is
// taken itself instead of being copied and dropped.
bool detachedrvalue(const VornScriptObjectPtr& value, VornScriptObjectPtr& result,
                    std::string& error);
// The truth of a condition's value (the boolean reading of !); a condition
// that yields nothing fails with "condition expected".
bool conditiontruth(VornScriptExpressionBase& condition, const VornScriptObjectPtr& value,
                    VornScriptContextBase& context);
VornScriptObjectPtr evaluatestatements(VornScriptStatements& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluatedefinevariables(VornScriptDefineVariables& node,
                                            VornScriptContextBase& context);
VornScriptObjectPtr evaluateifthenelse(VornScriptIfThenElse& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluateenterscope(VornScriptEnterScope& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluatereturn(VornScriptFunctionReturn& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluatetrycatch(VornScriptTryCatch& node, VornScriptContextBase& context);

// ---- loops and switch (evaluate_loops.cpp) ----
VornScriptObjectPtr evaluateforloop(VornScriptForLoop& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluateuntilloop(VornScriptUntilLoop& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluateforeachloop(VornScriptForeachLoop& node,
                                        VornScriptContextBase& context);
VornScriptObjectPtr evaluateswitch(VornScriptSwitchStatement& node, VornScriptContextBase& context);

// Fails at the goto when a goto is still pending at a function, try or run
// boundary: "goto to label not allowed" for a known label, else "goto label not found".
void checkpendinggoto(VornScriptContextBase& context);

} // namespace vornscript
