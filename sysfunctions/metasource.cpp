// Source positions of the call stack: __LINE__, __POS__, __FILE__,
// __FOLDER__, __CODE__ and __CODEPOS__. Level 0 is the call being
// dispatched, level 1 the call site of the current user function, and so on
// outward. Eval code may not look at the call stack, since its own positions
// belong to a text that is not the script.
#include "sysfunctions/metafunctions.h"

#include "interpreter/context.h"
#include "interpreter/raise.h"
#include "support/pathtext.h"
#include "values/conversions.h"

namespace vornscript {
namespace {

// The call node at the level the call's argument asks for, or nullptr with
// the call's error set.
const VornScriptExpressionBase* callstackentry(VornSystemCall& call) {
    VornScriptContextBase& context = call.context;
    if (context.evaldepth > 0) {
        call.error = call.name + interpretermessage("() is not allowed during eval");
        return nullptr;
    }
    int64_t level = 0;
    std::string unused;
    if (!call.arguments.empty() && !getlong(call.arguments[0], level, unused)) {
        level = 0;
    }
    const VornScriptExpressionBase* node = nullptr;
    if (level <= 0) {
        node = context.currentcall;
    } else if (static_cast<uint64_t>(level) <= context.callstack.size()) {
        node = context.callstack[context.callstack.size() - static_cast<size_t>(level)].callnode;
    }
    if (node == nullptr) {
        call.error = interpretermessage("current function not found on callstack");
    }
    return node;
}

// "L4C4".
std::string shortposition(const VornScriptExpressionBase& node) {
    std::string text(1, 'L');
    text += std::to_string(node.line);
    text.push_back('C');
    text += std::to_string(node.column);
    return text;
}

// The whole source line holding the node's start, without its line end.
std::string sourceline(const VornScriptExpressionBase& node) {
    if (!node.source) {
        return {};
    }
    const std::string& text = node.source->text;
    const size_t position = std::min(static_cast<size_t>(std::max(node.charpos, 0)), text.size());
    const size_t newline = position == 0 ? std::string::npos : text.rfind('\n', position - 1);
    const size_t start = newline == std::string::npos ? 0 : newline + 1;
    size_t end = text.find('\n', position);
    if (end == std::string::npos) {
        end = text.size();
    }
    if (end > start && text[end - 1] == '\r') {
        --end;
    }
    return text.substr(start, end - start);
}

// Runs [view] on the requested entry and makes its text the result.
template <class View> bool entryview(VornSystemCall& call, View view) {
    const VornScriptExpressionBase* node = callstackentry(call);
    if (node == nullptr) {
        return false;
    }
    call.result = view(*node);
    return true;
}

} // namespace

bool meta_line(VornSystemCall& call) {
    return entryview(call,
                     [](const VornScriptExpressionBase& node) { return makelongvalue(node.line); });
}

bool meta_pos(VornSystemCall& call) {
    return entryview(call, [](const VornScriptExpressionBase& node) {
        return makestringvalue(shortposition(node));
    });
}

bool meta_file(VornSystemCall& call) {
    return entryview(call, [](const VornScriptExpressionBase& node) {
        return makestringvalue(node.scriptname());
    });
}

bool meta_folder(VornSystemCall& call) {
    return entryview(call, [](const VornScriptExpressionBase& node) {
        return makestringvalue(scriptfolder(node.scriptname()));
    });
}

bool meta_code(VornSystemCall& call) {
    return entryview(call, [](const VornScriptExpressionBase& node) {
        return makestringvalue(sourceline(node));
    });
}

bool meta_codepos(VornSystemCall& call) {
    return entryview(call, [](const VornScriptExpressionBase& node) {
        return makestringvalue(node.scriptname() + " " + shortposition(node) + ": " +
                               sourceline(node));
    });
}

} // namespace vornscript
