// Evaluation of expression nodes: constants, unary and binary operators,
// casts, variable references, assignments, member and element access,
// collection literals and postfix increments. Variables, members and
// elements yield the variable's own value object (an l-value); everything
// else yields a new value.
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
#include "values/conversions.h"
#include "values/numbers.h"
#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vornscript {
namespace {

[[noreturn]] void fail(const VornScriptExpressionBase& node, const char* phrase,
                       VornScriptContextBase& context) {
    raiseatnode(node, interpretermessage(phrase), &context);
}

// Raises the message of a failed value-layer operation.
void check(bool succeeded, const VornScriptExpressionBase& node, const std::string& error,
           VornScriptContextBase& context) {
    if (!succeeded) [[unlikely]] {
        raiseatnode(node, error, &context);
    }
}

// What the interpreter remembers about a literal: a literal that is the
// plain decimal text of a whole number is made as a native number value, so
// loops over literals neither copy nor re-read the text. [shared] is that
// value made once, for operators, which only read their operands. Any other
// literal keeps [prepared], a text handler whose number reading is already
// made: each evaluation copies it instead of reading the text again.
struct LiteralCache final : VornRefCounted {
    bool nativelong = false;
    int64_t value = 0;
    VornScriptObjectPtr shared;
    VornScriptDataHandlerPtr prepared;
};

const LiteralCache& literalcache(const VornScriptConstValue& node) {
    if (!node.interpretervalue) {
        auto cache = makeref<LiteralCache>();
        if (node.typecode == VornTypeCode::notset) {
            const VornNumberReading reading = readnumbertext(node.text);
            cache->nativelong =
                reading.kind == VornNumberKind::integer && longtext(reading.longvalue) == node.text;
            cache->value = reading.longvalue;
            if (cache->nativelong) {
                cache->shared = makelongvalue(cache->value);
            }
        }
        if (!cache->nativelong) {
            auto prepared = makeref<VornScriptObjectStringHandler>(node.text, node.typecode);
            prepared->numberreading();
            cache->prepared = prepared;
        }
        node.interpretervalue = cache;
    }
    return static_cast<const LiteralCache&>(*node.interpretervalue);
}

// The operand of an operator that only reads it. A whole-number literal
// yields its shared value instead of a new one on every evaluation; it still
// counts as evaluated. Debugger and profiler runs, and evaluations at the
// nesting limit, take the full path.
VornScriptObjectPtr readonlyoperand(VornScriptExpressionBase& child,
                                    VornScriptContextBase& context) {
    if (child.nodekind == VornScriptNodeKind::constvalue && !context.debuggeractive &&
        !context.profilingenabled &&
        context.evaluationdepth < VornScriptContextBase::maxevaluationdepth) {
        const LiteralCache& cache = literalcache(static_cast<VornScriptConstValue&>(child));
        if (cache.shared) {
            ++child.callcount;
            return cache.shared;
        }
    }
    return evaluatewrapped(child, context);
}

struct BuiltinConstant {
    std::string_view name;
    bool isdouble;
    double doublevalue;
    int64_t longvalue;
};

// Constants every script sees when no variable of the name exists; the file
// attribute values are those of the Windows attribute bits.
constexpr BuiltinConstant builtinconstants[] = {
    {"pi", true, 3.141592653589793, 0},
    {"e", true, 2.718281828459045, 0},
    {"FILE_ATTRIBUTE_READONLY", false, 0, 1},
    {"FILE_ATTRIBUTE_HIDDEN", false, 0, 2},
    {"FILE_ATTRIBUTE_SYSTEM", false, 0, 4},
    {"FILE_ATTRIBUTE_DIRECTORY", false, 0, 16},
    {"FILE_ATTRIBUTE_ARCHIVE", false, 0, 32},
    {"FILE_ATTRIBUTE_DEVICE", false, 0, 64},
    {"FILE_ATTRIBUTE_NORMAL", false, 0, 128},
    {"FILE_ATTRIBUTE_TEMPORARY", false, 0, 256},
    {"FILE_ATTRIBUTE_SPARSE_FILE", false, 0, 512},
    {"FILE_ATTRIBUTE_COMPRESSED", false, 0, 2048},
    {"FILE_ATTRIBUTE_OFFLINE", false, 0, 4096},
    {"FILE_ATTRIBUTE_REPARSE_POINT", false, 0, 1024},
    {"FILE_ATTRIBUTE_NOT_CONTENT_INDEXED", false, 0, 8192},
    {"FILE_ATTRIBUTE_ENCRYPTED", false, 0, 16384},
    {"FILE_ATTRIBUTE_VIRTUAL", false, 0, 65536},
};

// The binary operator behind a compound assignment, 0 for none.
TokenKind compoundoperator(TokenKind op) {
    switch (op) {
    case TOKEN_ADDASSIGN:
        return '+';
    case TOKEN_SUBASSIGN:
        return '-';
    case TOKEN_MULASSIGN:
        return '*';
    case TOKEN_DIVASSIGN:
        return '/';
    case TOKEN_MODASSIGN:
        return '%';
    case TOKEN_ORASSIGN:
        return '|';
    case TOKEN_ANDASSIGN:
        return '&';
    case TOKEN_XORASSIGN:
        return '^';
    case TOKEN_SHIFTLEFTASSIGN:
        return TOKEN_SHIFTLEFT;
    case TOKEN_SHIFTRIGHTASSIGN:
        return TOKEN_SHIFTRIGHT;
    default:
        return 0;
    }
}

// left op= right, stored into left. An undefined left counts as 0 for the
// numeric operators and as the empty text for +.
void compoundassign(const VornScriptExpressionBase& node, TokenKind op,
                    const VornScriptObjectPtr& left, const VornScriptObjectPtr& right,
                    VornScriptContextBase& context) {
    std::string error;
    // Fast path: whole numbers in place, without a temporary value.
    int64_t a = 0;
    int64_t b = 0;
    int64_t result = 0;
    if ((op == '+' || op == '-') && left->islong() && right && right->islong() &&
        left->readlong(a) && right->readlong(b) &&
        !(op == '+' ? __builtin_add_overflow(a, b, &result)
                    : __builtin_sub_overflow(a, b, &result))) {
        check(left->setlong(result, error), node, error, context);
        return;
    }
    VornScriptObjectPtr current = left;
    if (left->isnull()) {
        current = op == '+' ? makestringvalue(std::string()) : makelongvalue(0);
    }
    VornScriptObjectPtr value;
    if (op == '+') {
        value = addvalues(node, current, right ? right : makeundefinedvalue(), context);
    } else {
        value = numericoperation(node, op, current, right ? right : makeundefinedvalue(), context);
    }
    check(left->assign(value, error), node, error, context);
}

} // namespace

VornScriptObjectPtr evaluateconstvalue(VornScriptConstValue& node) {
    const LiteralCache& cache = literalcache(node);
    if (cache.nativelong) {
        return makelongvalue(cache.value);
    }
    return makehandlervalue(cache.prepared->duplicate());
}

VornScriptObjectPtr evaluateunary(VornScriptUnaryExpression& node, VornScriptContextBase& context) {
    if (!node.operand) {
        fail(node, "factor missing in expression", context);
    }
    const VornScriptObjectPtr operand = evaluatewrapped(*node.operand, context);
    if (!operand) {
        fail(node, "number required", context);
    }
    std::string error;
    switch (node.op) {
    case '!': {
        bool value = false;
        check(getbool(operand, value, error), node, error, context);
        return makeboolvalue(!value);
    }
    case '~': {
        int64_t value = 0;
        check(getlong(operand, value, error), node, error, context);
        return makelongvalue(~value);
    }
    case '-': {
        if (!operand->isnumber()) {
            fail(node, "number required", context);
        }
        int64_t whole = 0;
        if (operand->islong() && operand->readlong(whole) &&
            whole != std::numeric_limits<int64_t>::min()) {
            return makelongvalue(-whole);
        }
        double value = 0.0;
        check(getdouble(operand, value, error), node, error, context);
        if (value == 0.0) {
            return makelongvalue(0);
        }
        // A plain decimal text keeps its written digits under the sign, so
        // the literal -3.1415 shows "-3.1415" and not the six-decimal form.
        std::string text = operand->tostring();
        if (isplaindecimaltext(text)) {
            return makestringvalue(text.front() == '-' ? text.substr(1) : "-" + text,
                                   VornTypeCode::doublenumber);
        }
        return makenumbervalue(-value);
    }
    default:
        fail(node, "invalid number operation", context);
    }
}

VornScriptObjectPtr evaluatebinary(VornScriptBinaryExpression& node,
                                   VornScriptContextBase& context) {
    if (!node.left) {
        fail(node, "binary expression missing a value at left side", context);
    }
    if (!node.right) {
        fail(node, "binary expression missing a value at right side", context);
    }
    const TokenKind op = node.op;
    // Pattern and list operators get operands of their own; the others only read them.
    const bool readonly = op != TOKEN_MATCHES && op != TOKEN_NOTMATCHES && op != TOKEN_IN;
    // An undefined operand is the empty text for +, stays undefined for == and !=.
    auto operand = [&](VornScriptExpressionBase& child) {
        VornScriptObjectPtr value =
            readonly ? readonlyoperand(child, context) : evaluatewrapped(child, context);
        if (!value || value->isnull()) {
            if (op == '+') {
                return makestringvalue(std::string());
            }
            if (op != TOKEN_EQUAL && op != TOKEN_NOTEQUAL) {
                fail(node, "value is undefined", context);
            }
        }
        return value;
    };
    const VornScriptObjectPtr left = operand(*node.left);
    std::string error;
    if (op == TOKEN_OROR || op == TOKEN_ANDAND) {
        bool leftvalue = false;
        check(getbool(left, leftvalue, error), node, error, context);
        if (leftvalue == (op == TOKEN_OROR)) {
            return makeboolvalue(leftvalue);
        }
        bool rightvalue = false;
        check(getbool(operand(*node.right), rightvalue, error), node, error, context);
        return makeboolvalue(rightvalue);
    }
    const VornScriptObjectPtr right = operand(*node.right);
    switch (op) {
    case '+':
        return addvalues(node, left, right, context);
    case '*':
    case '/':
    case '%':
    case '-':
    case '&':
    case '|':
    case '^':
    case TOKEN_SHIFTLEFT:
    case TOKEN_SHIFTRIGHT:
        return numericoperation(node, op, left, right, context);
    case TOKEN_EQUAL:
    case TOKEN_NOTEQUAL:
    case '<':
    case '>':
    case TOKEN_LESSEQUAL:
    case TOKEN_GREATEREQUAL:
        return makeboolvalue(comparevalues(node, left, right, op, context));
    case TOKEN_MATCHES:
        return makeboolvalue(regexfound(node, left, right, context));
    case TOKEN_NOTMATCHES:
        return makeboolvalue(!regexfound(node, left, right, context));
    case TOKEN_IN:
        return makeboolvalue(listmembership(node, left, right, context));
    default:
        fail(node, "invalid number operation", context);
    }
}

VornScriptObjectPtr evaluatetypecast(VornScriptTypeCastExpression& node,
                                     VornScriptContextBase& context) {
    const VornScriptObjectPtr operand =
        node.operand ? evaluatewrapped(*node.operand, context) : VornScriptObjectPtr();
    if (!operand) {
        fail(node, "number required", context);
    }
    std::string error;
    const std::string& type = node.type;
    if (type == "string") {
        return makestringvalue(operand->tostring(), VornTypeCode::string);
    }
    if (type == "double" || type == "float") {
        double value = 0.0;
        check(getdouble(operand, value, error), node, error, context);
        return makenumbervalue(value);
    }
    if (type == "int" || type == "long") {
        int64_t value = 0;
        check(getlong(operand, value, error), node, error, context);
        return makelongvalue(value);
    }
    VornScriptObjectPtr result;
    if (type == "structure") {
        check(casttostructure(operand, result, error), node, error, context);
        return result;
    }
    if (type == "vector") {
        check(casttovector(operand, result, error), node, error, context);
        return result;
    }
    fail(node, "not implemented", context);
}

VornScriptObjectPtr evaluatevariable(VornScriptVariableReference& node,
                                     VornScriptContextBase& context) {
    if (VornScriptObjectPtr* slot = context.findvariable(node.name)) [[likely]] {
        return *slot;
    }
    VornScriptObjectPtr value;
    std::string error;
    if (context.getvariable(symbolof(node.name), value, error)) {
        return value;
    }
    for (const BuiltinConstant& constant : builtinconstants) {
        if (constant.name == node.name.text) {
            return constant.isdouble ? makedoublevalue(constant.doublevalue)
                                     : makelongvalue(constant.longvalue);
        }
    }
    raiseatnode(node, interpretermessage("variable not defined", node.name.text), &context);
}

void assignbyvalue(const VornScriptExpressionBase& node, const VornScriptObjectPtr& left,
                   const VornScriptObjectPtr& right, VornScriptContextBase& context) {
    std::string error;
    if (!right) {
        check(left->assign(makeundefinedvalue(), error), node, error, context);
        return;
    }
    const int32_t type = right->getobjecttype();
    // A collection nobody else holds (a fresh literal or cast) needs no second copy.
    const bool fresh = right.unique() && right->getdatahandler().unique();
    if ((type == VornObjectType::vector || type == VornObjectType::structure) &&
        !right->copyreference() && !fresh) {
        VornScriptObjectPtr copy;
        check(makervalue(right, copy, error), node, error, context);
        check(left->assign(copy, error), node, error, context);
        return;
    }
    check(left->assign(right, error), node, error, context);
}

VornScriptObjectPtr evaluateassignment(VornScriptAssignmentExpression& node,
                                       VornScriptContextBase& context) {
    if (!node.target) {
        fail(node, "variable expected on left side", context);
    }
    const VornScriptObjectPtr left = evaluatewrapped(*node.target, context);
    if (!left || !left->islvalue()) {
        fail(node, "variable expected on left side", context);
    }
    const VornScriptObjectPtr right =
        node.value ? evaluatewrapped(*node.value, context) : VornScriptObjectPtr();
    if (left->isconst()) {
        fail(node, "const object must not be changed", context);
    }
    std::string error;
    if (node.op == '=') {
        assignbyvalue(node, left, right, context);
    } else if (node.op == TOKEN_ASSIGNREFERENCE) {
        // An undefined source has no content to share yet; give it an empty
        // text, so later assignments through either name reach both.
        if (right && right->isnull() && right != left) {
            check(right->setstring(std::string(), error), node, error, context);
        }
        check(left->assignreference(right, error), node, error, context);
    } else if (const TokenKind op = compoundoperator(node.op)) {
        compoundassign(node, op, left, right, context);
    } else {
        fail(node, "not implemented", context);
    }
    return left;
}

VornScriptObjectPtr evaluatemember(VornScriptStructureMemberReference& node,
                                   VornScriptContextBase& context) {
    if (node.membername.empty() && !node.memberkey) {
        fail(node, "member name expected", context);
    }
    const VornScriptObjectPtr structure =
        node.structure ? evaluatewrapped(*node.structure, context) : VornScriptObjectPtr();
    if (!structure) {
        fail(node, "structure variable expected", context);
    }
    std::string error;
    if (structure->isnull()) {
        check(structure->assign(makevalueoftype(VornObjectType::structure), error), node, error,
              context);
    }
    if (structure->getobjecttype() != VornObjectType::structure) {
        fail(node, "structure variable expected", context);
    }
    std::string key = node.membername;
    if (node.memberkey) {
        const VornScriptObjectPtr keyvalue = evaluatewrapped(*node.memberkey, context);
        key = keyvalue ? keyvalue->tostring() : std::string();
    }
    VornScriptObjectPtr member;
    check(structure->accessstructuremember(key, member, error), node, error, context);
    member->setname(structure->getname() + "." + key);
    return member;
}

VornScriptObjectPtr evaluateelement(VornScriptVectorReference& node,
                                    VornScriptContextBase& context) {
    if (!node.vector) {
        fail(node, "vector variable expected", context);
    }
    if (!node.index) {
        fail(node, "vector index expected", context);
    }
    const VornScriptObjectPtr collection = evaluatewrapped(*node.vector, context);
    if (!collection) {
        fail(node, "vector variable expected", context);
    }
    const VornScriptObjectPtr index = evaluatewrapped(*node.index, context);
    if (!index) {
        fail(node, "vector index expected", context);
    }
    index->normalize();
    std::string error;
    int32_t type = collection->getobjecttype();
    if (type != VornObjectType::vector && type != VornObjectType::structure) {
        int64_t unused = 0;
        type = index->readlong(unused) ? VornObjectType::vector : VornObjectType::structure;
        check(collection->assign(makevalueoftype(type), error), node, error, context);
    }
    const std::string indextext = index->tostring();
    VornScriptObjectPtr element;
    if (type == VornObjectType::structure) {
        check(collection->accessstructuremember(indextext, element, error), node, error, context);
    } else {
        int64_t position = 0;
        check(getlong(index, position, error), node, error, context);
        if (position < 0) {
            // Reported where the index is written, as the index is at fault.
            fail(node.index ? *node.index : node, "vector index must be a positive number",
                 context);
        }
        check(collection->accessvectorelement(position, element, error), node, error, context);
    }
    element->setname(collection->getname() + "[" + indextext + "]");
    return element;
}

VornScriptObjectPtr evaluatecollection(VornScriptCollectionInit& node,
                                       VornScriptContextBase& context) {
    std::string error;
    VornScriptObjectList values;
    values.reserve(node.items.size());
    for (VornScriptItemInit& item : node.items) {
        const VornScriptObjectPtr value =
            item.value ? evaluatewrapped(*item.value, context) : VornScriptObjectPtr();
        VornScriptObjectPtr copy;
        check(makervalue(value ? value : makeundefinedvalue(), copy, error), node, error, context);
        // Elements are places scripts assign to.
        copy->setlvalue(true);
        values.push_back(std::move(copy));
        context.runpostoperations();
    }
    if (!node.isstructure) {
        return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(values)));
    }
    VornScriptMemberMap members;
    for (size_t index = 0; index < values.size(); ++index) {
        members[node.items[index].key] = std::move(values[index]);
    }
    return makehandlervalue(makeref<VornScriptObjectStructureHandler>(std::move(members)));
}

VornScriptObjectPtr evaluatepostexpression(VornScriptPostExpression& node,
                                           VornScriptContextBase& context) {
    const VornScriptObjectPtr operand =
        node.operand ? evaluatewrapped(*node.operand, context) : VornScriptObjectPtr();
    if (!operand) {
        fail(node, "variable expected on left side", context);
    }
    context.addpostoperation(VornScriptPostOperation{operand, node.op, &node});
    if (node.valueunused) {
        return {};
    }
    VornScriptObjectPtr copy;
    std::string error;
    check(makervalue(operand, copy, error), node, error, context);
    return copy;
}

void applypostoperation(const VornScriptPostOperation& operation, VornScriptContextBase& context) {
    const VornScriptExpressionBase& node = *operation.node;
    if (operation.target->isconst()) {
        fail(node, "const object must not be changed", context);
    }
    const VornScriptObjectPtr& target = operation.target;
    const int64_t delta = operation.op == TOKEN_INCREMENT ? 1 : -1;
    int64_t value = 0;
    int64_t result = 0;
    std::string error;
    if (target->islong() && target->readlong(value) &&
        !__builtin_add_overflow(value, delta, &result)) {
        check(target->setlong(result, error), node, error, context);
        return;
    }
    compoundassign(node, delta > 0 ? '+' : '-', target, makelongvalue(1), context);
}

} // namespace vornscript
