// Raising script errors from the interpreter. Phrases are translated with
// the tag "interpreter" before any detail (a name, a label) is appended after
// ": ". Errors are raised at a node's position; when a context is given, its
// error report (the debugger's onerror hook) sees the full text first.
#pragma once

#include "frontend/syntaxtree.h"

#include <string>

namespace vornscript {

class VornScriptContextBase;

// The phrase in the selected language.
std::string interpretermessage(const char* phrase);
// The translated phrase, ": " and the detail as written.
std::string interpretermessage(const char* phrase, const std::string& detail);

// Throws a VornScriptErrorException with the node's position and [message]
// (already complete); reports it to [context] first when given.
[[noreturn]] void raiseatnode(const VornScriptExpressionBase& node, const std::string& message,
                              VornScriptContextBase* context);
[[noreturn]] void raiseatposition(const VornScriptSourcePosition& position,
                                  const std::string& message, VornScriptContextBase* context);

// Raises the translated phrase at the node.
[[noreturn]] inline void failatnode(const VornScriptExpressionBase& node, const char* phrase,
                                    VornScriptContextBase& context) {
    raiseatnode(node, interpretermessage(phrase), &context);
}

// Raises the message of a failed value-layer operation at the node.
inline void checkatnode(bool succeeded, const VornScriptExpressionBase& node,
                        const std::string& error, VornScriptContextBase& context) {
    if (!succeeded) [[unlikely]] {
        raiseatnode(node, error, &context);
    }
}

} // namespace vornscript
