// User functions: finding a script's function by name and argument count,
// running a call (call frame, function scope, parameter binding, return
// value, recursion limit) and the check before a run that every call in a
// tree reaches some function. Functions are found by their interned name,
// so the lookup on every call compares integers, not strings.
#pragma once

#include "interpreter/context.h"

#include <string>
#include <vector>

namespace vornscript {

// A function accepts a call when the counts are equal, or it has variable
// arguments and the call passes at least its named parameters.
bool acceptsargumentcount(const VornScriptUserFunction& function, size_t argumentcount);

// The innermost function of that name accepting the count; a "::" name looks
// in the global scope only. nullptr when there is none.
const VornScriptUserFunction* finduserfunction(VornScriptContextBase& context,
                                               const VornScriptSymbol& symbol,
                                               size_t argumentcount);
const VornScriptUserFunction* finduserfunction(VornScriptContextBase& context,
                                               const std::string& name, size_t argumentcount);
// The same for a call node's name, kept in the name's cache until the
// context's function stamp changes.
const VornScriptUserFunction* finduserfunction(VornScriptContextBase& context,
                                               const VornScriptLookupName& name,
                                               size_t argumentcount);

// The innermost function of that name whatever its parameters, for system
// functions that take a function name; fails with "user function <name> does
// not exist".
const VornScriptUserFunction* finduserfunctionbyname(VornScriptContextBase& context,
                                                     const std::string& name, std::string& error);

// Runs a call of [function] with [arguments] (the caller's own objects for
// variables, members and elements). The call site is the context's current
// call node. Errors of the body reach the caller after the scopes are restored.
// With [disposable] the caller drops the list after the call: a temporary
// only the list holds moves into its parameter, so the call's scope holds it alone.
// With [numbers] given (see takesnumberarguments), an empty entry of the
// list stands for the computed number at its index there, a native argument.
VornScriptObjectPtr invokeuserfunction(VornScriptContextBase& context,
                                       const VornScriptUserFunction& function,
                                       std::vector<VornScriptObjectPtr>& arguments,
                                       bool disposable = false,
                                       const NumberResult* numbers = nullptr);

// Native arguments go to a value parameter of a function with at most
// maxnumberarguments parameters, none of them variable or clashing.
constexpr size_t maxnumberarguments = 4;
inline bool takesnumberarguments(const VornScriptUserFunction& function) {
    return function.body && function.distinctparameters && !function.variablearguments &&
           function.parameters.size() <= maxnumberarguments;
}

// The result of a call for a caller that reads it as a number: a computed
// number the function returns stays native ([isnumber] and [number]);
// anything else arrives as [value].
struct VornScriptCallResult {
    VornScriptObjectPtr value;
    bool isnumber = false;
    NumberResult number;
};
// The same call, for such a caller.
void invokeuserfunction(VornScriptContextBase& context, const VornScriptUserFunction& function,
                        std::vector<VornScriptObjectPtr>& arguments, bool disposable,
                        VornScriptCallResult& result, const NumberResult* numbers = nullptr);

// Raises "function name(a,b) not existing" (with suggestions) at the first
// call of the tree that no user, extension or system function accepts. A
// tree that calls include or uselibrary with one argument is not checked:
// those calls may bring functions only at run time.
void checkcallsexist(VornScriptExpressionBase& root, VornScriptContextBase& context);

} // namespace vornscript
