// Operands of operators and conditions, and the binary operators. An operand
// is evaluated to a VornOperand: a number an operator computed or a number
// literal, both kept native, or a value object. Nested arithmetic and
// comparisons therefore make no value objects for their intermediate
// results: a value is made once, where the expression's result is needed as
// a value. The fast path reads numbers exactly as the value-based operators
// do (same type rules, same snapping of doubles); anything else (texts,
// undefined values, texts without a number type code, non-finite numbers)
// takes the value-based operators, which also raise every error. Nodes
// evaluated here are counted and nest as in the dispatch; debugger and
// profiler runs evaluate every node through the wrapper.
#include "interpreter/argumentpool.h"
#include "interpreter/evaluate.h"
#include "interpreter/functioncalls.h"
#include "interpreter/literalcache.h"
#include "interpreter/raise.h"
#include "interpreter/userfunctions.h"
#include "interpreter/wholenumbercode.h"
#include "sysfunctions/systemfunctionregistry.h"
#include "values/conversions.h"
#include "values/numbers.h"

#include <algorithm>
#include <cmath>

namespace vornscript {
namespace {

// Operands are written in place (the caller's fresh VornOperand), which
// saves copying them through return values on the hot path.
void setvalue(VornOperand& operand, VornScriptObjectPtr value) {
    operand.kind = VornOperand::Kind::value;
    operand.value = std::move(value);
}

void setnumber(VornOperand& operand, const NumberResult& number) {
    operand.kind = VornOperand::Kind::number;
    operand.number = number;
}

void setbool(VornOperand& operand, bool value) {
    setnumber(operand, NumberResult{true, value ? 1 : 0, value ? 1.0 : 0.0});
}

bool isarithmetic(TokenKind op) {
    switch (op) {
    case '+':
    case '-':
    case '*':
    case '/':
    case '%':
    case '&':
    case '|':
    case '^':
    case TOKEN_SHIFTLEFT:
    case TOKEN_SHIFTRIGHT:
        return true;
    default:
        return false;
    }
}

bool iscomparison(TokenKind op) {
    switch (op) {
    case TOKEN_EQUAL:
    case TOKEN_NOTEQUAL:
    case '<':
    case '>':
    case TOKEN_LESSEQUAL:
    case TOKEN_GREATEREQUAL:
        return true;
    default:
        return false;
    }
}

// The truth of an operand of && or ||, checked at the operator.
bool logicaltruth(const VornScriptExpressionBase& node, const VornOperand& operand,
                  VornScriptContextBase& context) {
    if (operand.kind == VornOperand::Kind::number && operand.number.whole) {
        return operand.number.longvalue != 0;
    }
    bool value = false;
    std::string error;
    checkatnode(getbool(operandvalue(operand), value, error), node, error, context);
    return value;
}

// Whether + adds the operand as a number (see addvalues).
bool addsasnumber(const VornOperand& operand) {
    switch (operand.kind) {
    case VornOperand::Kind::number:
    case VornOperand::Kind::literal:
        return true;
    case VornOperand::Kind::textliteral:
        return false;
    case VornOperand::Kind::value:
        break;
    }
    return operand.value->isnumber();
}

void appendoperandtext(std::string& out, const VornOperand& operand) {
    switch (operand.kind) {
    case VornOperand::Kind::number:
        if (operand.number.whole) {
            appendlongtext(out, operand.number.longvalue);
        } else {
            appenddoubletext(out, operand.number.doublevalue);
        }
        return;
    case VornOperand::Kind::literal:
    case VornOperand::Kind::textliteral:
        out += operand.literal->text;
        return;
    case VornOperand::Kind::value:
        operand.value->appendstring(out);
        return;
    }
}

bool castasstring(const VornOperand& operand) {
    switch (operand.kind) {
    case VornOperand::Kind::number:
    case VornOperand::Kind::literal:
        return false;
    case VornOperand::Kind::textliteral:
        return operand.literal->typecode == VornTypeCode::string;
    case VornOperand::Kind::value:
        break;
    }
    return operand.value->gettypecode() == VornTypeCode::string;
}

// + of operands the fast path does not take: the texts joined, with the
// rules of addvalues, without making values of native operands.
void addoperands(VornScriptBinaryExpression& node, const VornOperand& left,
                 const VornOperand& right, VornScriptContextBase& context, VornOperand& result) {
    if (addsasnumber(left) && addsasnumber(right)) {
        setvalue(result, addvalues(node, operandvalue(left), operandvalue(right), context));
        return;
    }
    // Text joined to a cast string stays text, so ((string)'0') + '1' + '2' is "012".
    const bool stringcoded = castasstring(left) || castasstring(right);
    const int32_t typecode = stringcoded ? VornTypeCode::string : VornTypeCode::notset;
    // A temporary text on the left (what an inner + just made, as in
    // a + "_" + b) is extended in place: the join copies neither it nor
    // makes a second value. Nobody else holds it, so nothing else sees it change.
    if (left.kind == VornOperand::Kind::value) {
        if (VornScriptObjectStringHandler* text = left.value->recyclablenumber()) {
            appendoperandtext(text->extendabletext(typecode), right);
            setvalue(result, left.value);
            return;
        }
    }
    std::string text;
    appendoperandtext(text, left);
    appendoperandtext(text, right);
    setvalue(result, makestringvalue(std::move(text), typecode));
}

// The value-based operators, for operands the fast path does not take.
void valueoperation(VornScriptBinaryExpression& node, TokenKind op, const VornOperand& leftoperand,
                    const VornOperand& rightoperand, VornScriptContextBase& context,
                    VornOperand& result) {
    const VornScriptObjectPtr left = operandvalue(leftoperand);
    const VornScriptObjectPtr right = operandvalue(rightoperand);
    if (isarithmetic(op)) {
        setvalue(result, numericoperation(node, op, left, right, context));
        return;
    }
    if (iscomparison(op)) {
        setbool(result, comparevalues(node, left, right, op, context));
        return;
    }
    switch (op) {
    case TOKEN_MATCHES:
        setbool(result, regexfound(node, left, right, context));
        return;
    case TOKEN_NOTMATCHES:
        setbool(result, !regexfound(node, left, right, context));
        return;
    case TOKEN_IN:
        setbool(result, listmembership(node, left, right, context));
        return;
    default:
        failatnode(node, "invalid number operation", context);
    }
}

void binaryoperand(VornScriptBinaryExpression& node, VornScriptContextBase& context,
                   VornOperand& result) {
    if (!node.left) {
        failatnode(node, "binary expression missing a value at left side", context);
    }
    if (!node.right) {
        failatnode(node, "binary expression missing a value at right side", context);
    }
    const TokenKind op = node.op;
    // An undefined operand is the empty text for +, stays undefined for == and !=.
    auto evaluate = [&](VornScriptExpressionBase& child, VornOperand& operand) {
        evaluateoperand(child, context, operand);
        if (operand.kind == VornOperand::Kind::value && (!operand.value || operand.value->isnull()))
            [[unlikely]] {
            if (op == '+') {
                setvalue(operand, makestringvalue(std::string()));
            } else if (op != TOKEN_EQUAL && op != TOKEN_NOTEQUAL) {
                failatnode(node, "value is undefined", context);
            }
        }
    };
    VornOperand left;
    evaluate(*node.left, left);
    if (op == TOKEN_OROR || op == TOKEN_ANDAND) {
        const bool leftvalue = logicaltruth(node, left, context);
        if (leftvalue == (op == TOKEN_OROR)) {
            setbool(result, leftvalue);
            return;
        }
        VornOperand right;
        evaluate(*node.right, right);
        setbool(result, logicaltruth(node, right, context));
        return;
    }
    VornOperand right;
    evaluate(*node.right, right);
    NumberResult a;
    NumberResult b;
    if (operandnumber(left, a) && operandnumber(right, b)) {
        if (isarithmetic(op)) {
            setnumber(result,
                      a.whole && b.whole
                          ? longoperation(node, op, a.longvalue, b.longvalue, context)
                          : doubleoperation(node, op, a.doublevalue, b.doublevalue, context));
            return;
        }
        if (iscomparison(op)) {
            setbool(result, comparenumbers(node, op, a, b, context));
            return;
        }
    }
    if (op == '+') {
        addoperands(node, left, right, context, result);
    } else {
        valueoperation(node, op, left, right, context, result);
    }
}

// Pure subtrees: arithmetic and comparison operators over number literals
// and variables, at most maxpureheight operator levels deep. Evaluating one
// changes nothing but the counters, so purenumber may compute it natively
// and, when a variable turns out to hold no number, give up: binaryoperand
// then evaluates the subtree again with the same result as evaluating it once.
constexpr uint8_t shapenotpure = 255;
// A pure operator of height 1 over variables and whole-number literals
// (n - 1, i < end): wholeleaves computes it without the general operand
// reading when its variables hold computed whole numbers.
constexpr uint8_t shapewholeleaves = 254;

int shapeheight(uint8_t shape) {
    return shape == shapenotpure ? -1 : shape == shapewholeleaves ? 1 : shape;
}

bool iswholeleaf(VornScriptExpressionBase& node) {
    if (node.nodekind == VornScriptNodeKind::variablereference) {
        return true;
    }
    if (node.nodekind != VornScriptNodeKind::constvalue) {
        return false;
    }
    const LiteralCache& cache = literalcache(static_cast<VornScriptConstValue&>(node));
    return cache.isnumber && cache.number.whole;
}

// The operator levels of a pure subtree, 0 for a leaf, -1 when it is none;
// binary nodes remember their answer.
int pureheight(VornScriptExpressionBase& node, int budget) {
    switch (node.nodekind) {
    case VornScriptNodeKind::constvalue: {
        const LiteralCache& cache = literalcache(static_cast<VornScriptConstValue&>(node));
        return cache.isnumber && (cache.number.whole || std::isfinite(cache.number.doublevalue))
                   ? 0
                   : -1;
    }
    case VornScriptNodeKind::variablereference:
        return 0;
    case VornScriptNodeKind::binaryexpression:
        break;
    default:
        return -1;
    }
    auto& binary = static_cast<VornScriptBinaryExpression&>(node);
    if (binary.interpretershape == 0) {
        binary.interpretershape = shapenotpure;
        if (budget > 0 && binary.left && binary.right &&
            (isarithmetic(binary.op) || iscomparison(binary.op))) {
            const int left = pureheight(*binary.left, budget - 1);
            const int right = pureheight(*binary.right, budget - 1);
            if (iswholeleaf(*binary.left) && iswholeleaf(*binary.right)) {
                binary.interpretershape = shapewholeleaves;
            } else if (left >= 0 && right >= 0) {
                binary.interpretershape = static_cast<uint8_t>(1 + std::max(left, right));
            }
        }
    }
    return shapeheight(binary.interpretershape);
}

// Takes back the counts generalnumber gave a pure subtree it evaluated.
void uncount(const VornScriptNodePtr& node) {
    --node->callcount;
    if (node->nodekind == VornScriptNodeKind::binaryexpression) {
        auto& binary = static_cast<VornScriptBinaryExpression&>(*node);
        uncount(binary.left);
        uncount(binary.right);
    }
}

bool generalnumber(VornScriptBinaryExpression& node, VornScriptContextBase& context,
                   NumberResult& number);

// An operand of a pure operator as operandnumber reads it, leaves in place.
// A computed number that is not finite takes the value-based operators, so
// the subtree gives up.
inline bool generaloperand(VornScriptExpressionBase& node, VornScriptContextBase& context,
                           NumberResult& number) {
    switch (node.nodekind) {
    case VornScriptNodeKind::constvalue:
        number = static_cast<const LiteralCache&>(
                     *static_cast<VornScriptConstValue&>(node).interpretervalue)
                     .number;
        break;
    case VornScriptNodeKind::variablereference: {
        VornScriptObjectPtr* slot =
            context.findvariable(static_cast<VornScriptVariableReference&>(node).name);
        if (slot == nullptr || !valuenumber(**slot, number)) {
            return false;
        }
        break;
    }
    default:
        if (!generalnumber(static_cast<VornScriptBinaryExpression&>(node), context, number)) {
            return false;
        }
        if (!number.whole && !std::isfinite(number.doublevalue)) [[unlikely]] {
            uncount(static_cast<VornScriptBinaryExpression&>(node).left);
            uncount(static_cast<VornScriptBinaryExpression&>(node).right);
            return false;
        }
        break;
    }
    ++node.callcount;
    return true;
}

// Evaluates a pure subtree as binaryoperand would, every number read as
// the operators read it, counting each node below [node] once; false, with
// none of them counted, when it has to give up.
bool generalnumber(VornScriptBinaryExpression& node, VornScriptContextBase& context,
                   NumberResult& number) {
    NumberResult a;
    NumberResult b;
    if (!generaloperand(*node.left, context, a)) {
        return false;
    }
    if (!generaloperand(*node.right, context, b)) {
        uncount(node.left);
        return false;
    }
    const TokenKind op = node.op;
    if (isarithmetic(op)) {
        number = a.whole && b.whole
                     ? longoperation(node, op, a.longvalue, b.longvalue, context)
                     : doubleoperation(node, op, a.doublevalue, b.doublevalue, context);
    } else {
        const bool truth = comparenumbers(node, op, a, b, context);
        number = NumberResult{true, truth ? 1 : 0, truth ? 1.0 : 0.0};
    }
    return true;
}

// Evaluates a pure subtree as binaryoperand would, counting each node below
// [node] once; false, with none of them counted, when it has to give up.
bool purenumber(VornScriptBinaryExpression& node, VornScriptContextBase& context,
                NumberResult& number) {
    return runwholenumbercode(node, context, number) || generalnumber(node, context, number);
}

// A leaf of a whole-leaves operator (see shapewholeleaves) as a whole
// number: its literal, or its variable's computed whole number, which the
// operators read as valuenumber does. False for any other content.
inline bool wholeleaf(VornScriptExpressionBase& leaf, VornScriptContextBase& context,
                      int64_t& value) {
    if (leaf.nodekind == VornScriptNodeKind::constvalue) {
        value = static_cast<const LiteralCache&>(
                    *static_cast<VornScriptConstValue&>(leaf).interpretervalue)
                    .number.longvalue;
        return true;
    }
    const VornScriptObjectPtr* slot =
        context.findvariable(static_cast<VornScriptVariableReference&>(leaf).name);
    if (slot == nullptr) {
        return false;
    }
    const VornScriptObjectStringHandler* plain = (*slot)->plainstring();
    if (plain == nullptr || !plain->isnativelong()) {
        return false;
    }
    value = plain->numberreading().longvalue;
    return true;
}

// purenumber of a whole-leaves operator whose leaves read as whole numbers;
// false, with nothing counted, otherwise.
inline bool wholeleaves(VornScriptBinaryExpression& node, VornScriptContextBase& context,
                        NumberResult& number) {
    int64_t a = 0;
    int64_t b = 0;
    if (!wholeleaf(*node.left, context, a) || !wholeleaf(*node.right, context, b)) {
        return false;
    }
    ++node.left->callcount;
    ++node.right->callcount;
    const TokenKind op = node.op;
    if (isarithmetic(op)) {
        number = longoperation(node, op, a, b, context);
    } else {
        const NumberResult left{true, a, static_cast<double>(a)};
        const NumberResult right{true, b, static_cast<double>(b)};
        const bool truth = comparenumbers(node, op, left, right, context);
        number = NumberResult{true, truth ? 1 : 0, truth ? 1.0 : 0.0};
    }
    return true;
}

// Evaluates a pure subtree that fits below the nesting limit (so it cannot
// trip it) natively, [node] itself left for the caller to count; false when
// it is none or gave up, which makes it none from now on.
[[gnu::always_inline]] inline bool trypure(VornScriptBinaryExpression& node,
                                           VornScriptContextBase& context, NumberResult& number) {
    const uint8_t shape = node.interpretershape;
    if (shape == shapenotpure) {
        return false;
    }
    const int height = shape != 0 ? shapeheight(shape) : pureheight(node, maxpureheight);
    if (height <= 0 ||
        context.evaluationdepth + height >= VornScriptContextBase::maxevaluationdepth) {
        return false;
    }
    if (node.interpretershape == shapewholeleaves) {
        if (wholeleaves(node, context, number)) [[likely]] {
            return true;
        }
        // A leaf holding a floating number or a text mostly does so again:
        // the operator is read as any other from now on.
        node.interpretershape = 1;
    }
    if (purenumber(node, context, number)) [[likely]] {
        return true;
    }
    node.interpretershape = shapenotpure;
    return false;
}

// A call of a system function of one number that has a native form, made
// natively when its argument is a number: no argument list, no argument or
// result value. [node] is counted and nested as in the dispatch. Any other
// outcome (another callee meanwhile, an argument that is no number, a result
// that needs the implementation) makes the call with the argument evaluated
// here, so each evaluation happens once. Out of line, so that its locals
// do not weigh on every operand evaluation.
[[gnu::noinline]] void nativenumbercall(VornScriptFunctionCall& node,
                                        VornScriptContextBase& context, VornOperand& operand) {
    ++node.callcount;
    EvaluationDepthGuard guard(context);
    VornOperand argument;
    evaluateoperand(*node.arguments.front(), context, argument);
    context.runpostoperations();
    NumberResult number;
    if (operandnumber(argument, number) && reachessystemfunction(node, context)) {
        const VornNativeNumberFunction& native = node.systemfunction->native;
        const double result = native.function(number.doublevalue);
        if (std::isfinite(result)) {
            context.currentcall = &node;
            setnumber(operand, native.alwaysdouble ? NumberResult{false, 0, snapdouble(result)}
                                                   : numberresult(result));
            return;
        }
    }
    VornArgumentPool::Lease lease(context.argumentpool);
    std::vector<VornScriptObjectPtr>& arguments = lease.list();
    VornScriptObjectPtr value = operandvalue(argument);
    arguments.push_back(value ? std::move(value) : makeundefinedvalue());
    setvalue(operand, callevaluated(node, context, arguments));
}

// A call of a system function with a truth form, its answer kept native
// when the call reaches that function: no result value is made and read
// back. [node] is counted and nested as in the dispatch; the arguments are
// evaluated as for any call, so a call that goes elsewhere after all (a
// function of that name defined meanwhile) is made with them. Out of line,
// as nativenumbercall.
[[gnu::noinline]] void truthcall(VornScriptFunctionCall& node, VornScriptContextBase& context,
                                 VornOperand& operand) {
    ++node.callcount;
    EvaluationDepthGuard guard(context);
    VornArgumentPool::Lease lease(context.argumentpool);
    std::vector<VornScriptObjectPtr>& arguments = lease.list();
    for (const VornScriptNodePtr& argument : node.arguments) {
        VornScriptObjectPtr value = evaluateobject(*argument, context);
        arguments.push_back(value ? std::move(value) : makeundefinedvalue());
    }
    context.runpostoperations();
    if (!reachessystemfunction(node, context)) [[unlikely]] {
        setvalue(operand, callevaluated(node, context, arguments));
        return;
    }
    const VornSystemFunctionSelection& selection = *node.systemfunction;
    while (arguments.size() < selection.parametercount) {
        arguments.push_back(makeundefinedvalue());
    }
    context.currentcall = &node;
    VornScriptObjectPtr unused;
    std::string error;
    VornSystemCall call{context, node.name.text, arguments, unused, error};
    bool truth = false;
    if (!selection.truth(call, truth)) {
        raiseatnode(node, error, &context);
    }
    setbool(operand, truth);
}

// !operand as evaluateunary computes it, the truth kept native. [node] is
// counted and nested as in the dispatch, below the nesting limit (checked by
// the caller), so the guard cannot trip. Out of line: its locals would
// weigh on every other operand.
[[gnu::noinline]] void notoperand(VornScriptUnaryExpression& node, VornScriptContextBase& context,
                                  VornOperand& result) {
    ++node.callcount;
    EvaluationDepthGuard guard(context);
    VornOperand operand;
    evaluateoperand(*node.operand, context, operand);
    bool truth = false;
    if (operand.kind == VornOperand::Kind::number && operand.number.whole) {
        truth = operand.number.longvalue != 0;
    } else {
        const VornScriptObjectPtr value = operandvalue(operand);
        if (!value) {
            failatnode(node, "number required", context);
        }
        std::string error;
        checkatnode(getbool(value, truth, error), node, error, context);
    }
    setbool(result, !truth);
}

} // namespace

VornScriptObjectPtr evaluateconstvalue(VornScriptConstValue& node) {
    const LiteralCache& cache = literalcache(node);
    if (cache.nativelong) {
        return makelongvalue(cache.number.longvalue);
    }
    return makehandlervalue(cache.prepared->duplicate());
}

const VornScriptObjectPtr& sharedliteralvalue(VornScriptConstValue& node) {
    const LiteralCache& cache = literalcache(node);
    if (!cache.shared) {
        const_cast<LiteralCache&>(cache).shared = evaluateconstvalue(node);
    }
    return cache.shared;
}

namespace {

// evaluateobject of a binary operator that is not computed natively, and of
// member and element accesses: the dispatch's work done here, as in
// evaluateoperand, nested below the limit (checked by the caller), so the
// guard cannot trip. Out of line, so that looking up a variable or computing
// a native operator carries none of it.
[[gnu::noinline]] VornScriptObjectPtr evaluateobjectdirectly(VornScriptExpressionBase& node,
                                                             VornScriptContextBase& context) {
    ++node.callcount;
    EvaluationDepthGuard guard(context);
    switch (node.nodekind) {
    case VornScriptNodeKind::binaryexpression: {
        VornOperand result;
        binaryoperand(static_cast<VornScriptBinaryExpression&>(node), context, result);
        return operandvalue(result);
    }
    case VornScriptNodeKind::structuremember:
        return evaluatemember(static_cast<VornScriptStructureMemberReference&>(node), context);
    default:
        return evaluateelement(static_cast<VornScriptVectorReference&>(node), context);
    }
}

} // namespace

VornScriptObjectPtr evaluateobject(VornScriptExpressionBase& node, VornScriptContextBase& context) {
    if (!evaluatesdirectly(context)) [[unlikely]] {
        return evaluatewrapped(node, context);
    }
    switch (node.nodekind) {
    case VornScriptNodeKind::variablereference:
        if (VornScriptObjectPtr* slot =
                context.findvariable(static_cast<VornScriptVariableReference&>(node).name)) {
            ++node.callcount;
            return *slot;
        }
        break;
    case VornScriptNodeKind::binaryexpression: {
        NumberResult number;
        if (trypure(static_cast<VornScriptBinaryExpression&>(node), context, number)) {
            ++node.callcount;
            return makeresultvalue(number);
        }
        // Not native now means not native at a second try either.
        return evaluateobjectdirectly(node, context);
    }
    case VornScriptNodeKind::structuremember:
    case VornScriptNodeKind::vectorreference:
        return evaluateobjectdirectly(node, context);
    default:
        break;
    }
    return evaluatewrapped(node, context);
}

bool evaluatenumber(VornScriptExpressionBase& node, VornScriptContextBase& context,
                    NumberResult& number) {
    if (node.nodekind != VornScriptNodeKind::binaryexpression || !evaluatesdirectly(context) ||
        !trypure(static_cast<VornScriptBinaryExpression&>(node), context, number)) {
        return false;
    }
    ++node.callcount;
    return true;
}

void evaluateoperand(VornScriptExpressionBase& node, VornScriptContextBase& context,
                     VornOperand& operand) {
    if (!evaluatesdirectly(context)) [[unlikely]] {
        setvalue(operand, evaluatewrapped(node, context));
        return;
    }
    switch (node.nodekind) {
    case VornScriptNodeKind::constvalue: {
        auto& literal = static_cast<VornScriptConstValue&>(node);
        const LiteralCache& cache = literalcache(literal);
        ++node.callcount;
        operand.number = cache.number;
        if (cache.nativelong) {
            operand.kind = VornOperand::Kind::number;
        } else {
            operand.kind =
                cache.isnumber ? VornOperand::Kind::literal : VornOperand::Kind::textliteral;
            operand.literal = &literal;
        }
        return;
    }
    case VornScriptNodeKind::variablereference:
        if (VornScriptObjectPtr* slot =
                context.findvariable(static_cast<VornScriptVariableReference&>(node).name)) {
            ++node.callcount;
            setvalue(operand, *slot);
            return;
        }
        break;
    case VornScriptNodeKind::binaryexpression: {
        auto& binary = static_cast<VornScriptBinaryExpression&>(node);
        NumberResult number;
        if (trypure(binary, context, number)) {
            ++node.callcount;
            setnumber(operand, number);
            return;
        }
        // Below the nesting limit (checked above), so the guard cannot trip.
        ++node.callcount;
        EvaluationDepthGuard guard(context);
        binaryoperand(binary, context, operand);
        return;
    }
    case VornScriptNodeKind::functioncall: {
        auto& call = static_cast<VornScriptFunctionCall&>(node);
        if (const VornSystemFunctionSelection* system = call.systemfunction) {
            if (call.arguments.size() == 1 && system->native.function != nullptr) {
                nativenumbercall(call, context, operand);
                return;
            }
            if (system->truth != nullptr) {
                truthcall(call, context, operand);
                return;
            }
        }
        // Below the nesting limit (checked above), as for operators.
        ++node.callcount;
        EvaluationDepthGuard guard(context);
        VornScriptCallResult result;
        evaluatecall(call, context, result);
        if (result.isnumber) {
            setnumber(operand, result.number);
        } else {
            setvalue(operand, std::move(result.value));
        }
        return;
    }
    case VornScriptNodeKind::structuremember:
    case VornScriptNodeKind::vectorreference: {
        // Member and element reads, the dispatch's work done here: counted,
        // nested below the limit (checked above).
        ++node.callcount;
        EvaluationDepthGuard guard(context);
        setvalue(
            operand,
            node.nodekind == VornScriptNodeKind::structuremember
                ? evaluatemember(static_cast<VornScriptStructureMemberReference&>(node), context)
                : evaluateelement(static_cast<VornScriptVectorReference&>(node), context));
        return;
    }
    case VornScriptNodeKind::unaryexpression: {
        auto& unary = static_cast<VornScriptUnaryExpression&>(node);
        if (unary.op == '!' && unary.operand) {
            notoperand(unary, context, operand);
            return;
        }
        break;
    }
    default:
        break;
    }
    setvalue(operand, evaluatewrapped(node, context));
}

VornScriptObjectPtr operandvalue(const VornOperand& operand) {
    switch (operand.kind) {
    case VornOperand::Kind::number:
        return makeresultvalue(operand.number);
    case VornOperand::Kind::literal:
    case VornOperand::Kind::textliteral:
        return evaluateconstvalue(*operand.literal);
    case VornOperand::Kind::value:
        break;
    }
    return operand.value;
}

bool appendoperandinplace(VornScriptObject& left, const VornOperand& right) {
    VornScriptObjectStringHandler* text = left.plainstring();
    if (text == nullptr || left.isconst() ||
        (right.kind == VornOperand::Kind::value && (!right.value || right.value->isnull())) ||
        (left.isnumber() && addsasnumber(right))) {
        return false;
    }
    // The type code is decided before the text changes (see addvalues).
    const bool stringcoded = text->typecode() == VornTypeCode::string || castasstring(right);
    // Appending left to itself reads the text being extended: std::string
    // appends a copy of itself correctly.
    appendoperandtext(
        text->extendabletext(stringcoded ? VornTypeCode::string : VornTypeCode::notset), right);
    return true;
}

bool evaluatecondition(VornScriptExpressionBase& condition, VornScriptContextBase& context) {
    VornOperand operand;
    evaluateoperand(condition, context, operand);
    context.runpostoperations();
    return operandtruth(condition, operand, context);
}

VornScriptObjectPtr evaluatebinary(VornScriptBinaryExpression& node,
                                   VornScriptContextBase& context) {
    NumberResult number;
    if (trypure(node, context, number)) {
        return makeresultvalue(number);
    }
    VornOperand result;
    binaryoperand(node, context, result);
    return operandvalue(result);
}

} // namespace vornscript
