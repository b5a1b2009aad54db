// The prepare pass, run once over a tree before it is evaluated: function
// definitions register their user function in the current scope (the global
// scope before a run), so a function can be called before its definition in
// the text; label definitions enter the context's set of known labels.
#include "interpreter/evaluationwrapper.h"

#include <algorithm>

namespace vornscript {
namespace {

bool distinctparameters(const VornScriptUserFunction& function) {
    std::vector<VornSymbolId> seen;
    if (function.variablearguments) {
        seen.push_back(function.argumentlist.id);
    }
    for (const VornScriptUserFunction::Parameter& parameter : function.parameters) {
        if (parameter.symbol.global || std::ranges::find(seen, parameter.symbol.id) != seen.end()) {
            return false;
        }
        seen.push_back(parameter.symbol.id);
    }
    return true;
}

VornScriptUserFunction userfunctionrecord(const VornScriptFunctionDefinition& definition) {
    VornScriptUserFunction function;
    function.name = definition.name.text;
    function.symbol = resolvesymbol(function.name).id;
    for (const VornScriptFunctionDefinition::Parameter& parameter : definition.parameters) {
        function.parameters.push_back(
            {parameter.name.text, resolvesymbol(parameter.name.text), parameter.byreference});
    }
    function.variablearguments = definition.variablearguments;
    const size_t separator = function.name.rfind("::");
    function.argumentlist = resolvesymbol(
        separator == std::string::npos ? function.name : function.name.substr(separator + 2));
    function.distinctparameters = distinctparameters(function);
    function.body = definition.body;
    function.position = definition.position();
    function.signature = definition.signature();
    return function;
}

} // namespace

void preparenode(VornScriptExpressionBase& node, VornScriptContextBase& context) {
    if (node.nodekind == VornScriptNodeKind::functiondefinition) {
        context.registerfunction(
            userfunctionrecord(static_cast<const VornScriptFunctionDefinition&>(node)));
    } else if (node.nodekind == VornScriptNodeKind::gotolabel) {
        context.knownlabels.insert(
            static_cast<const VornScriptGotoLabelDefinition&>(node).label.text);
    }
    VornScriptNodeList children;
    node.children(children);
    for (const VornScriptNodePtr& child : children) {
        if (child) {
            preparenode(*child, context);
        }
    }
}

} // namespace vornscript
