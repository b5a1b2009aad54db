// Small helpers shared by the collection, sorting, grep, byte-buffer and JSON
// function families: failing a call with a message, the "function <name>
// requires ..." messages, and wrapping element lists into new values.
#pragma once

#include "sysfunctions/systemfunctionregistry.h"
#include "values/scriptobject.h"
#include "values/structurehandler.h"

#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

// Sets the call's error and returns false, so a failure is one statement.
inline bool failcall(VornSystemCall& call, std::string message) {
    call.error = std::move(message);
    return false;
}

// "function " + name + " " + phrase, the phrases translated.
std::string functionrequiresmessage(std::string_view name, const char* phrase);

// True for a value that a script variable, member or element holds (those
// carry their name), false for a temporary result.
inline bool isboundtovariable(const VornScriptObjectPtr& value) {
    return value && !value->getname().empty();
}

inline bool isundefined(const VornScriptObjectPtr& value) {
    return !value || value->isnull();
}

VornScriptObjectPtr makevectorvalue(VornScriptObjectList elements);
// An empty vector value.
VornScriptObjectPtr makeemptyvector();
VornScriptObjectPtr makestructurevalue(VornScriptMemberMap members);

// The entries of a vector or structure through the handler operations, so
// live collections work too: [values] in order (a hole is an empty pointer)
// and, for a structure, [names] in key order alongside. False with the
// handler's message when an operation fails.
bool collectionentries(const VornScriptObjectPtr& collection, std::vector<std::string>& names,
                       VornScriptObjectList& values, std::string& error);

} // namespace vornscript
