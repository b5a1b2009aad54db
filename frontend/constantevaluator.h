// Evaluation of constant expressions while parsing: the bounds of ranges in
// vector literals ([0..3], ['a'..'h']) are expanded at parse time. The parser
// only asks this interface; the interpreter supplies the full evaluator (its
// constant context), and the literal evaluator below is the default that
// understands plain literals and a unary minus on whole numbers.
#pragma once

#include "frontend/syntaxtree.h"

#include <cstdint>
#include <optional>
#include <string>

namespace vornscript {

// The value of a constant expression as far as ranges need it.
struct VornScriptConstantResult {
    bool iswhole = false; // the value converts to a whole 64-bit number
    int64_t whole = 0;    // that number, when [iswhole]
    std::string text;     // the value's text
};

class VornScriptConstantEvaluator {
public:
    virtual ~VornScriptConstantEvaluator() = default;
    // The value of [bound], or nullopt when it is not a constant expression
    // (it names a variable, or cannot be evaluated without a script).
    virtual std::optional<VornScriptConstantResult>
    evaluateconstant(const VornScriptExpressionBase& bound) = 0;
};

// Knows number and text literals, true/false, and unary minus on a whole number.
class VornScriptLiteralConstantEvaluator : public VornScriptConstantEvaluator {
public:
    std::optional<VornScriptConstantResult>
    evaluateconstant(const VornScriptExpressionBase& bound) override;
};

// Whether a text reads as a whole 64-bit number (blanks around it allowed,
// optional sign, digits only); stores the number in [result].
bool readswholenumber(const std::string& text, int64_t& result);
// Whether a text reads as a number: a whole number, or a floating number
// written with a ".".
bool readsasnumber(const std::string& text);

} // namespace vornscript
