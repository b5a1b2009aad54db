// Process-wide name interning for variable lookup (see symboltable.h).
#include "interpreter/symboltable.h"

#include <deque>
#include <unordered_map>
#include <vector>

namespace vornscript {
namespace {

struct SymbolTable {
    // A deque keeps the strings at stable addresses, so the map can key on views of them.
    std::deque<std::string> names;
    std::unordered_map<std::string_view, VornSymbolId> ids;
    // The same strings by id: every variable definition names its value, and
    // a vector reaches an entry quicker than the deque's blocks.
    std::vector<const std::string*> byid;
};

SymbolTable& symboltable() {
    static SymbolTable table;
    return table;
}

} // namespace

VornSymbolId internsymbol(std::string_view name) {
    SymbolTable& table = symboltable();
    auto found = table.ids.find(name);
    if (found != table.ids.end()) {
        return found->second;
    }
    const auto id = static_cast<VornSymbolId>(table.names.size());
    table.names.emplace_back(name);
    table.ids.emplace(table.names.back(), id);
    table.byid.push_back(&table.names.back());
    return id;
}

const std::string& symbolname(VornSymbolId id) {
    return *symboltable().byid.at(static_cast<size_t>(id));
}

VornScriptSymbol resolvesymbol(std::string_view name) {
    VornScriptSymbol symbol;
    if (name.starts_with("::")) {
        symbol.global = true;
        name.remove_prefix(2);
    }
    symbol.id = internsymbol(name);
    return symbol;
}

} // namespace vornscript
