// Process-wide table of interned variable names. Every name a script uses is
// mapped once to a small integer id, so scopes compare ids instead of hashing
// or comparing strings on each variable access. Syntax nodes cache the id of
// their name on first evaluation. The interpreter runs on one thread, so the
// table needs no locking.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace vornscript {

using VornSymbolId = int32_t;

// A variable name as the scopes see it: the interned id of the name without
// a leading "::", and whether the name was written with that "::" (which
// selects the global scope).
struct VornScriptSymbol {
    VornSymbolId id = -1;
    bool global = false;
};

// The id of a name (without any leading "::"); the same name always gets the same id.
VornSymbolId internsymbol(std::string_view name);

// The name an id was interned from.
const std::string& symbolname(VornSymbolId id);

// Splits a leading "::" off the name and interns the rest.
VornScriptSymbol resolvesymbol(std::string_view name);

} // namespace vornscript
