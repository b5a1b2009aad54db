// Operator semantics shared by expressions, compound assignments and
// post-operations: numeric operations with the language's whole/double
// rules (64-bit arithmetic, falling back to doubles on overflow), the
// comparisons, list membership and pattern matching. Numbers are read
// through the value layer's cached readings; no text is parsed or formatted.
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
#include "sysfunctions/textfunctions.h"
#include "sysfunctions/textfunctionsupport.h"
#include "values/conversions.h"

#include <cmath>
#include <limits>
#include <string_view>

namespace vornscript {
namespace {

// The operand that a division reads its divisor from: a division by zero is
// reported where the divisor is written ("3/0" fails at the "0").
const VornScriptExpressionBase& divisorof(const VornScriptExpressionBase& node) {
    if (node.nodekind == VornScriptNodeKind::binaryexpression) {
        const auto& binary = static_cast<const VornScriptBinaryExpression&>(node);
        if (binary.right) {
            return *binary.right;
        }
    } else if (node.nodekind == VornScriptNodeKind::assignment) {
        const auto& assignment = static_cast<const VornScriptAssignmentExpression&>(node);
        if (assignment.value) {
            return *assignment.value;
        }
    }
    return node;
}

[[noreturn]] void divisionbyzero(const VornScriptExpressionBase& node,
                                 VornScriptContextBase& context) {
    raiseatnode(divisorof(node), interpretermessage("division by") + " 0", &context);
}

NumberResult longresult(int64_t value) {
    return NumberResult{true, value, static_cast<double>(value)};
}

} // namespace

NumberResult longoperationslow(const VornScriptExpressionBase& node, TokenKind op, int64_t a,
                               int64_t b, VornScriptContextBase& context) {
    int64_t result = 0;
    switch (op) {
    case '+':
        if (__builtin_add_overflow(a, b, &result)) {
            return numberresult(static_cast<double>(a) + static_cast<double>(b));
        }
        return longresult(result);
    case '-':
        if (__builtin_sub_overflow(a, b, &result)) {
            return numberresult(static_cast<double>(a) - static_cast<double>(b));
        }
        return longresult(result);
    case '*':
        if (__builtin_mul_overflow(a, b, &result)) {
            return numberresult(static_cast<double>(a) * static_cast<double>(b));
        }
        return longresult(result);
    case '/':
        if (b == 0) {
            divisionbyzero(node, context);
        }
        if (b == 1) {
            return longresult(a);
        }
        // -2^63 / -1 does not fit; every other exact quotient does.
        if (b != -1 && a % b == 0) {
            return longresult(a / b);
        }
        if (b == -1 && a != std::numeric_limits<int64_t>::min()) {
            return longresult(-a);
        }
        return numberresult(static_cast<double>(a) / static_cast<double>(b));
    case '%': {
        if (b == 0) {
            divisionbyzero(node, context);
        }
        if (b == -1) {
            return longresult(0);
        }
        int64_t remainder = a % b;
        // The remainder takes the sign of the divisor.
        if (remainder != 0 && ((remainder < 0) != (b < 0))) {
            remainder += b;
        }
        return longresult(remainder);
    }
    case '&':
        return longresult(a & b);
    case '|':
        return longresult(a | b);
    case '^':
        return longresult(a ^ b);
    case TOKEN_SHIFTLEFT:
        if (b < 0 || b > 63) {
            return longresult(0);
        }
        return longresult(static_cast<int64_t>(static_cast<uint64_t>(a) << b));
    case TOKEN_SHIFTRIGHT:
        if (b < 0 || b > 63) {
            return longresult(a < 0 ? -1 : 0);
        }
        return longresult(a >> b);
    default:
        failatnode(node, "invalid number operation", context);
    }
}

// The operators doubleoperation does not do inline.
NumberResult doubleoperationslow(const VornScriptExpressionBase& node, TokenKind op, double a,
                                 double b, VornScriptContextBase& context) {
    switch (op) {
    case '/':
        if (b == 0.0) {
            divisionbyzero(node, context);
        }
        return numberresult(a / b);
    case '%':
        failatnode(node, "operator % requires integer numbers", context);
    case '&':
    case '|':
    case '^':
    case TOKEN_SHIFTLEFT:
    case TOKEN_SHIFTRIGHT:
        failatnode(node, "operation requires integer numbers", context);
    default:
        failatnode(node, "invalid number operation", context);
    }
}

namespace {

// The result as a value. An operand that is a temporary held only by the
// caller (a literal or an intermediate result) takes the result in place,
// which saves making a value and dropping the operand for most operations.
VornScriptObjectPtr resultvalue(const NumberResult& result, const VornScriptObjectPtr& left,
                                const VornScriptObjectPtr& right) {
    const VornScriptObjectPtr* target = &left;
    VornScriptObjectStringHandler* handler = left->recyclablenumber();
    if (handler == nullptr) {
        target = &right;
        handler = right->recyclablenumber();
    }
    if (handler == nullptr) {
        return makeresultvalue(result);
    }
    if (result.whole) {
        handler->setlong(result.longvalue);
    } else {
        handler->setdouble(VornSnappedDouble{result.doublevalue});
    }
    return *target;
}

// normalize() only changes texts without a number type code, so computed
// numbers and typed literals skip the call.
void normalizeoperand(const VornScriptObjectPtr& value) {
    const VornScriptObjectStringHandler* plain = value->plainstring();
    if (plain == nullptr || plain->typecode() == VornTypeCode::notset) {
        value->normalize();
    }
}

// Ordering of a three-way comparison result by the operator.
bool ordered(TokenKind op, int order, const VornScriptExpressionBase& node,
             VornScriptContextBase& context, const char* illegalphrase) {
    switch (op) {
    case '<':
        return order < 0;
    case '>':
        return order > 0;
    case TOKEN_LESSEQUAL:
        return order <= 0;
    case TOKEN_GREATEREQUAL:
        return order >= 0;
    case TOKEN_EQUAL:
        return order == 0;
    case TOKEN_NOTEQUAL:
        return order != 0;
    default:
        failatnode(node, illegalphrase, context);
    }
}

template <class T> int threeway(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

std::string_view trimblanks(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// One item of a text list: equal to the value, or a range "a-b" holding it.
bool listitemmatches(std::string_view item, const VornScriptObjectPtr& value,
                     const std::string& valuetext) {
    item = trimblanks(item);
    const VornNumberReading itemnumber = readnumbertext(item);
    const VornNumberReading valuenumber = value->readnumber();
    if (itemnumber.kind != VornNumberKind::none && valuenumber.kind != VornNumberKind::none) {
        return itemnumber.doublevalue == valuenumber.doublevalue;
    }
    // A range "from-to" of two numbers (the first may carry its own sign).
    const size_t dash = item.find('-', 1);
    if (dash != std::string_view::npos && valuenumber.kind != VornNumberKind::none) {
        const VornNumberReading from = readnumbertext(item.substr(0, dash));
        const VornNumberReading till = readnumbertext(item.substr(dash + 1));
        if (from.kind != VornNumberKind::none && till.kind != VornNumberKind::none) {
            return from.doublevalue <= valuenumber.doublevalue &&
                   valuenumber.doublevalue <= till.doublevalue;
        }
    }
    return item == valuetext;
}

} // namespace

VornScriptObjectPtr makeresultvalue(const NumberResult& number) {
    return number.whole ? makelongvalue(number.longvalue)
                        : makedoublevalue(VornSnappedDouble{number.doublevalue});
}

bool comparenumbersslow(const VornScriptExpressionBase& node, TokenKind op, const NumberResult& a,
                        const NumberResult& b, VornScriptContextBase& context) {
    const int order = a.whole && b.whole ? threeway(a.longvalue, b.longvalue)
                                         : threeway(a.doublevalue, b.doublevalue);
    return ordered(op, order, node, context, "illegal number compare operator");
}

VornScriptObjectPtr numericoperation(const VornScriptExpressionBase& node, TokenKind op,
                                     const VornScriptObjectPtr& left,
                                     const VornScriptObjectPtr& right,
                                     VornScriptContextBase& context) {
    if (!left || !right) {
        return {};
    }
    if (left->isnull() || right->isnull()) {
        failatnode(node, "undefined value", context);
    }
    normalizeoperand(left);
    normalizeoperand(right);
    if (left->islong() && right->islong()) {
        int64_t a = 0;
        int64_t b = 0;
        if (!left->readlong(a) || !right->readlong(b)) {
            failatnode(node, "number expected", context);
        }
        return resultvalue(longoperation(node, op, a, b, context), left, right);
    }
    double a = 0.0;
    double b = 0.0;
    if (!left->readdouble(a) || !right->readdouble(b)) {
        std::string error;
        if (!getdouble(left, a, error) || !getdouble(right, b, error)) {
            raiseatnode(node, error, &context);
        }
    }
    return resultvalue(doubleoperation(node, op, a, b, context), left, right);
}

VornScriptObjectPtr addvalues(const VornScriptExpressionBase& node, const VornScriptObjectPtr& left,
                              const VornScriptObjectPtr& right, VornScriptContextBase& context) {
    if (left->isnumber() && right->isnumber()) {
        return numericoperation(node, '+', left, right, context);
    }
    std::string text;
    left->appendstring(text);
    right->appendstring(text);
    // Text joined to a cast string stays text, so ((string)'0') + '1' + '2' is "012".
    const bool stringcoded =
        left->gettypecode() == VornTypeCode::string || right->gettypecode() == VornTypeCode::string;
    return makestringvalue(std::move(text),
                           stringcoded ? VornTypeCode::string : VornTypeCode::notset);
}

bool comparevalues(const VornScriptExpressionBase& node, const VornScriptObjectPtr& left,
                   const VornScriptObjectPtr& right, TokenKind op, VornScriptContextBase& context) {
    const bool leftmissing = !left || left->isnull();
    const bool rightmissing = !right || right->isnull();
    if (leftmissing || rightmissing) {
        if (op == TOKEN_EQUAL) {
            return leftmissing && rightmissing;
        }
        if (op == TOKEN_NOTEQUAL) {
            return !(leftmissing && rightmissing);
        }
        failatnode(node, "number expected", context);
    }
    if (left->isnumber() && right->isnumber()) {
        std::string error;
        if (!left->isdouble() && !right->isdouble()) {
            int64_t a = 0;
            int64_t b = 0;
            // readlong takes whole readings directly; getlong also truncates.
            if (!(left->readlong(a) || getlong(left, a, error)) ||
                !(right->readlong(b) || getlong(right, b, error))) {
                raiseatnode(node, error, &context);
            }
            return ordered(op, threeway(a, b), node, context, "illegal number compare operator");
        }
        double a = 0.0;
        double b = 0.0;
        if (!(left->readdouble(a) || getdouble(left, a, error)) ||
            !(right->readdouble(b) || getdouble(right, b, error))) {
            raiseatnode(node, error, &context);
        }
        return ordered(op, threeway(a, b), node, context, "illegal number compare operator");
    }
    if (op != TOKEN_EQUAL && op != TOKEN_NOTEQUAL &&
        (left->getobjecttype() != VornObjectType::string ||
         right->getobjecttype() != VornObjectType::string)) {
        failatnode(node, "numbers or casted strings expected", context);
    }
    const std::string lefttext = left->tostring();
    const std::string righttext = right->tostring();
    return ordered(op, lefttext.compare(righttext), node, context,
                   "illegal string compare operator");
}

bool listmembership(const VornScriptExpressionBase& node, const VornScriptObjectPtr& value,
                    const VornScriptObjectPtr& list, VornScriptContextBase& context) {
    std::string error;
    if (list->getobjecttype() == VornObjectType::vector) {
        VornScriptObjectList elements;
        if (!list->getvectorelements(elements, error)) {
            raiseatnode(node, error, &context);
        }
        for (const VornScriptObjectPtr& element : elements) {
            if (comparevalues(node, value, element, TOKEN_EQUAL, context)) {
                return true;
            }
        }
        return false;
    }
    const std::string valuetext = value ? value->tostring() : std::string();
    if (list->getobjecttype() == VornObjectType::structure) {
        std::vector<std::string> names;
        if (!list->getstructurefields(names, error)) {
            raiseatnode(node, error, &context);
        }
        for (const std::string& name : names) {
            if (name == valuetext) {
                return true;
            }
        }
        return false;
    }
    const std::string fulltext = list->tostring();
    const std::string_view text = trimblanks(fulltext);
    const std::string listtext(text.starts_with('[') && text.ends_with(']') && text.size() >= 2
                                   ? text.substr(1, text.size() - 2)
                                   : text);
    const char separator = listtext.find(',') != std::string::npos ? ',' : ';';
    VornScriptObjectPtr probe = value ? value : makeundefinedvalue();
    size_t start = 0;
    while (start <= listtext.size()) {
        size_t end = listtext.find(separator, start);
        if (end == std::string::npos) {
            end = listtext.size();
        }
        if (listitemmatches(std::string_view(listtext).substr(start, end - start), probe,
                            valuetext)) {
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool regexfound(const VornScriptExpressionBase& node, const VornScriptObjectPtr& text,
                const VornScriptObjectPtr& pattern, VornScriptContextBase& context) {
    bool matched = false;
    std::string error;
    // Views of plain texts, so a match in a loop copies neither.
    if (!scriptregexmatch(textfunctions::ArgumentText(text), textfunctions::ArgumentText(pattern),
                          matched, error)) {
        raiseatnode(node, error, &context);
    }
    return matched;
}

} // namespace vornscript
