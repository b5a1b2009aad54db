// The check before a run that every call of a tree reaches a function: a
// user function the context knows (the prepare pass has registered every
// definition of the tree), an extension function or a system function. A
// call that reaches none is reported with the functions of the most similar
// names, so a typing error is caught before any side effect of the script.
#include "interpreter/userfunctions.h"

#include "interpreter/evaluate.h"
#include "interpreter/raise.h"
#include "sysfunctions/callsuggestions.h"
#include "sysfunctions/systemfunctiondispatcher.h"

namespace vornscript {
namespace {

struct CallSurvey {
    std::vector<VornScriptFunctionCall*> calls;
    // A call of include or uselibrary with one argument may add functions at run time.
    bool loadsfunctions = false;
};

void surveycalls(VornScriptExpressionBase& node, CallSurvey& survey) {
    if (node.nodekind == VornScriptNodeKind::functioncall) {
        auto& call = static_cast<VornScriptFunctionCall&>(node);
        survey.calls.push_back(&call);
        if (call.arguments.size() == 1 &&
            (call.name.text == "include" || call.name.text == "uselibrary")) {
            survey.loadsfunctions = true;
        }
    }
    VornScriptNodeList children;
    node.children(children);
    for (const VornScriptNodePtr& child : children) {
        if (child) {
            surveycalls(*child, survey);
        }
    }
}

bool isextensionfunction(VornScriptContextBase& context, const std::string& name,
                         size_t argumentcount) {
    const auto count = static_cast<int32_t>(argumentcount);
    if (context.finduserfunction(name, count)) {
        return true;
    }
    for (const auto& extension : context.extensions()) {
        if (extension->finduserfunction(name, count)) {
            return true;
        }
    }
    return false;
}

bool callexists(VornScriptContextBase& context, VornScriptFunctionCall& call) {
    const size_t count = call.arguments.size();
    return finduserfunction(context, symbolof(call.name), count) != nullptr ||
           isextensionfunction(context, call.name.text, count) ||
           issystemfunction(call.name.text, count);
}

// The signatures of every user function the context knows, innermost scope first.
std::vector<std::string> knownsignatures(VornScriptContextBase& context) {
    std::vector<std::string> signatures;
    for (size_t depth = context.scopedepth(); depth-- > 0;) {
        for (const VornScriptUserFunction& function : context.scopeat(depth).functions) {
            signatures.push_back(function.signature);
        }
    }
    return signatures;
}

} // namespace

void checkcallsexist(VornScriptExpressionBase& root, VornScriptContextBase& context) {
    CallSurvey survey;
    surveycalls(root, survey);
    if (survey.loadsfunctions) {
        return;
    }
    for (VornScriptFunctionCall* call : survey.calls) {
        if (callexists(context, *call)) {
            continue;
        }
        std::string message;
        undefinedcallmessage(call->name.text, call->arguments.size(), knownsignatures(context),
                             message);
        raiseatnode(*call, message, &context);
    }
}

} // namespace vornscript
