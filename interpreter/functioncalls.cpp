// Call resolution and call nodes.
#include "interpreter/functioncalls.h"

#include "interpreter/context.h"
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
#include "interpreter/userfunctions.h"
#include "sysfunctions/prototypetable.h"
#include "sysfunctions/systemfunctiondispatcher.h"

namespace vornscript {

namespace {

// The first extension that provides [name] for this argument count, the
// context itself in its extension role before the registered ones.
VornScriptUserExtension* findextensionfunction(VornScriptContextBase& context,
                                               const std::string& name, size_t argumentcount) {
    const auto count = static_cast<int32_t>(argumentcount);
    if (context.finduserfunction(name, count)) {
        return &context;
    }
    for (const auto& extension : context.extensions()) {
        if (extension->finduserfunction(name, count)) {
            return extension.get();
        }
    }
    return nullptr;
}

bool callresolved(VornScriptContextBase& context, const VornScriptUserFunction* userfunction,
                  const std::string& name, std::vector<VornScriptObjectPtr>& arguments,
                  VornScriptObjectPtr& result, std::string& error,
                  const VornScriptSourcePosition* callposition, bool namecallkey,
                  VornScriptFunctionCall* node) {
    if (name.empty()) {
        error = interpretermessage("function call requires a function name");
        return false;
    }
    if (userfunction != nullptr) {
        if (!userfunction->body) {
            error = interpretermessage("function has no implementation");
            return false;
        }
        result = invokeuserfunction(context, *userfunction, arguments);
        return true;
    }
    if (VornScriptUserExtension* extension =
            findextensionfunction(context, name, arguments.size())) {
        // A call node's position is only made when an extension asks for it.
        const VornScriptSourcePosition position = callposition != nullptr ? *callposition
                                                  : context.currentcall != nullptr
                                                      ? context.currentcall->position()
                                                      : VornScriptSourcePosition();
        return extension->calluserfunction(name, arguments, result, error, position);
    }
    const VornSystemFunctionSelection* system = node != nullptr ? node->systemfunction : nullptr;
    if (system == nullptr) {
        system = resolvesystemfunction(name, arguments.size());
        if (node != nullptr) {
            node->systemfunction = system;
        }
    }
    if (system != nullptr) {
        return callsystemfunction(context, *system, name, arguments, result, error);
    }
    error = namecallkey
                ? interpretermessage("function not existing", callkey(name, arguments.size()))
                : interpretermessage("function not found");
    return false;
}

// Native arguments of a call (see takesnumberarguments), valid while the
// function stamp they were evaluated under holds: the callee found then is
// the one the call reaches.
struct NumberArguments {
    uint64_t functionstamp;
    const VornScriptUserFunction* callee;
    NumberResult numbers[maxnumberarguments];
};

// The call of a node with its arguments evaluated; with [numberresult]
// given, a user function's result goes through it (its value returned as
// well). Inlined into its callers, one of which is part of every
// user-function call's recursion: a call of its own would cost each a frame.
[[gnu::always_inline]] inline VornScriptObjectPtr
callnode(VornScriptFunctionCall& node, VornScriptContextBase& context,
         std::vector<VornScriptObjectPtr>& arguments, VornScriptCallResult* numberresult,
         const NumberArguments* native = nullptr) {
    const NumberResult* numbers = nullptr;
    const VornScriptUserFunction* userfunction = nullptr;
    if (native != nullptr) {
        if (native->functionstamp == context.functionstamp()) [[likely]] {
            numbers = native->numbers;
            userfunction = native->callee;
        } else {
            // An argument changed the functions: every callee takes values.
            for (size_t index = 0; index < arguments.size(); ++index) {
                if (!arguments[index]) {
                    arguments[index] = makeresultvalue(native->numbers[index]);
                }
            }
        }
    }
    if (numbers == nullptr) {
        userfunction = finduserfunction(context, node.name, arguments.size());
    }
    context.currentcall = &node;
    if (userfunction != nullptr && userfunction->body) [[likely]] {
        if (numberresult != nullptr) {
            invokeuserfunction(context, *userfunction, arguments, true, *numberresult, numbers);
            return std::move(numberresult->value);
        }
        return invokeuserfunction(context, *userfunction, arguments, true, numbers);
    }
    VornScriptObjectPtr result;
    std::string error;
    if (!callresolved(context, userfunction, node.name.text, arguments, result, error, nullptr,
                      true, &node)) {
        raiseatnode(node, error, &context);
    }
    return result;
}

} // namespace

bool callfunction(VornScriptContextBase& context, const std::string& name,
                  std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                  std::string& error, const VornScriptSourcePosition& callposition,
                  bool namecallkey) {
    const VornScriptUserFunction* userfunction =
        name.empty() ? nullptr : finduserfunction(context, name, arguments.size());
    return callresolved(context, userfunction, name, arguments, result, error, &callposition,
                        namecallkey, nullptr);
}

namespace {

// Evaluates the arguments of a call that reached a system function which
// only reads its arguments: literals come as their shared values instead of
// copies. Should the call reach another function after all (an argument
// defined one of that name), it gets copies. Out of line, so that other
// calls do not carry it.
[[gnu::noinline]] void evaluatereadonlyarguments(VornScriptFunctionCall& node,
                                                 VornScriptContextBase& context,
                                                 std::vector<VornScriptObjectPtr>& arguments) {
    bool sharedany = false;
    for (const VornScriptNodePtr& argument : node.arguments) {
        if (argument->nodekind == VornScriptNodeKind::constvalue) {
            ++argument->callcount;
            arguments.push_back(sharedliteralvalue(static_cast<VornScriptConstValue&>(*argument)));
            sharedany = true;
            continue;
        }
        VornScriptObjectPtr value = evaluateobject(*argument, context);
        arguments.push_back(value ? std::move(value) : makeundefinedvalue());
    }
    context.runpostoperations();
    if (sharedany && !reachessystemfunction(node, context)) [[unlikely]] {
        for (size_t index = 0; index < arguments.size(); ++index) {
            VornScriptExpressionBase& argument = *node.arguments[index];
            if (argument.nodekind == VornScriptNodeKind::constvalue) {
                arguments[index] = evaluateconstvalue(static_cast<VornScriptConstValue&>(argument));
            }
        }
    }
}

// The user function a call node reaches, when it takes native arguments.
inline const VornScriptUserFunction* numberargumentscallee(VornScriptFunctionCall& node,
                                                           VornScriptContextBase& context) {
    if (node.systemfunction != nullptr) {
        return nullptr;
    }
    const VornScriptUserFunction* callee =
        finduserfunction(context, node.name, node.arguments.size());
    return callee != nullptr && takesnumberarguments(*callee) ? callee : nullptr;
}

// Evaluates the arguments and makes the call; with [numberresult] given, a
// user function's result goes through it (its value returned as well).
// Inlined into both evaluatecall forms: a frame of its own would cost every
// user-function call one more.
[[gnu::always_inline]] inline VornScriptObjectPtr runcall(VornScriptFunctionCall& node,
                                                          VornScriptContextBase& context,
                                                          VornScriptCallResult* numberresult) {
    VornArgumentPool::Lease lease(context.argumentpool);
    std::vector<VornScriptObjectPtr>& arguments = lease.list();
    if (node.systemfunction != nullptr && node.systemfunction->readsargumentsonly &&
        evaluatesdirectly(context)) {
        evaluatereadonlyarguments(node, context, arguments);
    } else if (const VornScriptUserFunction* callee = numberargumentscallee(node, context)) {
        // A computed number bound to a value parameter is passed native.
        NumberArguments native{context.functionstamp(), callee, {}};
        for (size_t index = 0; index < node.arguments.size(); ++index) {
            VornScriptExpressionBase& argument = *node.arguments[index];
            // An argument that changed the functions may have moved [callee].
            if (native.functionstamp == context.functionstamp() &&
                !callee->parameters[index].byreference &&
                evaluatenumber(argument, context, native.numbers[index])) {
                arguments.emplace_back();
                continue;
            }
            VornScriptObjectPtr value = evaluateobject(argument, context);
            arguments.push_back(value ? std::move(value) : makeundefinedvalue());
        }
        context.runpostoperations();
        return callnode(node, context, arguments, numberresult, &native);
    } else {
        for (const VornScriptNodePtr& argument : node.arguments) {
            VornScriptObjectPtr value = evaluateobject(*argument, context);
            arguments.push_back(value ? std::move(value) : makeundefinedvalue());
        }
        context.runpostoperations();
    }
    return callnode(node, context, arguments, numberresult);
}

} // namespace

bool reachessystemfunction(VornScriptFunctionCall& node, VornScriptContextBase& context) {
    const size_t count = node.arguments.size();
    return node.systemfunction != nullptr &&
           finduserfunction(context, node.name, count) == nullptr &&
           findextensionfunction(context, node.name.text, count) == nullptr;
}

VornScriptObjectPtr callevaluated(VornScriptFunctionCall& node, VornScriptContextBase& context,
                                  std::vector<VornScriptObjectPtr>& arguments) {
    return callnode(node, context, arguments, nullptr);
}

VornScriptObjectPtr evaluatecall(VornScriptFunctionCall& node, VornScriptContextBase& context) {
    return runcall(node, context, nullptr);
}

void evaluatecall(VornScriptFunctionCall& node, VornScriptContextBase& context,
                  VornScriptCallResult& result) {
    result.value = runcall(node, context, &result);
}

} // namespace vornscript
