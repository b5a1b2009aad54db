// Call resolution and the evaluation of call nodes. A call by name and
// argument count goes to a user function of the script first, then to the
// functions of the context's extensions (the context itself first, then the
// registered ones in order), then to the system functions. The same
// resolution serves call nodes and system functions that call by name.
#pragma once

#include "frontend/syntaxtree.h"
#include "values/scriptobject.h"

#include <string>
#include <vector>

namespace vornscript {

class VornScriptContextBase;
struct VornScriptCallResult;

// Resolves and calls [name] with [arguments]; false with [error] set when
// the callee fails or nothing answers the call: "function not found", or
// with [namecallkey] "function not existing: name($$)", the message of a
// call written in the script. [callposition] is where the call is written
// (handed to extensions for their messages); a user function called here
// records the context's current call node as its call site.
bool callfunction(VornScriptContextBase& context, const std::string& name,
                  std::vector<VornScriptObjectPtr>& arguments, VornScriptObjectPtr& result,
                  std::string& error, const VornScriptSourcePosition& callposition,
                  bool namecallkey = false);

// Evaluates a call node: its arguments left to right (variables, members and
// elements as their own objects, so that reference parameters reach them),
// the pending post-operations, then the call.
VornScriptObjectPtr evaluatecall(VornScriptFunctionCall& node, VornScriptContextBase& context);
// The same for a caller that reads the result as a number: a user
// function's computed number arrives native (see VornScriptCallResult).
void evaluatecall(VornScriptFunctionCall& node, VornScriptContextBase& context,
                  VornScriptCallResult& result);
// The call of a call node whose arguments are evaluated into [arguments] and
// whose post-operations have run: the second half of evaluatecall.
VornScriptObjectPtr callevaluated(VornScriptFunctionCall& node, VornScriptContextBase& context,
                                  std::vector<VornScriptObjectPtr>& arguments);
// True when the call node, called now, goes to the system function it went
// to before (node.systemfunction): no user or extension function answers it.
bool reachessystemfunction(VornScriptFunctionCall& node, VornScriptContextBase& context);

} // namespace vornscript
