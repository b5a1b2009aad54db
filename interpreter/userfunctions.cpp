// Finding and running user functions (see userfunctions.h).
#include "interpreter/userfunctions.h"

#include "interpreter/evaluate.h"
#include "interpreter/functioncalls.h"
#include "interpreter/raise.h"
#include "values/conversions.h"
#include "values/vectorhandler.h"

namespace vornscript {
namespace {

const VornScriptUserFunction* findinscope(const VornScriptScope& scope, VornSymbolId symbol,
                                          size_t argumentcount) {
    for (const VornScriptUserFunction& function : scope.functions) {
        if (function.symbol == symbol && acceptsargumentcount(function, argumentcount)) {
            return &function;
        }
    }
    return nullptr;
}

VornScriptSourcePosition callposition(const VornScriptContextBase& context) {
    return context.currentcall != nullptr ? context.currentcall->position()
                                          : VornScriptSourcePosition();
}

// Everything a call changes in the context besides the callee's own scope:
// restored when the call ends, normally or by an error, so the caller goes
// on with its own scopes, call site and loop flags.
class CallGuard {
public:
    CallGuard(VornScriptContextBase& context, const VornScriptUserFunction& function)
        : context_(context), callnode_(context.currentcall), depth_(context.scopedepth()),
          breakpending_(context.control.breakpending),
          continuepending_(context.control.continuepending) {
        context.callstack.push_back({&function, callnode_, depth_});
        context.control.breakpending = false;
        context.control.continuepending = false;
    }
    ~CallGuard() {
        context_.unwindscopes(depth_);
        context_.callstack.pop_back();
        context_.currentcall = callnode_;
        context_.control.breakpending = breakpending_;
        context_.control.continuepending = continuepending_;
    }
    CallGuard(const CallGuard&) = delete;
    CallGuard& operator=(const CallGuard&) = delete;

    size_t entrydepth() const { return depth_; }
    // The body's own calls moved the context's call node; the caller's
    // call site is where errors of the call itself are reported.
    void restorecallnode() { context_.currentcall = callnode_; }

private:
    VornScriptContextBase& context_;
    const VornScriptExpressionBase* callnode_;
    size_t depth_;
    bool breakpending_;
    bool continuepending_;
};

[[noreturn]] void failcall(VornScriptContextBase& context, const std::string& message) {
    raiseatposition(callposition(context), message, &context);
}

void define(VornScriptContextBase& context, const std::string& name,
            const VornScriptObjectPtr& value) {
    std::string error;
    if (!context.definevariable(name, value, error)) {
        failcall(context, error);
    }
}

// A reference parameter shares the argument's object, which keeps the name
// of the caller's variable; only a temporary takes the parameter's name.
void bindreference(VornScriptContextBase& context, const std::string& name,
                   const VornScriptObjectPtr& argument) {
    const VornScriptSymbol symbol = resolvesymbol(name);
    VornScriptScope& scope = context.currentscope();
    if (symbol.global || scope.find(symbol.id) != nullptr || argument->getname().empty()) {
        define(context, name, argument);
        return;
    }
    scope.variables.emplace_back(symbol.id, argument);
}

// A value parameter holds a copy by the rules of "="; a temporary nobody
// else holds is taken as it is.
void bindvalue(VornScriptContextBase& context, const std::string& name,
               const VornScriptObjectPtr& argument) {
    const bool fresh = argument.unique() && argument->getname().empty() &&
                       (!argument->getdatahandler() || argument->getdatahandler().unique());
    VornScriptObjectPtr value = argument;
    if (!fresh) {
        std::string error;
        if (!makervalue(argument, value, error)) {
            failcall(context, error);
        }
    }
    value->setlvalue(true);
    define(context, name, value);
}

void bindparameters(VornScriptContextBase& context, const VornScriptUserFunction& function,
                    const std::vector<VornScriptObjectPtr>& arguments) {
    for (size_t index = 0; index < function.parameters.size(); ++index) {
        const VornScriptUserFunction::Parameter& parameter = function.parameters[index];
        if (parameter.byreference) {
            bindreference(context, parameter.name, arguments[index]);
        } else {
            bindvalue(context, parameter.name, arguments[index]);
        }
    }
    if (function.variablearguments) {
        // Named like the function without its name space; the elements are
        // the arguments themselves, so assigning to one reaches the caller.
        const size_t separator = function.name.rfind("::");
        const std::string name =
            separator == std::string::npos ? function.name : function.name.substr(separator + 2);
        define(context, name,
               makehandlervalue(makeref<VornScriptObjectVectorHandler>(
                   VornScriptObjectList(arguments.begin(), arguments.end()))));
    }
}

VornScriptObjectPtr runbody(VornScriptContextBase& context, const VornScriptUserFunction& function,
                            const std::vector<VornScriptObjectPtr>& arguments) {
    // The body's own eval or include may add functions to the scope holding
    // [function] and move the record: keep the body alive independently.
    const VornScriptNodePtr body = function.body;
    CallGuard guard(context, function);
    context.enterscope(function.name);
    bindparameters(context, function, arguments);
    VornScriptObjectPtr value = evaluatewrapped(*body, context);
    checkpendinggoto(context);
    guard.restorecallnode();
    VornScriptControlState& control = context.control;
    if (control.returnpending) {
        control.returnpending = false;
        value = std::move(control.returnvalue);
    } else if (value) {
        // The last statement's value leaves the call detached from any variable.
        VornScriptObjectPtr copy;
        std::string error;
        if (!makervalue(value, copy, error)) {
            failcall(context, error);
        }
        value = std::move(copy);
    }
    context.leavescope();
    if (context.scopedepth() != guard.entrydepth()) {
        failcall(context, interpretermessage("wrong scope after function call"));
    }
    return value;
}

} // namespace

bool acceptsargumentcount(const VornScriptUserFunction& function, size_t argumentcount) {
    return argumentcount == function.parameters.size() ||
           (function.variablearguments && argumentcount >= function.parameters.size());
}

const VornScriptUserFunction* finduserfunction(VornScriptContextBase& context,
                                               const VornScriptSymbol& symbol,
                                               size_t argumentcount) {
    if (symbol.global) {
        return findinscope(context.globalscope(), symbol.id, argumentcount);
    }
    for (size_t depth = context.scopedepth(); depth-- > 0;) {
        const VornScriptScope& scope = context.scopeat(depth);
        if (!scope.functions.empty()) {
            if (const VornScriptUserFunction* found =
                    findinscope(scope, symbol.id, argumentcount)) {
                return found;
            }
        }
    }
    return nullptr;
}

const VornScriptUserFunction* finduserfunction(VornScriptContextBase& context,
                                               const std::string& name, size_t argumentcount) {
    return finduserfunction(context, resolvesymbol(name), argumentcount);
}

const VornScriptUserFunction* finduserfunctionbyname(VornScriptContextBase& context,
                                                     const std::string& name, std::string& error) {
    const VornScriptSymbol symbol = resolvesymbol(name);
    const size_t innermost = symbol.global ? 1 : context.scopedepth();
    for (size_t depth = innermost; depth-- > 0;) {
        for (const VornScriptUserFunction& function : context.scopeat(depth).functions) {
            if (function.symbol == symbol.id) {
                return &function;
            }
        }
    }
    error = interpretermessage("user function") + " " + name + " " +
            interpretermessage("does not exist");
    return nullptr;
}

VornScriptObjectPtr invokeuserfunction(VornScriptContextBase& context,
                                       const VornScriptUserFunction& function,
                                       const std::vector<VornScriptObjectPtr>& arguments) {
    if (context.callstack.size() >= static_cast<size_t>(context.recursionlimit)) {
        failcall(context, interpretermessage("too many recursive calls", function.name));
    }
    try {
        return runbody(context, function, arguments);
    } catch (const VornScriptErrorException&) {
        throw;
    } catch (const std::exception& error) {
        failcall(context, interpretermessage("exception occured", error.what()));
    } catch (...) {
        failcall(context, interpretermessage("unknown"));
    }
}

} // namespace vornscript
