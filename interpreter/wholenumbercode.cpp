// Whole-number code (see wholenumbercode.h). The root binary node owns the
// code and, through its children, every node the steps point at.
#include "interpreter/wholenumbercode.h"

#include "interpreter/literalcache.h"

#include <vector>

namespace vornscript {
namespace {

enum class PureKind : uint8_t {
    literal,
    variable,
    add,
    subtract,
    multiply,
    bitand_,
    bitor_,
    bitxor,
    remainder,
    shiftleft,
    shiftright,
    otherarithmetic,
    less,
    greater,
    lessequal,
    greaterequal,
    equal,
    notequal,
};

PureKind purekind(TokenKind op) {
    switch (op) {
    case '+':
        return PureKind::add;
    case '-':
        return PureKind::subtract;
    case '*':
        return PureKind::multiply;
    case '&':
        return PureKind::bitand_;
    case '|':
        return PureKind::bitor_;
    case '^':
        return PureKind::bitxor;
    case '%':
        return PureKind::remainder;
    case TOKEN_SHIFTLEFT:
        return PureKind::shiftleft;
    case TOKEN_SHIFTRIGHT:
        return PureKind::shiftright;
    case '<':
        return PureKind::less;
    case '>':
        return PureKind::greater;
    case TOKEN_LESSEQUAL:
        return PureKind::lessequal;
    case TOKEN_GREATEREQUAL:
        return PureKind::greaterequal;
    case TOKEN_EQUAL:
        return PureKind::equal;
    case TOKEN_NOTEQUAL:
        return PureKind::notequal;
    default:
        return PureKind::otherarithmetic;
    }
}

struct PureStep {
    PureKind kind;
    int64_t literal;
    VornScriptExpressionBase* node;
};

struct PureCode final : VornRefCounted {
    std::vector<PureStep> steps;
    // Every literal is whole, and no variable has yet been met holding
    // anything but a computed whole number: the code is worth running.
    bool wholerun = true;
};

// Appends the steps of a pure subtree (see pureheight), operands first.
void compilepure(VornScriptExpressionBase& node, PureCode& code) {
    switch (node.nodekind) {
    case VornScriptNodeKind::constvalue: {
        const NumberResult& number = literalcache(static_cast<VornScriptConstValue&>(node)).number;
        code.wholerun = code.wholerun && number.whole;
        code.steps.push_back({PureKind::literal, number.longvalue, &node});
        return;
    }
    case VornScriptNodeKind::variablereference:
        code.steps.push_back({PureKind::variable, 0, &node});
        return;
    default:
        break;
    }
    auto& binary = static_cast<VornScriptBinaryExpression&>(node);
    compilepure(*binary.left, code);
    compilepure(*binary.right, code);
    const PureKind kind = purekind(binary.op);
    // A division would leave every run.
    code.wholerun = code.wholerun && kind != PureKind::otherarithmetic;
    code.steps.push_back({kind, 0, &node});
}

PureCode& purecode(VornScriptBinaryExpression& node) {
    if (!node.interpretercode) [[unlikely]] {
        auto code = makeref<PureCode>();
        compilepure(node, *code);
        if (!code->wholerun) {
            code->steps = {};
        }
        node.interpretercode = code;
    }
    return static_cast<PureCode&>(*node.interpretercode);
}

// Takes back the counts of the steps before [end].
void uncountsteps(const PureCode& code, const PureStep* end) {
    for (const PureStep* step = code.steps.data(); step != end; ++step) {
        --step->node->callcount;
    }
}

// Runs compiled code: true with [number] computed and each node below the
// root counted once; false, with nothing counted, when a step met anything
// but its common whole-number case.
bool runwhole(PureCode& code, VornScriptContextBase& context, NumberResult& number) {
    int64_t stack[maxpureheight + 2];
    // The steps always write the result here; set, so no compiler doubts it.
    stack[0] = 0;
    int64_t* top = stack;
    const PureStep* step = code.steps.data();
    const PureStep* const end = step + code.steps.size();
    for (; step != end; ++step) {
        switch (step->kind) {
        case PureKind::literal:
            *top++ = step->literal;
            break;
        case PureKind::variable: {
            const VornScriptObjectPtr* slot =
                context.findvariable(static_cast<VornScriptVariableReference&>(*step->node).name);
            const VornScriptObjectStringHandler* plain =
                slot != nullptr ? (*slot)->plainstring() : nullptr;
            if (plain == nullptr || !plain->isnativelong()) {
                // Such a variable mostly holds the same kind again.
                code.wholerun = false;
                goto leave;
            }
            *top++ = plain->numberreading().longvalue;
            break;
        }
        case PureKind::add:
            --top;
            if (__builtin_add_overflow(top[-1], top[0], &top[-1])) {
                goto leave;
            }
            break;
        case PureKind::subtract:
            --top;
            if (__builtin_sub_overflow(top[-1], top[0], &top[-1])) {
                goto leave;
            }
            break;
        case PureKind::multiply:
            --top;
            if (__builtin_mul_overflow(top[-1], top[0], &top[-1])) {
                goto leave;
            }
            break;
        case PureKind::bitand_:
            --top;
            top[-1] &= top[0];
            break;
        case PureKind::bitor_:
            --top;
            top[-1] |= top[0];
            break;
        case PureKind::bitxor:
            --top;
            top[-1] ^= top[0];
            break;
        case PureKind::remainder:
            --top;
            if (top[-1] < 0 || top[0] <= 0) {
                goto leave;
            }
            top[-1] %= top[0];
            break;
        case PureKind::shiftleft:
            --top;
            if (top[0] < 0 || top[0] > 63) {
                goto leave;
            }
            top[-1] = static_cast<int64_t>(static_cast<uint64_t>(top[-1]) << top[0]);
            break;
        case PureKind::shiftright:
            --top;
            if (top[0] < 0 || top[0] > 63) {
                goto leave;
            }
            top[-1] >>= top[0];
            break;
        case PureKind::otherarithmetic: // never compiled into a run
            goto leave;
        case PureKind::less:
            --top;
            top[-1] = top[-1] < top[0] ? 1 : 0;
            break;
        case PureKind::greater:
            --top;
            top[-1] = top[-1] > top[0] ? 1 : 0;
            break;
        case PureKind::lessequal:
            --top;
            top[-1] = top[-1] <= top[0] ? 1 : 0;
            break;
        case PureKind::greaterequal:
            --top;
            top[-1] = top[-1] >= top[0] ? 1 : 0;
            break;
        case PureKind::equal:
            --top;
            top[-1] = top[-1] == top[0] ? 1 : 0;
            break;
        case PureKind::notequal:
            --top;
            top[-1] = top[-1] != top[0] ? 1 : 0;
            break;
        }
        ++step->node->callcount;
    }
    // Every step counted its node; the root is its evaluator's to count.
    --code.steps.back().node->callcount;
    number = NumberResult{true, stack[0], static_cast<double>(stack[0])};
    return true;
leave:
    uncountsteps(code, step);
    return false;
}

} // namespace

bool runwholenumbercode(VornScriptBinaryExpression& node, VornScriptContextBase& context,
                        NumberResult& number) {
    PureCode& code = purecode(node);
    return code.wholerun && runwhole(code, context, number);
}

} // namespace vornscript
