// Call resolution and call nodes.
#include "interpreter/functioncalls.h"

#include "interpreter/context.h"
#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
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

} // namespace

bool callfunction(VornScriptContextBase& context, const std::string& name,
                  std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                  std::string& error, const VornScriptSourcePosition& callposition) {
    if (name.empty()) {
        error = interpretermessage("function call requires a function name");
        return false;
    }
    if (VornScriptUserExtension* extension =
            findextensionfunction(context, name, arguments.size())) {
        return extension->calluserfunction(name, arguments, result, error, callposition);
    }
    if (issystemfunction(name, arguments.size())) {
        return callsystemfunction(context, name, arguments, result, error);
    }
    error = interpretermessage("function not found");
    return false;
}

VornScriptObjectPtr evaluatecall(VornScriptFunctionCall& node, VornScriptContextBase& context) {
    std::vector<VornScriptObjectPtr> arguments;
    arguments.reserve(node.arguments.size());
    for (const VornScriptNodePtr& argument : node.arguments) {
        VornScriptObjectPtr value = evaluatewrapped(*argument, context);
        arguments.push_back(value ? std::move(value) : makeundefinedvalue());
    }
    context.runpostoperations();
    VornScriptObjectPtr result;
    std::string error;
    if (!callfunction(context, node.name.text, arguments, result, error, node.position())) {
        raiseatnode(node, error, &context);
    }
    return result;
}

} // namespace vornscript
