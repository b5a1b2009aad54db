// Finding and running user functions (see userfunctions.h).
#include "interpreter/userfunctions.h"

#include "interpreter/evaluate.h"
#include "interpreter/functioncalls.h"
#include "interpreter/raise.h"
#include "values/conversions.h"
#include "values/vectorhandler.h"

#include "support/shortbytes.h"

#include <algorithm>

namespace vornscript {
namespace {

VornScriptUserFunction* findinscope(VornScriptScope& scope, VornSymbolId symbol,
                                    size_t argumentcount) {
    for (VornScriptUserFunction& function : scope.functions) {
        if (function.symbol == symbol && acceptsargumentcount(function, argumentcount)) {
            return &function;
        }
    }
    return nullptr;
}

// The innermost function of the name accepting the count (see finduserfunction).
VornScriptUserFunction* findfunction(VornScriptContextBase& context, const VornScriptSymbol& symbol,
                                     size_t argumentcount) {
    if (symbol.global) {
        return findinscope(context.globalscope(), symbol.id, argumentcount);
    }
    for (size_t depth = context.scopedepth(); depth-- > 0;) {
        VornScriptScope& scope = context.scopeat(depth);
        if (!scope.functions.empty()) {
            if (VornScriptUserFunction* found = findinscope(scope, symbol.id, argumentcount)) {
                return found;
            }
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
    CallGuard(VornScriptContextBase& context, const VornScriptUserFunction& function,
              bool takesnumber)
        : context_(context), callnode_(context.currentcall), depth_(context.scopedepth()),
          breakpending_(context.control.breakpending),
          continuepending_(context.control.continuepending) {
        context.callstack.push_back({&function, callnode_, depth_, takesnumber});
        context.control.breakpending = false;
        context.control.continuepending = false;
    }
    ~CallGuard() {
        // A normal return has left the call's scope already.
        if (context_.scopedepth() > depth_) [[unlikely]] {
            context_.unwindscopes(depth_);
        }
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

// Brackets a call for the debugger, when one is active: a call made in
// step-over mode runs in mode run, and after a Return command the caller's
// next statement stops. Made before the call frame, so it sees the depth
// after the frame is gone.
class DebuggerCallBracket {
public:
    explicit DebuggerCallBracket(VornScriptContextBase& context)
        : context_(context.debuggeractive ? &context : nullptr),
          modebefore_(context_ != nullptr ? context.beginusercall() : 0) {}
    ~DebuggerCallBracket() {
        if (context_ != nullptr) {
            context_->endusercall(modebefore_, context_->callstack.size());
        }
    }
    DebuggerCallBracket(const DebuggerCallBracket&) = delete;
    DebuggerCallBracket& operator=(const DebuggerCallBracket&) = delete;

private:
    VornScriptContextBase* context_;
    int32_t modebefore_;
};

[[noreturn]] void failcall(VornScriptContextBase& context, const std::string& message) {
    raiseatposition(callposition(context), message, &context);
}

VornScriptObjectPtr detached(VornScriptContextBase& context, const VornScriptObjectPtr& value) {
    VornScriptObjectPtr copy;
    std::string error;
    if (!detachedrvalue(value, copy, error)) {
        failcall(context, error);
    }
    return copy;
}

// Binds a parameter into the call's fresh scope. A parameter that may clash
// with another one goes through the checked definition, which reports the clash.
[[gnu::noinline]] void definechecked(VornScriptContextBase& context,
                                     const VornScriptUserFunction::Parameter& parameter,
                                     const VornScriptObjectPtr& value) {
    std::string error;
    if (!context.definevariable(parameter.symbol, value, error)) {
        failcall(context, error);
    }
}

[[gnu::always_inline]] inline void define(VornScriptContextBase& context,
                                          const VornScriptUserFunction& function,
                                          const VornScriptUserFunction::Parameter& parameter,
                                          VornScriptObjectPtr value) {
    if (function.distinctparameters) [[likely]] {
        // A reused number value (see bindnumber) mostly carries the name already.
        if (!sametext(value->getname(), parameter.name)) {
            value->setname(parameter.name);
        }
        context.bindvariable(parameter.symbol.id, std::move(value));
        return;
    }
    definechecked(context, parameter, value);
}

// A reference parameter shares the argument's object, which keeps the name
// of the caller's variable; only a temporary takes the parameter's name.
void bindreference(VornScriptContextBase& context, const VornScriptUserFunction& function,
                   const VornScriptUserFunction::Parameter& parameter,
                   const VornScriptObjectPtr& argument) {
    const VornScriptSymbol& symbol = parameter.symbol;
    if (argument->getname().empty() ||
        (!function.distinctparameters &&
         (symbol.global || context.currentscope().find(symbol.id) != nullptr))) {
        define(context, function, parameter, argument);
        return;
    }
    context.bindvariable(symbol.id, argument);
}

// The copy by the rules of "=" that a value parameter holds of an argument
// it cannot take as it is.
[[gnu::noinline]] VornScriptObjectPtr parametercopy(VornScriptContextBase& context,
                                                    const VornScriptObjectPtr& argument) {
    VornScriptObjectPtr value;
    std::string error;
    if (!makervalue(argument, value, error)) {
        failcall(context, error);
    }
    return value;
}

// Most number values kept for reuse (see keepnumbers).
constexpr size_t maxsparenumbers = 64;

// A value parameter's value for a native argument: the value made from the
// number, or a kept one (see keepnumbers) that is made into it in place.
[[gnu::always_inline]] inline void bindnumber(VornScriptContextBase& context,
                                              const VornScriptUserFunction& function,
                                              const VornScriptUserFunction::Parameter& parameter,
                                              const NumberResult& number) {
    std::vector<VornScriptObjectPtr>& spare = context.sparenumbers;
    VornScriptObjectPtr value;
    if (spare.empty()) {
        value = makeresultvalue(number);
    } else {
        value = std::move(spare.back());
        spare.pop_back();
        VornScriptObjectStringHandler& handler = *value->plainstring();
        if (number.whole) {
            handler.setlong(number.longvalue);
        } else {
            handler.setdouble(VornSnappedDouble{number.doublevalue});
        }
    }
    value->setlvalue(true);
    define(context, function, parameter, std::move(value));
}

// A value parameter holds a copy by the rules of "="; a temporary nobody
// else holds is taken as it is, out of the list when [take] allows. True when
// it holds a copy of a computed whole number, made as bindnumber makes it.
[[gnu::always_inline]] inline bool bindvalue(VornScriptContextBase& context,
                                             const VornScriptUserFunction& function,
                                             const VornScriptUserFunction::Parameter& parameter,
                                             VornScriptObjectPtr& argument, bool take) {
    const bool fresh = argument.unique() && argument->getname().empty() &&
                       (!argument->getdatahandler() || argument->getdatahandler().unique());
    VornScriptObjectPtr value;
    if (!fresh) {
        // The copy of a computed whole number is a value of the number (see makervalue).
        if (const VornScriptObjectStringHandler* plain = argument->plainstring();
            plain != nullptr && plain->isnativelong()) {
            const int64_t number = plain->numberreading().longvalue;
            bindnumber(context, function, parameter,
                       NumberResult{true, number, static_cast<double>(number)});
            return true;
        }
        value = parametercopy(context, argument);
    } else if (take) {
        value = std::move(argument);
    } else {
        value = argument;
    }
    value->setlvalue(true);
    define(context, function, parameter, std::move(value));
    return false;
}

// After a call that bound numbers, the values of its first [count]
// variables (its parameters unless the body removed them) that nothing else
// holds and that still are plain unshared texts or numbers, as fresh values
// are, are kept for bindnumber instead of being freed with the scope.
[[gnu::always_inline]] inline void keepnumbers(VornScriptContextBase& context, size_t count) {
    std::vector<std::pair<VornSymbolId, VornScriptObjectPtr>>& variables =
        context.currentscope().variables;
    std::vector<VornScriptObjectPtr>& spare = context.sparenumbers;
    count = std::min(count, variables.size());
    for (size_t index = 0; index < count && spare.size() < maxsparenumbers; ++index) {
        VornScriptObjectPtr& value = variables[index].second;
        if (value.unique() && value->plainstring() != nullptr && value->getdatahandler().unique() &&
            value->getobjecttype() == VornObjectType::string && !value->isconst() &&
            !value->getreferenced()) {
            spare.push_back(std::move(value));
        }
    }
}

// True when a parameter holds a number bound as bindnumber binds it.
bool bindparameters(VornScriptContextBase& context, const VornScriptUserFunction& function,
                    std::vector<VornScriptObjectPtr>& arguments, bool disposable,
                    const NumberResult* numbers) {
    bool boundnumbers = numbers != nullptr;
    // The vector of all arguments keeps them, so none moves out then.
    const bool take = disposable && !function.variablearguments;
    for (size_t index = 0; index < function.parameters.size(); ++index) {
        const VornScriptUserFunction::Parameter& parameter = function.parameters[index];
        if (parameter.byreference) {
            bindreference(context, function, parameter, arguments[index]);
        } else if (numbers != nullptr && !arguments[index]) {
            bindnumber(context, function, parameter, numbers[index]);
        } else {
            boundnumbers |= bindvalue(context, function, parameter, arguments[index], take);
        }
    }
    if (function.variablearguments) {
        // The elements are the arguments themselves, so assigning to one reaches the caller.
        std::string error;
        if (!context.definevariable(function.argumentlist,
                                    makehandlervalue(makeref<VornScriptObjectVectorHandler>(
                                        VornScriptObjectList(arguments.begin(), arguments.end()))),
                                    error)) {
            failcall(context, error);
        }
    }
    return boundnumbers;
}

// Runs the body; with [numberresult] given, a computed number the body
// returns goes there, flagged, instead of becoming a value. Inlined into
// both invokeuserfunction forms, which saves every call a frame.
[[gnu::always_inline]] inline VornScriptObjectPtr
runbody(VornScriptContextBase& context, const VornScriptUserFunction& function,
        std::vector<VornScriptObjectPtr>& arguments, bool disposable,
        VornScriptCallResult* numberresult, const NumberResult* numbers) {
    // The body's own eval or include may add functions to the scope holding
    // [function] and move the record: keep the body alive independently.
    const VornScriptNodePtr body = function.body;
    DebuggerCallBracket debugging(context);
    CallGuard guard(context, function, numberresult != nullptr);
    context.enterscope(true);
    // The record may move while the body runs (see above).
    const size_t parametercount = function.parameters.size();
    const bool boundnumbers = bindparameters(context, function, arguments, disposable, numbers);
    VornScriptObjectPtr value = evaluatestatementnode(*body, context);
    if (context.control.pendinggoto != nullptr) [[unlikely]] {
        checkpendinggoto(context);
    }
    guard.restorecallnode();
    VornScriptControlState& control = context.control;
    if (control.returnpending) {
        control.returnpending = false;
        if (control.returnisnumber) {
            // Only a frame that takes numbers is handed one (see evaluatereturn).
            control.returnisnumber = false;
            if (numberresult != nullptr) [[likely]] {
                numberresult->isnumber = true;
                numberresult->number = control.returnnumber;
                value = {};
            } else {
                value = makeresultvalue(control.returnnumber);
            }
        } else {
            value = std::move(control.returnvalue);
        }
    } else if (value) {
        // The last statement's value leaves the call detached from any variable.
        value = detached(context, value);
    }
    if (boundnumbers && context.scopedepth() == guard.entrydepth() + 1) {
        keepnumbers(context, parametercount);
    }
    context.leavescope();
    if (value && !value->getname().empty()) {
        // A variable's value returned (see evaluatereturn): with the call's
        // scope gone, a local's value is held here alone and detached as it is.
        if (value.unique()) {
            value->setname(std::string());
        }
        value = detached(context, value);
    }
    // exit leaves the loops of the body at once, their scopes still open;
    // the guard closes them, and the run ends normally.
    if (context.scopedepth() != guard.entrydepth() && !context.control.exitrequested) [[unlikely]] {
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
    return findfunction(context, symbol, argumentcount);
}

const VornScriptUserFunction* finduserfunction(VornScriptContextBase& context,
                                               const VornScriptLookupName& name,
                                               size_t argumentcount) {
    VornScriptLookupCache& cache = name.cache;
    if (cache.stamp != context.functionstamp()) {
        // The record stays in place until the next renewal of the stamp.
        cache.target = findfunction(context, symbolof(name), argumentcount);
        cache.stamp = context.functionstamp();
    }
    return static_cast<const VornScriptUserFunction*>(cache.target);
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

namespace {

[[gnu::always_inline]] inline VornScriptObjectPtr
invoke(VornScriptContextBase& context, const VornScriptUserFunction& function,
       std::vector<VornScriptObjectPtr>& arguments, bool disposable,
       VornScriptCallResult* numberresult, const NumberResult* numbers) {
    if (context.callstack.size() >= static_cast<size_t>(context.recursionlimit)) {
        failcall(context, interpretermessage("too many recursive calls", function.name));
    }
    try {
        return runbody(context, function, arguments, disposable, numberresult, numbers);
    } catch (const VornScriptErrorException&) {
        throw;
    } catch (const std::exception& error) {
        failcall(context, interpretermessage("exception occured", error.what()));
    } catch (...) {
        failcall(context, interpretermessage("unknown"));
    }
}

} // namespace

VornScriptObjectPtr invokeuserfunction(VornScriptContextBase& context,
                                       const VornScriptUserFunction& function,
                                       std::vector<VornScriptObjectPtr>& arguments, bool disposable,
                                       const NumberResult* numbers) {
    return invoke(context, function, arguments, disposable, nullptr, numbers);
}

void invokeuserfunction(VornScriptContextBase& context, const VornScriptUserFunction& function,
                        std::vector<VornScriptObjectPtr>& arguments, bool disposable,
                        VornScriptCallResult& result, const NumberResult* numbers) {
    result.value = invoke(context, function, arguments, disposable, &result, numbers);
}

} // namespace vornscript
