// Evaluation of statement nodes: statement lists with goto resolution,
// variable definitions, if and the conditional operator, blocks, return and
// try/catch. Control flow (return, break, continue, goto, exit) travels as
// flags in the context; only errors are native exceptions.
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
#include "values/conversions.h"
#include "values/exceptionstructure.h"

#include <optional>

namespace vornscript {
namespace {

// Evaluates one statement of a list; a foreign native exception becomes a
// script error at the statement.
VornScriptObjectPtr runstatement(VornScriptExpressionBase& statement,
                                 VornScriptContextBase& context) {
    try {
        VornScriptObjectPtr value = evaluatestatementnode(statement, context);
        context.runpostoperations();
        return value;
    } catch (const VornScriptErrorException&) {
        throw;
    } catch (const std::exception& error) {
        raiseatnode(statement, interpretermessage("exception occured", error.what()), &context);
    } catch (...) {
        raiseatnode(statement, interpretermessage("unknown"), &context);
    }
}

// Index of the label the pending goto names in this list, or -1. Two labels
// of that name in one list are an error.
ptrdiff_t findlabel(const VornScriptStatements& list, const VornScriptGotoStatement& jump,
                    VornScriptContextBase& context) {
    ptrdiff_t found = -1;
    for (size_t index = 0; index < list.statements.size(); ++index) {
        const VornScriptExpressionBase& statement = *list.statements[index];
        if (statement.nodekind == VornScriptNodeKind::gotolabel &&
            static_cast<const VornScriptGotoLabelDefinition&>(statement).label.text ==
                jump.label.text) {
            if (found >= 0) {
                context.control.pendinggoto = nullptr;
                raiseatnode(
                    jump,
                    interpretermessage("label is defined twice in same scope", jump.label.text),
                    &context);
            }
            found = static_cast<ptrdiff_t>(index);
        }
    }
    return found;
}

// The value bound by "var name = value": an independent copy unless the
// handler asks to be shared; a temporary nobody else holds is taken as it is.
VornScriptObjectPtr initialvalue(const VornScriptDefineVariables::Variable& variable,
                                 VornScriptContextBase& context) {
    if (!variable.initialvalue) {
        return makeundefinedvalue();
    }
    VornScriptObjectPtr value = evaluateobject(*variable.initialvalue, context);
    if (!value) {
        return makeundefinedvalue();
    }
    if (variable.assignkind == TOKEN_ASSIGNREFERENCE || value->copyreference()) {
        return value;
    }
    const bool fresh =
        value.unique() && (!value->getdatahandler() || value->getdatahandler().unique());
    if (!fresh) {
        VornScriptObjectPtr copy;
        std::string error;
        if (!makervalue(value, copy, error)) {
            raiseatposition(variable.position, error, &context);
        }
        value = std::move(copy);
    }
    value->setlvalue(true);
    return value;
}

// A function returning a named text or number leaves it for the call to
// detach once the call's scope is gone (see runbody): a local variable is then
// held by nobody else and taken over instead of copied. Only where nothing
// can run in between: the return is in a function body (not in eval code),
// no postfix operation of the statement is pending, no debugger is attached.
// A text or number never fails to detach, so no error moves to the call.
bool detachesatcallend(const VornScriptObjectPtr& result, VornScriptContextBase& context) {
    return !result->getname().empty() && result->plainstring() != nullptr &&
           !context.callstack.empty() && context.evaldepth == 0 && !context.debuggeractive &&
           context.currentscope().postoperations.empty();
}

// A return hands its operand to the call as a native number when the
// caller takes numbers, the return is in a function body (not in eval
// code), and the operand is a finite computed number or a computed whole
// number held by a variable: the value made from it would read the same.
bool returnsnumber(const VornOperand& operand, VornScriptContextBase& context,
                   NumberResult& number) {
    if (context.callstack.empty() || !context.callstack.back().takesnumber ||
        context.evaldepth != 0) {
        return false;
    }
    if (operand.kind == VornOperand::Kind::number) {
        number = operand.number;
        return number.whole || std::isfinite(number.doublevalue);
    }
    if (operand.kind != VornOperand::Kind::value || !operand.value) {
        return false;
    }
    const VornScriptObjectStringHandler* plain = operand.value->plainstring();
    return plain != nullptr && plain->isnativelong() && valuenumber(*operand.value, number);
}

} // namespace

bool detachedrvalue(const VornScriptObjectPtr& value, VornScriptObjectPtr& result,
                    std::string& error) {
    const bool fresh = value && value.unique() && value->plainstring() != nullptr &&
                       value->getdatahandler().unique() &&
                       value->getobjecttype() == VornObjectType::string &&
                       value->getname().empty() && !value->isconst() && !value->getreferenced();
    if (!fresh) {
        return makervalue(value, result, error);
    }
    result = value;
    result->setlvalue(false);
    return true;
}

bool conditiontruth(VornScriptExpressionBase& condition, const VornScriptObjectPtr& value,
                    VornScriptContextBase& context) {
    if (!value) {
        raiseatnode(condition, interpretermessage("condition expected"), &context);
    }
    bool truth = false;
    std::string error;
    if (!getbool(value, truth, error)) {
        raiseatnode(condition, error, &context);
    }
    return truth;
}

VornScriptObjectPtr evaluatestatements(VornScriptStatements& node, VornScriptContextBase& context) {
    VornScriptControlState& control = context.control;
    VornScriptObjectPtr current;
    int64_t jumps = 0;
    size_t index = 0;
    const size_t count = node.statements.size();
    while (index < count) {
        current = runstatement(*node.statements[index], context);
        ++index;
        if (control.pendinggoto != nullptr) [[unlikely]] {
            const VornScriptGotoStatement& jump = *control.pendinggoto;
            const ptrdiff_t label = findlabel(node, jump, context);
            if (label < 0) {
                return current;
            }
            control.pendinggoto = nullptr;
            if (++jumps > context.looplimit) {
                raiseatnode(jump, interpretermessage("goto loop never ending"), &context);
            }
            index = static_cast<size_t>(label);
            continue;
        }
        if (control.exitrequested || control.returnpending || control.breakpending ||
            control.continuepending) [[unlikely]] {
            return current;
        }
    }
    return current;
}

VornScriptObjectPtr evaluatedefinevariables(VornScriptDefineVariables& node,
                                            VornScriptContextBase& context) {
    std::string error;
    VornScriptObjectPtr last;
    for (const VornScriptDefineVariables::Variable& variable : node.variables) {
        const VornScriptSymbol symbol = symbolof(variable.name);
        if (node.isundefine()) {
            if (!context.undefvariable(symbol, error)) {
                raiseatposition(variable.position, error, &context);
            }
            continue;
        }
        last = initialvalue(variable, context);
        if (!context.definevariable(symbol, last, error)) {
            raiseatposition(variable.position, error, &context);
        }
    }
    return last;
}

VornScriptObjectPtr evaluateifthenelse(VornScriptIfThenElse& node, VornScriptContextBase& context) {
    if (!node.condition) {
        raiseatnode(node, interpretermessage("condition expected"), &context);
    }
    const bool statement = !node.isconditional();
    VornOperand condition;
    evaluateoperand(*node.condition, context, condition);
    const bool truth = operandtruth(*node.condition, condition, context);
    if (statement) {
        context.runpostoperations();
    }
    VornScriptExpressionBase* branch = truth ? node.thenbranch.get() : node.elsebranch.get();
    if (branch == nullptr) {
        return {};
    }
    VornScriptObjectPtr value = evaluatestatementnode(*branch, context);
    if (statement) {
        context.runpostoperations();
    }
    return value;
}

VornScriptObjectPtr evaluateenterscope(VornScriptEnterScope& node, VornScriptContextBase& context) {
    if (!node.statements) {
        return {};
    }
    context.enterscope();
    VornScriptObjectPtr value = evaluatestatementnode(*node.statements, context);
    context.leavescope();
    return value;
}

VornScriptObjectPtr evaluatereturn(VornScriptFunctionReturn& node, VornScriptContextBase& context) {
    VornScriptControlState& control = context.control;
    control.returnisnumber = false;
    VornScriptObjectPtr value;
    if (node.value) {
        VornOperand operand;
        evaluateoperand(*node.value, context, operand);
        if (returnsnumber(operand, context, control.returnnumber)) {
            // The statement's own value is dropped by the call, which takes the number.
            control.returnisnumber = true;
            control.returnpending = true;
            return {};
        }
        VornScriptObjectPtr result = operandvalue(operand);
        std::string error;
        if (result && detachesatcallend(result, context)) {
            value = std::move(result);
        } else if (result && !detachedrvalue(result, value, error)) {
            raiseatnode(node, error, &context);
        }
    }
    if (!value) {
        value = makeundefinedvalue();
    }
    control.returnvalue = value;
    control.returnpending = true;
    return value;
}

void checkpendinggoto(VornScriptContextBase& context) {
    const VornScriptGotoStatement* jump = context.control.pendinggoto;
    if (jump == nullptr) {
        return;
    }
    context.control.pendinggoto = nullptr;
    const std::string& label = jump->label.text;
    const char* phrase = context.knownlabels.count(label) != 0 ? "goto to label not allowed"
                                                               : "goto label not found";
    raiseatnode(*jump, interpretermessage(phrase, label), &context);
}

VornScriptObjectPtr evaluatetrycatch(VornScriptTryCatch& node, VornScriptContextBase& context) {
    const size_t depth = context.scopedepth();
    std::optional<VornScriptErrorException> caught;
    VornScriptObjectPtr value;
    ++context.activetrycount;
    try {
        // The try body runs in the enclosing scope: its variables and the
        // postfix operations it registered outlive an error inside it.
        if (node.trybody) {
            value = evaluatewrapped(*node.trybody, context);
        }
    } catch (const VornScriptErrorException& error) {
        caught = error;
    } catch (const std::exception& error) {
        caught.emplace(node.position(), interpretermessage("exception occured", error.what()));
    } catch (...) {
        --context.activetrycount;
        throw;
    }
    --context.activetrycount;
    if (!caught) {
        checkpendinggoto(context);
        return value;
    }
    context.unwindscopes(depth);
    VornScriptControlState& control = context.control;
    control.pendinggoto = nullptr;
    // An error raised by a return statement's own postfix operations leaves
    // its return pending: the return failed with it.
    control.returnpending = false;
    control.returnisnumber = false;
    control.returnvalue = {};
    if (!node.hascatch()) {
        return {};
    }
    const VornScriptObjectPtr exception =
        makehandlervalue(makeref<VornScriptExceptionStructure>(*caught));
    context.enterscope();
    const VornScriptSymbol symbol = symbolof(node.catchvariable);
    std::string error;
    if (node.localvariable) {
        if (!context.definevariable(symbol, exception, error)) {
            raiseatnode(node, error, &context);
        }
    } else {
        VornScriptObjectPtr* slot = context.findvariable(symbol, true);
        if (slot == nullptr) {
            raiseatnode(node,
                        interpretermessage("variable") + " " + node.catchvariable.text + " " +
                            interpretermessage("is not defined"),
                        &context);
        }
        if (!(*slot)->assign(exception, error)) {
            raiseatnode(node, error, &context);
        }
    }
    value = evaluatewrapped(*node.catchbody, context);
    context.leavescope();
    return value;
}

} // namespace vornscript
