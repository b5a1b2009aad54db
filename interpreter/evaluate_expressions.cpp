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

#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <string_view>

namespace vornscript {
namespace {

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

// Stores a computed number into the variable, as assigning its value would;
// storenumber below takes the usual case inline.
[[gnu::noinline]] void storenumberslow(const VornScriptExpressionBase& node,
                                       const VornScriptObjectPtr& target,
                                       const NumberResult& number, VornScriptContextBase& context) {
    std::string error;
    checkatnode(number.whole ? target->setlong(number.longvalue, error)
                             : target->setdouble(VornSnappedDouble{number.doublevalue}, error),
                node, error, context);
}

// Stores a computed number into the target value; a whole number into a
// changeable plain text value, the usual case of a loop's counters and sums,
// is written to its handler inline, as VornScriptObject::setlong would.
inline void storenumber(const VornScriptExpressionBase& node, const VornScriptObjectPtr& target,
                        const NumberResult& number, VornScriptContextBase& context) {
    if (number.whole && !target->isconst()) [[likely]] {
        if (VornScriptObjectStringHandler* plain = target->plainstring()) [[likely]] {
            plain->setlong(number.longvalue);
            return;
        }
    }
    storenumberslow(node, target, number, context);
}

// left op= right, stored into left. An undefined left counts as 0 for the
// numeric operators and as the empty text for +.
void compoundassign(const VornScriptExpressionBase& node, TokenKind op,
                    const VornScriptObjectPtr& left, const VornOperand& right,
                    VornScriptContextBase& context) {
    // Fast path: two numbers, the result stored in place without a value.
    NumberResult a;
    NumberResult b;
    if (valuenumber(*left, a) && operandnumber(right, b)) {
        storenumber(node, left,
                    a.whole && b.whole
                        ? longoperation(node, op, a.longvalue, b.longvalue, context)
                        : doubleoperation(node, op, a.doublevalue, b.doublevalue, context),
                    context);
        return;
    }
    if (op == '+' && appendoperandinplace(*left, right)) {
        return;
    }
    VornScriptObjectPtr current = left;
    if (left->isnull()) {
        current = op == '+' ? makestringvalue(std::string()) : makelongvalue(0);
    }
    VornScriptObjectPtr rightvalue = operandvalue(right);
    if (!rightvalue) {
        rightvalue = makeundefinedvalue();
    }
    VornScriptObjectPtr value;
    if (op == '+') {
        value = addvalues(node, current, rightvalue, context);
    } else {
        value = numericoperation(node, op, current, rightvalue, context);
    }
    std::string error;
    checkatnode(left->assign(value, error), node, error, context);
}

// A collection that is neither vector nor structure becomes one: a vector
// when the index reads as a whole number, else a structure.
[[gnu::noinline]] int32_t makecollection(const VornScriptExpressionBase& node,
                                         const VornScriptObjectPtr& collection, bool wholeindex,
                                         VornScriptContextBase& context) {
    const int32_t made = wholeindex ? VornObjectType::vector : VornObjectType::structure;
    std::string error;
    checkatnode(collection->assign(makevalueoftype(made), error), node, error, context);
    return made;
}

// The collection's type, made first when it is neither (rare: out of line).
inline int32_t collectiontype(const VornScriptExpressionBase& node,
                              const VornScriptObjectPtr& collection, bool wholeindex,
                              VornScriptContextBase& context) {
    const int32_t type = collection->getobjecttype();
    if (type == VornObjectType::vector || type == VornObjectType::structure) {
        return type;
    }
    return makecollection(node, collection, wholeindex, context);
}

// The member named key of a structure, created when missing, and named.
VornScriptObjectPtr memberof(const VornScriptStructureMemberReference& node,
                             const VornScriptObjectPtr& structure, const std::string& key,
                             VornScriptContextBase& context) {
    // An existing member of a plain structure is found without the general
    // path (which creates a missing one).
    VornScriptDataHandler* handler = structure->getdatahandler().get();
    VornScriptMemberEntry* entry =
        handler != nullptr && handler->handlerkind() == VornHandlerKind::plainstructure
            ? static_cast<VornScriptObjectStructureHandler*>(handler)->findmember(key)
            : nullptr;
    VornScriptObjectPtr member;
    if (entry != nullptr && entry->second) {
        member = entry->second;
    } else {
        std::string error;
        checkatnode(structure->accessstructuremember(key, member, error), node, error, context);
    }
    member->setpathname(*structure, '.', key, 0);
    return member;
}

// collection[index] for an index that is a computed whole number.
VornScriptObjectPtr elementatposition(VornScriptVectorReference& node,
                                      const VornScriptObjectPtr& collection, int64_t position,
                                      VornScriptContextBase& context) {
    std::string error;
    VornScriptObjectPtr element;
    if (collectiontype(node, collection, true, context) == VornObjectType::structure) {
        char buffer[24];
        const auto written = std::to_chars(buffer, buffer + sizeof buffer, position);
        const std::string key(buffer, written.ptr);
        checkatnode(collection->accessstructuremember(key, element, error), node, error, context);
        element->setpathname(*collection, '[', key, ']');
        return element;
    }
    if (position < 0) {
        // Reported where the index is written, as the index is at fault.
        failatnode(*node.index, "vector index must be a positive number", context);
    }
    VornScriptDataHandler* handler = collection->getdatahandler().get();
    if (handler != nullptr && handler->handlerkind() == VornHandlerKind::plainvector &&
        static_cast<uint64_t>(position) <
            static_cast<VornScriptObjectVectorHandler*>(handler)->slots().size()) {
        element = VornScriptObjectPtr(static_cast<VornScriptObjectVectorHandler*>(handler)->placeat(
            static_cast<size_t>(position)));
    } else {
        checkatnode(collection->accessvectorelement(position, element, error), node, error,
                    context);
    }
    element->setelementname(*collection, position);
    return element;
}

// collection[index] for any other index value, named by the index's text.
VornScriptObjectPtr elementatindex(VornScriptVectorReference& node,
                                   const VornScriptObjectPtr& collection,
                                   const VornScriptObjectPtr& index,
                                   VornScriptContextBase& context) {
    index->normalize();
    int64_t unused = 0;
    const int32_t type = collectiontype(node, collection, index->readlong(unused), context);
    const std::string indextext = index->tostring();
    std::string error;
    VornScriptObjectPtr element;
    if (type == VornObjectType::structure) {
        checkatnode(collection->accessstructuremember(indextext, element, error), node, error,
                    context);
    } else {
        int64_t position = 0;
        checkatnode(getlong(index, position, error), node, error, context);
        if (position < 0) {
            failatnode(*node.index, "vector index must be a positive number", context);
        }
        checkatnode(collection->accessvectorelement(position, element, error), node, error,
                    context);
    }
    element->setpathname(*collection, '[', indextext, ']');
    return element;
}

} // namespace

VornScriptObjectPtr evaluateunary(VornScriptUnaryExpression& node, VornScriptContextBase& context) {
    if (!node.operand) {
        failatnode(node, "factor missing in expression", context);
    }
    const VornScriptObjectPtr operand = evaluateobject(*node.operand, context);
    if (!operand) {
        failatnode(node, "number required", context);
    }
    std::string error;
    switch (node.op) {
    case '!': {
        bool value = false;
        checkatnode(getbool(operand, value, error), node, error, context);
        return makeboolvalue(!value);
    }
    case '~': {
        int64_t value = 0;
        checkatnode(getlong(operand, value, error), node, error, context);
        return makelongvalue(~value);
    }
    case '-': {
        if (!operand->isnumber()) {
            failatnode(node, "number required", context);
        }
        int64_t whole = 0;
        if (operand->islong() && operand->readlong(whole) &&
            whole != std::numeric_limits<int64_t>::min()) {
            return makelongvalue(-whole);
        }
        double value = 0.0;
        checkatnode(getdouble(operand, value, error), node, error, context);
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
        failatnode(node, "invalid number operation", context);
    }
}

VornScriptObjectPtr evaluatetypecast(VornScriptTypeCastExpression& node,
                                     VornScriptContextBase& context) {
    const VornScriptObjectPtr operand =
        node.operand ? evaluateobject(*node.operand, context) : VornScriptObjectPtr();
    if (!operand) {
        failatnode(node, "number required", context);
    }
    std::string error;
    const std::string& type = node.type;
    if (type == "string") {
        return makestringvalue(operand->tostring(), VornTypeCode::string);
    }
    if (type == "double" || type == "float") {
        double value = 0.0;
        checkatnode(getdouble(operand, value, error), node, error, context);
        return makenumbervalue(value);
    }
    if (type == "int" || type == "long") {
        int64_t value = 0;
        checkatnode(getlong(operand, value, error), node, error, context);
        return makelongvalue(value);
    }
    VornScriptObjectPtr result;
    if (type == "structure") {
        checkatnode(casttostructure(operand, result, error), node, error, context);
        return result;
    }
    if (type == "vector") {
        checkatnode(casttovector(operand, result, error), node, error, context);
        return result;
    }
    failatnode(node, "not implemented", context);
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
        checkatnode(left->assign(makeundefinedvalue(), error), node, error, context);
        return;
    }
    const int32_t type = right->getobjecttype();
    // A collection nobody else holds (a fresh literal or cast) needs no second copy.
    const bool fresh = right.unique() && right->getdatahandler().unique();
    if ((type == VornObjectType::vector || type == VornObjectType::structure) &&
        !right->copyreference() && !fresh) {
        VornScriptObjectPtr copy;
        checkatnode(makervalue(right, copy, error), node, error, context);
        checkatnode(left->assign(copy, error), node, error, context);
        return;
    }
    checkatnode(left->assign(right, error), node, error, context);
}

VornScriptObjectPtr evaluateassignment(VornScriptAssignmentExpression& node,
                                       VornScriptContextBase& context) {
    if (!node.target) {
        failatnode(node, "variable expected on left side", context);
    }
    const VornScriptObjectPtr left = evaluateobject(*node.target, context);
    if (!left || !left->islvalue()) {
        failatnode(node, "variable expected on left side", context);
    }
    // The value as an operand: a computed number is stored without a value.
    VornOperand operand;
    if (node.value) {
        evaluateoperand(*node.value, context, operand);
    }
    if (left->isconst()) {
        failatnode(node, "const object must not be changed", context);
    }
    if (node.op == '=' && operand.kind == VornOperand::Kind::number) {
        storenumber(node, left, operand.number, context);
        return left;
    }
    if (const TokenKind op = compoundoperator(node.op)) {
        compoundassign(node, op, left, operand, context);
        return left;
    }
    const VornScriptObjectPtr right = operandvalue(operand);
    std::string error;
    if (node.op == '=') {
        assignbyvalue(node, left, right, context);
    } else if (node.op == TOKEN_ASSIGNREFERENCE) {
        // An undefined source has no content to share yet; give it an empty
        // text, so later assignments through either name reach both.
        if (right && right->isnull() && right != left) {
            checkatnode(right->setstring(std::string(), error), node, error, context);
        }
        checkatnode(left->assignreference(right, error), node, error, context);
    } else {
        failatnode(node, "not implemented", context);
    }
    return left;
}

VornScriptObjectPtr evaluatemember(VornScriptStructureMemberReference& node,
                                   VornScriptContextBase& context) {
    if (node.membername.empty() && !node.memberkey) {
        failatnode(node, "member name expected", context);
    }
    const VornScriptObjectPtr structure =
        node.structure ? evaluatechild(*node.structure, context) : VornScriptObjectPtr();
    if (!structure) {
        failatnode(node, "structure variable expected", context);
    }
    if (structure->isnull()) {
        std::string error;
        checkatnode(structure->assign(makevalueoftype(VornObjectType::structure), error), node,
                    error, context);
    }
    if (structure->getobjecttype() != VornObjectType::structure) {
        failatnode(node, "structure variable expected", context);
    }
    if (!node.memberkey) {
        return memberof(node, structure, node.membername, context);
    }
    // A computed key that is a plain text is used in place, not copied.
    const VornScriptObjectPtr key = evaluatechild(*node.memberkey, context);
    if (const VornScriptObjectStringHandler* plain =
            key && key->getobjecttype() == VornObjectType::string ? key->plainstring() : nullptr) {
        return memberof(node, structure, plain->text(), context);
    }
    return memberof(node, structure, key ? key->tostring() : std::string(), context);
}

VornScriptObjectPtr evaluateelement(VornScriptVectorReference& node,
                                    VornScriptContextBase& context) {
    if (!node.vector) {
        failatnode(node, "vector variable expected", context);
    }
    if (!node.index) {
        failatnode(node, "vector index expected", context);
    }
    const VornScriptObjectPtr collection = evaluatechild(*node.vector, context);
    if (!collection) {
        failatnode(node, "vector variable expected", context);
    }
    // The index as an operand: a computed whole number makes no value.
    VornOperand index;
    evaluateoperand(*node.index, context, index);
    if (index.kind == VornOperand::Kind::number && index.number.whole) {
        return elementatposition(node, collection, index.number.longvalue, context);
    }
    if (index.kind != VornOperand::Kind::value) {
        return elementatindex(node, collection, operandvalue(index), context);
    }
    if (!index.value) {
        failatnode(node, "vector index expected", context);
    }
    // A computed whole number in a value is in canonical form already.
    const VornScriptObjectStringHandler* plain = index.value->plainstring();
    if (plain != nullptr && plain->isnativelong()) {
        return elementatposition(node, collection, plain->numberreading().longvalue, context);
    }
    return elementatindex(node, collection, index.value, context);
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
        checkatnode(makervalue(value ? value : makeundefinedvalue(), copy, error), node, error,
                    context);
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
        node.operand ? evaluateobject(*node.operand, context) : VornScriptObjectPtr();
    if (!operand) {
        failatnode(node, "variable expected on left side", context);
    }
    if (node.valueunused) {
        // A step of a for loop: nothing of its statement runs after it, so
        // with no other operation pending it is carried out at once.
        VornScriptPostOperation operation{operand, node.op, &node};
        if (context.debuggeractive || context.haspendingpostoperations()) {
            context.addpostoperation(std::move(operation));
        } else {
            applypostoperation(operation, context);
        }
        return {};
    }
    context.addpostoperation(VornScriptPostOperation{operand, node.op, &node});
    VornScriptObjectPtr copy;
    std::string error;
    checkatnode(makervalue(operand, copy, error), node, error, context);
    return copy;
}

void applypostoperation(const VornScriptPostOperation& operation, VornScriptContextBase& context) {
    const VornScriptExpressionBase& node = *operation.node;
    if (operation.target->isconst()) {
        failatnode(node, "const object must not be changed", context);
    }
    const VornScriptObjectPtr& target = operation.target;
    const int64_t delta = operation.op == TOKEN_INCREMENT ? 1 : -1;
    int64_t result = 0;
    // A loop counter: a computed whole number in a plain text value, stepped
    // in its handler as setlong would.
    if (VornScriptObjectStringHandler* plain = target->plainstring();
        plain != nullptr && plain->isnativelong() &&
        !__builtin_add_overflow(plain->numberreading().longvalue, delta, &result)) [[likely]] {
        plain->setlong(result);
        return;
    }
    int64_t value = 0;
    std::string error;
    if (target->islong() && target->readlong(value) &&
        !__builtin_add_overflow(value, delta, &result)) {
        checkatnode(target->setlong(result, error), node, error, context);
        return;
    }
    VornOperand one;
    one.kind = VornOperand::Kind::number;
    one.number = NumberResult{true, 1, 1.0};
    compoundassign(node, delta > 0 ? '+' : '-', target, one, context);
}

} // namespace vornscript
