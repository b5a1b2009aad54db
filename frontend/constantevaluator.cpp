// The literal constant evaluator and the number readings it needs. It is the
// parser's default when no interpreter supplies a constant context: literals
// and a negated whole number are constant, anything else is not.
#include "frontend/constantevaluator.h"

#include <charconv>
#include <limits>
#include <string_view>

namespace vornscript {

namespace {

bool isblankchar(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isblankchar(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isblankchar(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool isdigitchar(char c) {
    return c >= '0' && c <= '9';
}

// Skips decimal digits from [pos]; returns how many there were.
size_t skipdigits(std::string_view text, size_t& pos) {
    const size_t begin = pos;
    while (pos < text.size() && isdigitchar(text[pos])) {
        ++pos;
    }
    return pos - begin;
}

void skipsign(std::string_view text, size_t& pos) {
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        ++pos;
    }
}

} // namespace

bool readswholenumber(const std::string& text, int64_t& result) {
    std::string_view number = trimmed(text);
    if (!number.empty() && number.front() == '+') {
        number.remove_prefix(1);
        if (!number.empty() && number.front() == '-') {
            return false;
        }
    }
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, result);
    return error == std::errc() && stop == end;
}

bool readsasnumber(const std::string& text) {
    int64_t whole = 0;
    if (readswholenumber(text, whole)) {
        return true;
    }
    const std::string_view number = trimmed(text);
    size_t pos = 0;
    skipsign(number, pos);
    size_t digits = skipdigits(number, pos);
    if (pos >= number.size() || number[pos] != '.') {
        return false;
    }
    ++pos;
    digits += skipdigits(number, pos);
    if (digits == 0) {
        return false;
    }
    if (pos < number.size() && (number[pos] == 'e' || number[pos] == 'E')) {
        ++pos;
        skipsign(number, pos);
        if (skipdigits(number, pos) == 0) {
            return false;
        }
    }
    return pos == number.size();
}

std::optional<VornScriptConstantResult>
VornScriptLiteralConstantEvaluator::evaluateconstant(const VornScriptExpressionBase& bound) {
    if (bound.nodekind == VornScriptNodeKind::constvalue) {
        const auto& literal = static_cast<const VornScriptConstValue&>(bound);
        VornScriptConstantResult result;
        result.text = literal.text;
        result.iswhole = readswholenumber(literal.text, result.whole);
        return result;
    }
    if (bound.nodekind == VornScriptNodeKind::unaryexpression) {
        const auto& unary = static_cast<const VornScriptUnaryExpression&>(bound);
        if (unary.op != '-' || !unary.operand) {
            return std::nullopt;
        }
        const std::optional<VornScriptConstantResult> operand = evaluateconstant(*unary.operand);
        if (!operand || !operand->iswhole ||
            operand->whole == std::numeric_limits<int64_t>::min()) {
            return std::nullopt;
        }
        const int64_t negated = -operand->whole;
        return VornScriptConstantResult{true, negated, std::to_string(negated)};
    }
    return std::nullopt;
}

} // namespace vornscript
