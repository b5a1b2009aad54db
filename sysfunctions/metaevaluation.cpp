// System functions that run further code in the calling context: eval (a
// text, parsed once and cached by its text), include (a file, whose
// functions and variables stay) and callfunction (a function chosen by name
// at run time). Errors of the inner code come back as one error at the
// outer call whose message is the inner full error text, so positions chain.
#include "sysfunctions/metafunctions.h"

#include "frontend/parser.h"
#include "interpreter/constcontext.h"
#include "interpreter/evaluate.h"
#include "interpreter/functioncalls.h"
#include "interpreter/raise.h"
#include "interpreter/userfunctions.h"

namespace vornscript {
namespace {

// The name under which eval code is parsed: its positions read
// "<evalerror> Line 1 Col 3".
constexpr const char* evalsourcename = "<evalerror>";

std::string argumenttext(const VornScriptObjectPtr& argument) {
    return argument && !argument->isnull() ? argument->tostring() : std::string();
}

// Keeps the eval depth balanced, also when an error unwinds.
class EvalDepthGuard {
public:
    explicit EvalDepthGuard(VornScriptContextBase& context) : context_(context) {
        ++context_.evaldepth;
    }
    ~EvalDepthGuard() { --context_.evaldepth; }
    EvalDepthGuard(const EvalDepthGuard&) = delete;
    EvalDepthGuard& operator=(const EvalDepthGuard&) = delete;

private:
    VornScriptContextBase& context_;
};

VornScriptStatementsPtr parsecode(const std::string& name, const std::string& text) {
    VornScriptParser parser(makescriptsource(name, text), &programconstcontext());
    return parser.parse();
}

// The parsed eval text, from the context's cache when it holds it.
VornScriptStatementsPtr evaltree(VornScriptContextBase& context, const std::string& code) {
    if (!context.evalcacheenabled) {
        return parsecode(evalsourcename, code);
    }
    if (auto cached = context.evalcache.find(code); cached != context.evalcache.end()) {
        return cached->second;
    }
    VornScriptStatementsPtr tree = parsecode(evalsourcename, code);
    context.evalcache.emplace(code, tree);
    return tree;
}

// Registers the tree's functions in the current scope and runs it. A goto
// may not leave the tree: it would outlive an uncached tree.
VornScriptObjectPtr runtree(VornScriptContextBase& context, VornScriptStatements& tree) {
    preparenode(tree, context);
    VornScriptObjectPtr value = evaluatewrapped(tree, context);
    checkpendinggoto(context);
    return value ? value : makeundefinedvalue();
}

// "<evalerror> Line 1 Col 3 division by 0": the inner error's place in the
// eval text, then its message.
std::string evalerrortext(const VornScriptErrorException& error) {
    std::string text = evalsourcename;
    const std::string position = makepositiontext(std::string(), error.line(), error.column());
    if (!position.empty()) {
        text += " " + position;
    }
    return text + " " + error.message();
}

// Number of names in a parameter list "(a,b)"; 0 for "()".
size_t parametercount(std::string_view list) {
    const size_t close = list.find(')');
    const std::string_view inner = list.substr(0, close);
    if (inner.find_first_not_of(" \t") == std::string_view::npos) {
        return 0;
    }
    return static_cast<size_t>(std::count(inner.begin(), inner.end(), ',')) + 1;
}

} // namespace

bool meta_eval(VornSystemCall& call) {
    VornScriptContextBase& context = call.context;
    const size_t depth = context.scopedepth();
    try {
        const VornScriptStatementsPtr tree = evaltree(context, argumenttext(call.arguments[0]));
        if (!tree) {
            call.result = makeundefinedvalue();
            return true;
        }
        EvalDepthGuard guard(context);
        call.result = runtree(context, *tree);
        return true;
    } catch (const VornScriptErrorException& error) {
        context.unwindscopes(depth);
        call.error = evalerrortext(error);
        return false;
    }
}

bool meta_include(VornSystemCall& call) {
    VornScriptContextBase& context = call.context;
    std::string sourcename;
    std::string text;
    if (!context.loadincludefile(argumenttext(call.arguments[0]), sourcename, text, call.error)) {
        return false;
    }
    const size_t depth = context.scopedepth();
    try {
        const VornScriptStatementsPtr tree = parsecode(sourcename, text);
        if (!tree) {
            call.result = makeundefinedvalue();
            return true;
        }
        checkcallsexist(*tree, context);
        call.result = runtree(context, *tree);
        return true;
    } catch (const VornScriptErrorException& error) {
        context.unwindscopes(depth);
        call.error = error.fullerrortext();
        return false;
    }
}

bool meta_callfunction(VornSystemCall& call) {
    std::string name = argumenttext(call.arguments[0]);
    std::vector<VornScriptObjectPtr> arguments(call.arguments.begin() + 1, call.arguments.end());
    // "sum(a,b)" chooses the overload with that many parameters; missing
    // arguments are passed as undefined values.
    if (const size_t open = name.find('('); open != std::string::npos) {
        const size_t wanted = parametercount(std::string_view(name).substr(open + 1));
        name.erase(open);
        while (arguments.size() < wanted) {
            arguments.push_back(makeundefinedvalue());
        }
    }
    const VornScriptExpressionBase* callnode = call.context.currentcall;
    return callfunction(call.context, name, arguments, call.result, call.error,
                        callnode != nullptr ? callnode->position() : VornScriptSourcePosition(),
                        true);
}

} // namespace vornscript
