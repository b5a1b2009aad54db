// The text functions of scripts (substrings, search, comparison, escaping,
// case, classification, splitting and joining, replace, wildcard and regular
// expression matching, range lists and CSV), each a thin wrapper over the
// string library. The family's one dispatch table is textfunctiontable().
#pragma once

#include "sysfunctions/systemfunctionregistry.h"

#include <string>
#include <string_view>

namespace vornscript {

VornSystemFunctionTable textfunctiontable();

// The test behind `match` and the operators =~ and !~: [matched] tells whether
// the regular expression [pattern] is found somewhere in [text]. False with
// "regular expression syntax error" in [error] when the pattern does not
// compile or the engine gives up on it.
bool scriptregexmatch(std::string_view text, std::string_view pattern, bool& matched,
                      std::string& error);

// True for the text implementations that only read their arguments (see
// VornSystemFunctionSelection::readsargumentsonly).
bool readsargumentsonly(VornSystemFunctionImpl impl);

} // namespace vornscript
