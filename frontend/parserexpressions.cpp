// The expression half of the parser: assignment, conditional, the binary
// levels (one precedence table, precedence climbing), prefix, postfix and
// primary expressions, collection literals and the expansion of ranges.
#include "frontend/parser.h"

namespace vornscript {

namespace {

// Binary operators and their binding levels, loosest (1) to tightest.
struct BinaryOperator {
    TokenKind op;
    int level;
};
constexpr BinaryOperator binaryoperators[] = {
    {TOKEN_OROR, 1},
    {TOKEN_ANDAND, 2},
    {'|', 3},
    {'^', 4},
    {'&', 5},
    {TOKEN_EQUAL, 6},
    {TOKEN_NOTEQUAL, 6},
    {TOKEN_MATCHES, 6},
    {TOKEN_NOTMATCHES, 6},
    {TOKEN_IN, 6},
    {'<', 7},
    {'>', 7},
    {TOKEN_LESSEQUAL, 7},
    {TOKEN_GREATEREQUAL, 7},
    {TOKEN_SHIFTLEFT, 8},
    {TOKEN_SHIFTRIGHT, 8},
    {'+', 9},
    {'-', 9},
    {'*', 10},
    {'/', 10},
    {'%', 10},
};
constexpr int loosestbinarylevel = 1;

// The binding level of [kind] as a binary operator; 0 when it is none.
int binarylevel(TokenKind kind) {
    for (const BinaryOperator& entry : binaryoperators) {
        if (entry.op == kind) {
            return entry.level;
        }
    }
    return 0;
}

constexpr TokenKind assignmentoperators[] = {
    '=',
    TOKEN_ASSIGNREFERENCE,
    TOKEN_ADDASSIGN,
    TOKEN_SUBASSIGN,
    TOKEN_MULASSIGN,
    TOKEN_DIVASSIGN,
    TOKEN_MODASSIGN,
    TOKEN_ORASSIGN,
    TOKEN_ANDASSIGN,
    TOKEN_XORASSIGN,
    TOKEN_SHIFTLEFTASSIGN,
    TOKEN_SHIFTRIGHTASSIGN,
};

bool isassignmentoperator(TokenKind kind) {
    for (TokenKind op : assignmentoperators) {
        if (op == kind) {
            return true;
        }
    }
    return false;
}

} // namespace

// ---- expressions ----

VornScriptNodePtr VornScriptParser::expressionlist() {
    const VornScriptSourcePosition start = mark();
    VornScriptNodePtr first = assignment();
    if (scanner_.kind() != ',') {
        return first;
    }
    VornScriptStatementsPtr list = makeref<VornScriptStatements>();
    list->append(std::move(first));
    while (scanner_.kind() == ',') {
        scanner_.next();
        list->append(assignment());
    }
    return located(list, start);
}

VornScriptNodePtr VornScriptParser::assignment() {
    const VornScriptSourcePosition start = mark();
    VornScriptNodePtr target = conditional();
    const TokenKind op = scanner_.kind();
    if (!isassignmentoperator(op)) {
        return target;
    }
    scanner_.next();
    NestingGuard guard(*this);
    guard.deepen();
    VornScriptNodePtr value = assignment();
    return located(makeref<VornScriptAssignmentExpression>(op, std::move(target), std::move(value)),
                   start);
}

VornScriptNodePtr VornScriptParser::conditional() {
    NestingGuard guard(*this);
    guard.deepen();
    const VornScriptSourcePosition start = mark();
    VornScriptNodePtr condition = binary(loosestbinarylevel);
    if (scanner_.kind() != '?') {
        return condition;
    }
    scanner_.next();
    VornScriptNodePtr truebranch = conditional();
    if (scanner_.kind() != ':') {
        fail("operator ? requires colon");
    }
    scanner_.next();
    VornScriptNodePtr falsebranch = conditional();
    return located(makeref<VornScriptIfThenElse>('?', std::move(condition), std::move(truebranch),
                                                 std::move(falsebranch)),
                   start);
}

// Operators of [level] and tighter; left-associative within a level.
VornScriptNodePtr VornScriptParser::binary(int level) {
    NestingGuard guard(*this);
    const VornScriptSourcePosition start = mark();
    VornScriptNodePtr left = prefix();
    for (;;) {
        const TokenKind op = scanner_.kind();
        const int oplevel = binarylevel(op);
        if (oplevel == 0 || oplevel < level) {
            return left;
        }
        scanner_.next();
        VornScriptNodePtr right = binary(oplevel + 1);
        left = located(makeref<VornScriptBinaryExpression>(op, std::move(left), std::move(right)),
                       start);
        guard.deepen();
    }
}

VornScriptNodePtr VornScriptParser::prefix() {
    NestingGuard guard(*this);
    const VornScriptSourcePosition start = mark();
    const TokenKind kind = scanner_.kind();
    switch (kind) {
    case '+':
        scanner_.next();
        guard.deepen();
        return prefix();
    case '!':
    case '-':
    case '~': {
        scanner_.next();
        guard.deepen();
        VornScriptNodePtr operand = prefix();
        return located(makeref<VornScriptUnaryExpression>(kind, std::move(operand)), start);
    }
    case TOKEN_INCREMENT:
    case TOKEN_DECREMENT: {
        // ++x is x += 1 and --x is x -= 1: the value is the variable itself.
        VornScriptNodePtr one = makeref<VornScriptConstValue>("1", 0);
        one->setsource(scanner_.source(), start, start.charpos + 2);
        scanner_.next();
        guard.deepen();
        VornScriptNodePtr operand = prefix();
        const TokenKind op = kind == TOKEN_INCREMENT ? TOKEN_ADDASSIGN : TOKEN_SUBASSIGN;
        return located(
            makeref<VornScriptAssignmentExpression>(op, std::move(operand), std::move(one)), start);
    }
    case '(': {
        scanner_.next();
        if (scanner_.kind() == TOKEN_IDENTIFIER && VornScriptScanner::iscasttype(scanner_.text())) {
            std::string type = takeidentifier();
            scanner_.expect(')');
            guard.deepen();
            VornScriptNodePtr operand = prefix();
            return located(
                makeref<VornScriptTypeCastExpression>(std::move(type), std::move(operand)), start);
        }
        VornScriptNodePtr inner = expressionlist();
        if (scanner_.kind() != ')') {
            fail("missing closing )");
        }
        scanner_.next();
        return postfix(std::move(inner), start);
    }
    default:
        return postfix(primary(), start);
    }
}

VornScriptNodePtr VornScriptParser::postfix(VornScriptNodePtr operand,
                                            const VornScriptSourcePosition& start) {
    NestingGuard guard(*this);
    for (;;) {
        const TokenKind kind = scanner_.kind();
        switch (kind) {
        case TOKEN_LITERAL:
        case TOKEN_NUMBER:
        case TOKEN_IDENTIFIER:
            fail("operator or semicolon expected");
        case '.': {
            scanner_.next();
            if (scanner_.kind() != TOKEN_IDENTIFIER) {
                fail("expected function call or structure key name");
            }
            std::string name = takeidentifier();
            if (scanner_.kind() == '(') {
                // x.name(args) calls name(x, args).
                scanner_.next();
                VornScriptNodeList arguments;
                arguments.push_back(std::move(operand));
                arguments = callarguments(std::move(arguments));
                operand = located(
                    makeref<VornScriptFunctionCall>(std::move(name), std::move(arguments)), start);
                break;
            }
            refusenamespace(name, "structure member name may not contain name space operator");
            operand = located(makeref<VornScriptStructureMemberReference>(std::move(operand),
                                                                          std::move(name), nullptr),
                              start);
            break;
        }
        case '[': {
            scanner_.next();
            VornScriptNodePtr index = expressionlist();
            scanner_.expect(']');
            operand = located(
                makeref<VornScriptVectorReference>(std::move(operand), std::move(index)), start);
            break;
        }
        case '{': {
            scanner_.next();
            VornScriptNodePtr key = expressionlist();
            scanner_.expect('}');
            operand = located(
                makeref<VornScriptStructureMemberReference>(std::move(operand), "", std::move(key)),
                start);
            break;
        }
        case TOKEN_INCREMENT:
        case TOKEN_DECREMENT:
            scanner_.next();
            operand = located(makeref<VornScriptPostExpression>(kind, std::move(operand)), start);
            break;
        default:
            return operand;
        }
        guard.deepen();
    }
}

VornScriptNodeList VornScriptParser::callarguments(VornScriptNodeList arguments) {
    if (scanner_.kind() != ')') {
        for (;;) {
            arguments.push_back(assignment());
            if (scanner_.kind() != ',') {
                break;
            }
            scanner_.next();
        }
    }
    scanner_.expect(')');
    return arguments;
}

VornScriptNodePtr VornScriptParser::primary() {
    const VornScriptSourcePosition start = mark();
    switch (scanner_.kind()) {
    case TOKEN_NUMBER: {
        std::string number = takeidentifier();
        return located(makeref<VornScriptConstValue>(std::move(number), 0), start);
    }
    case TOKEN_LITERAL:
        return literal(takeidentifier(), start);
    case TOKEN_TRUE:
    case TOKEN_FALSE: {
        const char* value = scanner_.kind() == TOKEN_TRUE ? "1" : "0";
        scanner_.next();
        return located(makeref<VornScriptConstValue>(value, 0), start);
    }
    case TOKEN_NULL:
        scanner_.next();
        return located(makeref<VornScriptConstNull>(), start);
    case TOKEN_IDENTIFIER: {
        std::string name = takeidentifier();
        if (scanner_.kind() == '(') {
            scanner_.next();
            VornScriptNodeList arguments = callarguments({});
            return located(makeref<VornScriptFunctionCall>(std::move(name), std::move(arguments)),
                           start);
        }
        return located(makeref<VornScriptVariableReference>(std::move(name)), start);
    }
    case '{':
        scanner_.next();
        return structureliteral(start);
    case '[':
        scanner_.next();
        return vectorliteral(start);
    default:
        failunexpectedtoken();
    }
}

VornScriptNodePtr VornScriptParser::structureliteral(const VornScriptSourcePosition& start) {
    std::vector<VornScriptItemInit> items;
    while (scanner_.kind() != '}' && scanner_.kind() != TOKEN_ENDOFFILE) {
        const TokenKind kind = scanner_.kind();
        if (kind == TOKEN_IDENTIFIER) {
            refusenamespace(scanner_.text(), "structure field name does not allow ::");
        } else if (kind != TOKEN_LITERAL && kind != TOKEN_NUMBER) {
            failunexpectedtoken();
        }
        std::string key = takeidentifier();
        scanner_.expect(':');
        items.push_back({std::move(key), conditional()});
        if (scanner_.kind() != ';' && scanner_.kind() != ',') {
            break;
        }
        scanner_.next();
    }
    scanner_.expect('}');
    return located(makeref<VornScriptCollectionInit>(true, std::move(items)), start);
}

VornScriptNodePtr VornScriptParser::vectorliteral(const VornScriptSourcePosition& start) {
    std::vector<VornScriptItemInit> items;
    while (scanner_.kind() != ']' && scanner_.kind() != TOKEN_ENDOFFILE) {
        const VornScriptSourcePosition elementstart = mark();
        VornScriptNodePtr element = conditional();
        if (scanner_.kind() == TOKEN_RANGE) {
            scanner_.next();
            VornScriptNodePtr till = assignment();
            expandrange(*element, *till, elementstart, items);
        } else {
            items.push_back({std::to_string(items.size()), std::move(element)});
        }
        if (scanner_.kind() != ',') {
            break;
        }
        scanner_.next();
    }
    scanner_.expect(']');
    return located(makeref<VornScriptCollectionInit>(false, std::move(items)), start);
}

// Replaces "from..till" by its elements: whole numbers, or single characters
// compared as signed bytes. The elements carry the range's source.
void VornScriptParser::expandrange(const VornScriptExpressionBase& from,
                                   const VornScriptExpressionBase& till,
                                   const VornScriptSourcePosition& start,
                                   std::vector<VornScriptItemInit>& items) {
    const std::optional<VornScriptConstantResult> first = evaluator_->evaluateconstant(from);
    const std::optional<VornScriptConstantResult> last = evaluator_->evaluateconstant(till);
    if (!first || !last) {
        fail("constant number expression expected in number range");
    }
    auto countelements = [&](uint64_t span) {
        // [span] is last - first, so the range holds span + 1 elements.
        if (span >= maxrangeelements || expandedelements_ + span >= maxrangeelements) {
            fail("number range too large");
        }
        expandedelements_ += span + 1;
    };
    if (first->iswhole && last->iswhole) {
        if (first->whole > last->whole) {
            fail("invalid number range");
        }
        countelements(static_cast<uint64_t>(last->whole) - static_cast<uint64_t>(first->whole));
        for (int64_t value = first->whole;; ++value) {
            VornScriptNodePtr element =
                located(makeref<VornScriptConstValue>(std::to_string(value), 0), start);
            items.push_back({std::to_string(items.size()), std::move(element)});
            if (value == last->whole) {
                break;
            }
        }
        return;
    }
    if (first->text.size() != 1 || last->text.size() != 1 ||
        static_cast<signed char>(first->text[0]) > static_cast<signed char>(last->text[0])) {
        fail("invalid character range");
    }
    const int firstcode = static_cast<signed char>(first->text[0]);
    const int lastcode = static_cast<signed char>(last->text[0]);
    countelements(static_cast<uint64_t>(lastcode - firstcode));
    for (int code = firstcode; code <= lastcode; ++code) {
        items.push_back({std::to_string(items.size()),
                         literal(std::string(1, static_cast<char>(code)), start)});
    }
}

} // namespace vornscript
