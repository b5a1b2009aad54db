// Internal interface between the dispatch switch (evaluationwrapper.cpp) and
// the node families: one evaluation function per node class, the operator
// helpers shared by expressions, statements and post-operations.
#pragma once

#include "interpreter/context.h"
#include "interpreter/evaluationwrapper.h"

#include <cmath>

namespace vornscript {

// ---- operators (operators.cpp) ----
// The arithmetic and bit operators on two whole or two floating numbers;
// an overflowing whole result continues as a floating number.
NumberResult longoperationslow(const VornScriptExpressionBase& node, TokenKind op, int64_t a,
                               int64_t b, VornScriptContextBase& context);
// The common whole-number cases inline; division, remainders of negative
// numbers, shifts by counts outside 0 to 63, overflow and errors out of line.
inline NumberResult longoperation(const VornScriptExpressionBase& node, TokenKind op, int64_t a,
                                  int64_t b, VornScriptContextBase& context) {
    int64_t result = 0;
    switch (op) {
    case '+':
        if (__builtin_add_overflow(a, b, &result)) {
            break;
        }
        return NumberResult{true, result, static_cast<double>(result)};
    case '-':
        if (__builtin_sub_overflow(a, b, &result)) {
            break;
        }
        return NumberResult{true, result, static_cast<double>(result)};
    case '*':
        if (__builtin_mul_overflow(a, b, &result)) {
            break;
        }
        return NumberResult{true, result, static_cast<double>(result)};
    case '&':
        return NumberResult{true, a & b, static_cast<double>(a & b)};
    case '|':
        return NumberResult{true, a | b, static_cast<double>(a | b)};
    case '^':
        return NumberResult{true, a ^ b, static_cast<double>(a ^ b)};
    case '%':
        if (a >= 0 && b > 0) {
            return NumberResult{true, a % b, static_cast<double>(a % b)};
        }
        break;
    case TOKEN_SHIFTLEFT:
        if (b >= 0 && b <= 63) {
            result = static_cast<int64_t>(static_cast<uint64_t>(a) << b);
            return NumberResult{true, result, static_cast<double>(result)};
        }
        break;
    case TOKEN_SHIFTRIGHT:
        if (b >= 0 && b <= 63) {
            return NumberResult{true, a >> b, static_cast<double>(a >> b)};
        }
        break;
    default:
        break;
    }
    return longoperationslow(node, op, a, b, context);
}
// The number maker on a computed double: a whole one becomes a whole
// number, any other is snapped to its six-decimal value.
inline NumberResult numberresult(double value) {
    NumberResult result{false, 0, value};
    result.whole = doubleiswhole(value, result.longvalue);
    if (!result.whole) {
        result.doublevalue = snapdouble(value);
    }
    return result;
}
NumberResult doubleoperationslow(const VornScriptExpressionBase& node, TokenKind op, double a,
                                 double b, VornScriptContextBase& context);
// + - * inline; division and errors out of line.
inline NumberResult doubleoperation(const VornScriptExpressionBase& node, TokenKind op, double a,
                                    double b, VornScriptContextBase& context) {
    switch (op) {
    case '+':
        return numberresult(a + b);
    case '-':
        return numberresult(a - b);
    case '*':
        return numberresult(a * b);
    default:
        return doubleoperationslow(node, op, a, b, context);
    }
}
// == != < > <= >= on two numbers, compared as whole numbers when both are whole.
bool comparenumbersslow(const VornScriptExpressionBase& node, TokenKind op, const NumberResult& a,
                        const NumberResult& b, VornScriptContextBase& context);
// Two whole numbers inline; floating numbers and errors out of line.
inline bool comparenumbers(const VornScriptExpressionBase& node, TokenKind op,
                           const NumberResult& a, const NumberResult& b,
                           VornScriptContextBase& context) {
    if (a.whole && b.whole) {
        switch (op) {
        case '<':
            return a.longvalue < b.longvalue;
        case '>':
            return a.longvalue > b.longvalue;
        case TOKEN_LESSEQUAL:
            return a.longvalue <= b.longvalue;
        case TOKEN_GREATEREQUAL:
            return a.longvalue >= b.longvalue;
        case TOKEN_EQUAL:
            return a.longvalue == b.longvalue;
        case TOKEN_NOTEQUAL:
            return a.longvalue != b.longvalue;
        default:
            break;
        }
    }
    return comparenumbersslow(node, op, a, b, context);
}
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
// The one value of a literal that every evaluation shares: only for callees
// that never change, name, keep or return it.
const VornScriptObjectPtr& sharedliteralvalue(VornScriptConstValue& node);
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

// ---- operands (evaluate_operands.cpp) ----
// An evaluated operand of an operator or a condition: a number kept native
// (computed by an operator, or a whole-number literal), a literal of another
// form (reading as a number or not) whose value is made only on demand, or
// a value object.
struct VornOperand {
    enum class Kind : uint8_t { value, number, literal, textliteral };
    Kind kind = Kind::value;
    NumberResult number;
    VornScriptObjectPtr value;
    VornScriptConstValue* literal = nullptr;
};
// Whether a node may be evaluated without the wrapper, counted by hand: no
// debugger or profiler watches, and the nesting limit cannot trip.
inline bool evaluatesdirectly(const VornScriptContextBase& context) {
    return !context.debuggeractive && !context.profilingenabled &&
           context.evaluationdepth < VornScriptContextBase::maxevaluationdepth;
}
// Evaluates a node to its value as the wrapper would: a variable (its own
// object, for an assignment's target or a reference parameter), operators,
// member and element accesses are evaluated without the wrapper, counted and
// nested as it does; anything else through it.
VornScriptObjectPtr evaluateobject(VornScriptExpressionBase& node, VornScriptContextBase& context);
// The number evaluateobject would make the value of, kept native: for an
// operator over numbers it computes natively (counted as evaluateobject
// counts it). False, with nothing evaluated, for any other node.
bool evaluatenumber(VornScriptExpressionBase& node, VornScriptContextBase& context,
                    NumberResult& number);
// evaluateobject with the usual case, a variable (the collection of an
// element or member access), looked up inline.
inline VornScriptObjectPtr evaluatechild(VornScriptExpressionBase& node,
                                         VornScriptContextBase& context) {
    if (node.nodekind == VornScriptNodeKind::variablereference && evaluatesdirectly(context)) {
        if (VornScriptObjectPtr* slot =
                context.findvariable(static_cast<VornScriptVariableReference&>(node).name)) {
            ++node.callcount;
            return *slot;
        }
    }
    return evaluateobject(node, context);
}
// Evaluates the node as an operand into [operand] (a fresh one): literals,
// variables and nested operators make no value objects; other nodes
// evaluate through the wrapper.
void evaluateoperand(VornScriptExpressionBase& node, VornScriptContextBase& context,
                     VornOperand& operand);
// The operand's value object (made now for numbers and literals).
VornScriptObjectPtr operandvalue(const VornOperand& operand);
// left += right joining texts, done in place: when [left] is a changeable
// plain text value and + joins the two as texts, the right operand's text is
// appended to left's own text, which ends as assigning left + right would
// leave it. False, with nothing done, in every other case.
bool appendoperandinplace(VornScriptObject& left, const VornOperand& right);

// A value read as a number the way the operators read it: a plain text
// value carrying the whole or floating number type code with a number reading.
inline bool valuenumber(const VornScriptObject& value, NumberResult& number) {
    const VornScriptObjectStringHandler* plain = value.plainstring();
    if (plain == nullptr) {
        return false;
    }
    const int32_t code = plain->typecode();
    const VornNumberReading& reading = plain->numberreading();
    if (code == VornTypeCode::longnumber && reading.kind == VornNumberKind::integer) {
        number = NumberResult{true, reading.longvalue, reading.doublevalue};
        return true;
    }
    if (code == VornTypeCode::doublenumber && reading.kind != VornNumberKind::none) {
        number = NumberResult{false, reading.longvalue, reading.doublevalue};
        return true;
    }
    return false;
}

// An operand read as a number: numbers kept native and number literals, and
// values as valuenumber reads them. A computed NaN or infinity has no
// number reading: the value-based operators report it.
inline bool operandnumber(const VornOperand& operand, NumberResult& number) {
    switch (operand.kind) {
    case VornOperand::Kind::number:
    case VornOperand::Kind::literal:
        number = operand.number;
        return number.whole || std::isfinite(number.doublevalue);
    case VornOperand::Kind::textliteral:
        return false;
    case VornOperand::Kind::value:
        break;
    }
    return operand.value && valuenumber(*operand.value, number);
}

// A loop condition: evaluated, postfix operations run, then its truth.
bool evaluatecondition(VornScriptExpressionBase& condition, VornScriptContextBase& context);

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
// The truth of an evaluated condition (see conditiontruth); a whole number's inline.
inline bool operandtruth(VornScriptExpressionBase& condition, const VornOperand& operand,
                         VornScriptContextBase& context) {
    if (operand.kind == VornOperand::Kind::number && operand.number.whole) {
        return operand.number.longvalue != 0;
    }
    return conditiontruth(condition, operandvalue(operand), context);
}
VornScriptObjectPtr evaluatestatements(VornScriptStatements& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluatedefinevariables(VornScriptDefineVariables& node,
                                            VornScriptContextBase& context);
VornScriptObjectPtr evaluateifthenelse(VornScriptIfThenElse& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluateenterscope(VornScriptEnterScope& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluatereturn(VornScriptFunctionReturn& node, VornScriptContextBase& context);
VornScriptObjectPtr evaluatetrycatch(VornScriptTryCatch& node, VornScriptContextBase& context);

// A statement evaluated as evaluatewrapped does it. The kinds that every
// function and loop body runs (statement lists, if, return, assignments,
// variable definitions) go to their evaluation
// directly, counted and nested as in the dispatch but without its switch
// and call frame; below the nesting limit the guard cannot trip.
inline VornScriptObjectPtr evaluatestatementnode(VornScriptExpressionBase& node,
                                                 VornScriptContextBase& context) {
    if (evaluatesdirectly(context)) [[likely]] {
        switch (node.nodekind) {
        case VornScriptNodeKind::statements: {
            ++node.callcount;
            EvaluationDepthGuard guard(context);
            return evaluatestatements(static_cast<VornScriptStatements&>(node), context);
        }
        case VornScriptNodeKind::ifthenelse: {
            ++node.callcount;
            EvaluationDepthGuard guard(context);
            return evaluateifthenelse(static_cast<VornScriptIfThenElse&>(node), context);
        }
        case VornScriptNodeKind::functionreturn: {
            ++node.callcount;
            EvaluationDepthGuard guard(context);
            return evaluatereturn(static_cast<VornScriptFunctionReturn&>(node), context);
        }
        case VornScriptNodeKind::assignment: {
            ++node.callcount;
            EvaluationDepthGuard guard(context);
            return evaluateassignment(static_cast<VornScriptAssignmentExpression&>(node), context);
        }
        case VornScriptNodeKind::definevariables: {
            ++node.callcount;
            EvaluationDepthGuard guard(context);
            return evaluatedefinevariables(static_cast<VornScriptDefineVariables&>(node), context);
        }
        default:
            break;
        }
    }
    return evaluatewrapped(node, context);
}

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
