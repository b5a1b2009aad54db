// Evaluation of loops and switch. Each loop runs in a scope of its own,
// saves the break and continue flags of the code around it and restores them
// at its end, and counts iterations against the context's loop limit. A
// pending return, exit or goto leaves the loop for the enclosing construct.
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"

namespace vornscript {
namespace {

// Break and continue of the surrounding code, cleared for the loop and
// restored when it ends (also when an error leaves it).
class SavedLoopFlags {
public:
    explicit SavedLoopFlags(VornScriptControlState& control)
        : control_(control), breakpending_(control.breakpending),
          continuepending_(control.continuepending) {
        control.breakpending = false;
        control.continuepending = false;
    }
    ~SavedLoopFlags() {
        control_.breakpending = breakpending_;
        control_.continuepending = continuepending_;
    }
    SavedLoopFlags(const SavedLoopFlags&) = delete;
    SavedLoopFlags& operator=(const SavedLoopFlags&) = delete;

private:
    VornScriptControlState& control_;
    bool breakpending_;
    bool continuepending_;
};

enum class AfterBody { next, leave, exit };

// What the loop does after its body ran: exit and return leave at once,
// break leaves (and is consumed), continue is consumed.
AfterBody afterbody(VornScriptControlState& control) {
    if (control.exitrequested) [[unlikely]] {
        return AfterBody::exit;
    }
    if (control.returnpending || control.pendinggoto != nullptr) [[unlikely]] {
        return AfterBody::leave;
    }
    if (control.breakpending) {
        control.breakpending = false;
        control.continuepending = false;
        return AfterBody::leave;
    }
    control.continuepending = false;
    return AfterBody::next;
}

// Runs the body of a for, while or repeat loop once and says what the loop
// does next. On exit, and when the body left a pending return, [value]
// takes the body's value, which the loop gives back.
inline AfterBody runloopbody(const VornScriptNodePtr& body, VornScriptContextBase& context,
                             VornScriptObjectPtr& value) {
    VornScriptObjectPtr bodyvalue;
    if (body) {
        bodyvalue = evaluatestatementchild(*body, context);
    }
    const AfterBody after = afterbody(context.control);
    if (after == AfterBody::exit || (after == AfterBody::leave && context.control.returnpending)) {
        value = std::move(bodyvalue);
    }
    return after;
}

// Fails after unwinding to the scope depth the loop started with.
[[noreturn]] void failloop(VornScriptExpressionBase& at, const char* phrase, size_t depth,
                           VornScriptContextBase& context) {
    context.unwindscopes(depth);
    raiseatnode(at, interpretermessage(phrase), &context);
}

void checkscopedepth(VornScriptExpressionBase& node, size_t depth, const char* phrase,
                     VornScriptContextBase& context) {
    if (context.scopedepth() != depth) [[unlikely]] {
        raiseatnode(node, interpretermessage(phrase), &context);
    }
}

// Restores the loop variable's constant mark, also when an error leaves the loop.
class ConstMarkRestore {
public:
    explicit ConstMarkRestore(const VornScriptObjectPtr& variable)
        : variable_(variable), wasconst_(variable->isconst()) {}
    ~ConstMarkRestore() { variable_->setconst(wasconst_); }
    ConstMarkRestore(const ConstMarkRestore&) = delete;
    ConstMarkRestore& operator=(const ConstMarkRestore&) = delete;

private:
    VornScriptObjectPtr variable_;
    bool wasconst_;
};

} // namespace

VornScriptObjectPtr evaluateforloop(VornScriptForLoop& node, VornScriptContextBase& context) {
    const size_t depth = context.scopedepth();
    context.enterscope();
    if (node.init) {
        evaluatestatementchild(*node.init, context);
    }
    VornScriptObjectPtr value;
    {
        SavedLoopFlags saved(context.control);
        const int64_t limit = context.looplimit;
        VornScriptExpressionBase& limitnode = node.condition ? *node.condition : node;
        for (int64_t counter = 0;; ++counter) {
            if (node.condition && !evaluatecondition(*node.condition, context)) {
                break;
            }
            if (counter > limit) {
                failloop(limitnode, "loop never ending", depth, context);
            }
            const AfterBody after = runloopbody(node.body, context, value);
            if (after == AfterBody::exit) {
                return value;
            }
            if (after == AfterBody::leave) {
                break;
            }
            if (node.step) {
                evaluatestatementchild(*node.step, context);
            }
        }
    }
    context.leavescope();
    checkscopedepth(node, depth, "wrong scope after for loop", context);
    return value;
}

VornScriptObjectPtr evaluateuntilloop(VornScriptUntilLoop& node, VornScriptContextBase& context) {
    const size_t depth = context.scopedepth();
    context.enterscope();
    VornScriptObjectPtr value;
    {
        SavedLoopFlags saved(context.control);
        const int64_t limit = context.looplimit;
        VornScriptExpressionBase& limitnode = node.condition ? *node.condition : node;
        for (int64_t counter = 0;; ++counter) {
            if (counter > limit) {
                failloop(limitnode, "loop never ending", depth, context);
            }
            const AfterBody after = runloopbody(node.body, context, value);
            if (after == AfterBody::exit) {
                return value;
            }
            if (after == AfterBody::leave) {
                break;
            }
            const bool truth = node.condition && evaluatecondition(*node.condition, context);
            // do ... while goes on while true, repeat ... until while false.
            if (truth == node.isrepeat()) {
                break;
            }
        }
    }
    context.leavescope();
    checkscopedepth(node, depth, "wrong scope after loop", context);
    return value;
}

VornScriptObjectPtr evaluateforeachloop(VornScriptForeachLoop& node,
                                        VornScriptContextBase& context) {
    if (!node.collection) {
        raiseatnode(node, interpretermessage("collection missing in foreach loop"), &context);
    }
    const size_t depth = context.scopedepth();
    VornScriptObjectPtr value;
    {
        SavedLoopFlags saved(context.control);
        context.enterscope();
        const VornScriptSymbol symbol = symbolof(node.variable);
        std::string error;
        if (node.localvariable && !context.definevariable(symbol, makeundefinedvalue(), error)) {
            failloop(*node.collection, error.c_str(), depth, context);
        }
        const VornScriptObjectPtr collection = evaluatestatementchild(*node.collection, context);
        VornScriptObjectPtr* slot = context.findvariable(symbol, true);
        if (slot == nullptr) {
            context.unwindscopes(depth);
            raiseatposition(node.variableposition,
                            interpretermessage("foreach variable not defined", node.variable.text),
                            &context);
        }
        const VornScriptObjectPtr variable = *slot;
        ConstMarkRestore restore(variable);
        const int64_t limit = context.looplimit;
        int64_t counter = 0;
        // Runs the body once; false when the loop must stop.
        auto iterate = [&]() {
            if (counter > limit) {
                failloop(node, "foreach endless loop", depth, context);
            }
            ++counter;
            VornScriptObjectPtr bodyvalue;
            if (node.body) {
                bodyvalue = evaluatestatementchild(*node.body, context);
            }
            const AfterBody after = afterbody(context.control);
            if (after != AfterBody::next) {
                value = std::move(bodyvalue);
                return false;
            }
            return true;
        };
        auto check = [&](bool succeeded) {
            if (!succeeded) {
                failloop(*node.collection, error.c_str(), depth, context);
            }
        };
        const int32_t type = collection ? collection->getobjecttype() : VornObjectType::undefined;
        if (type == VornObjectType::vector) {
            int64_t size = 0;
            check(collection->vectorsize(size, error));
            for (int64_t index = 0; index < size; ++index) {
                VornScriptObjectPtr element;
                check(collection->getvectorelement(index, element, error));
                variable->setconst(false);
                check(variable->assignreference(element ? element : makeundefinedvalue(), error));
                variable->setconst(true);
                if (!iterate()) {
                    break;
                }
            }
        } else if (type == VornObjectType::structure) {
            std::vector<std::string> keys;
            check(collection->getstructurefields(keys, error));
            for (const std::string& key : keys) {
                variable->setconst(false);
                check(variable->assign(makestringvalue(key), error));
                if (!iterate()) {
                    break;
                }
            }
        }
        if (context.control.exitrequested) {
            return value;
        }
        if (!context.control.returnpending) {
            value = nullptr;
        }
    }
    context.leavescope();
    checkscopedepth(node, depth, "wrong scope after foreach loop", context);
    return value;
}

VornScriptObjectPtr evaluateswitch(VornScriptSwitchStatement& node,
                                   VornScriptContextBase& context) {
    const VornScriptObjectPtr value =
        node.value ? evaluatestatementchild(*node.value, context) : makeundefinedvalue();
    const VornScriptNodeList& entries = node.entries;
    size_t start = entries.size();
    size_t fallback = entries.size();
    for (size_t index = 0; index < entries.size() && start == entries.size(); ++index) {
        if (entries[index]->nodekind != VornScriptNodeKind::casestatement) {
            continue;
        }
        auto& label = static_cast<VornScriptCaseStatement&>(*entries[index]);
        if (label.isdefault || !label.value) {
            if (fallback == entries.size()) {
                fallback = index;
            }
            continue;
        }
        const VornScriptObjectPtr from = evaluatestatementchild(*label.value, context);
        bool matches = false;
        if (label.rangeend) {
            const VornScriptObjectPtr till = evaluatestatementchild(*label.rangeend, context);
            matches = comparevalues(label, value, from, TOKEN_GREATEREQUAL, context) &&
                      comparevalues(label, value, till, TOKEN_LESSEQUAL, context);
        } else {
            matches = comparevalues(label, value, from, TOKEN_EQUAL, context);
        }
        if (matches) {
            start = index;
        }
    }
    if (start == entries.size()) {
        start = fallback;
    }
    VornScriptControlState& control = context.control;
    const bool savedbreak = control.breakpending;
    control.breakpending = false;
    VornScriptObjectPtr result;
    for (size_t index = start; index < entries.size(); ++index) {
        VornScriptExpressionBase& entry = *entries[index];
        if (entry.nodekind == VornScriptNodeKind::casestatement) {
            continue;
        }
        VornScriptObjectPtr value = evaluatestatementchild(entry, context);
        // break, continue and goto steer control; the switch keeps the value before them.
        if (value) {
            result = std::move(value);
        }
        if (control.exitrequested || control.returnpending || control.continuepending ||
            control.pendinggoto != nullptr) {
            break;
        }
        if (control.breakpending) {
            break;
        }
    }
    control.breakpending = savedbreak;
    return result;
}

} // namespace vornscript
