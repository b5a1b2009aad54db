// The system-function prototype table: the fixed list of prototype texts
// ("mid(text,pos,len)", "concat(text1,...)") that describes the built-in
// library, and the lookup that decides whether a name and argument count is
// a system function. Prototype keys ("mid($$$)", "concat($*)") are computed
// lazily, and every call key resolved once is remembered in a map, so a
// repeated lookup costs one hash search and no allocation.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace vornscript {

// The 286 prototypes of the built-in library, in table order.
std::span<const char* const> systemfunctionprototypes();

// The call key: the name, "(", one "$" per argument, ")" ("mid($$$)").
std::string callkey(std::string_view name, size_t argumentcount);
void appendcallkey(std::string& out, std::string_view name, size_t argumentcount);

// The key of a prototype: one "$" per argument whatever its name, "*" for a
// "..." argument ("concat(text1,...)" gives "concat($*)"); "<error>" when the
// text cannot be read as a prototype.
std::string prototypekey(std::string_view prototype);
inline constexpr std::string_view invalidprototypekey = "<error>";

// Hash that lets the key maps be searched with a string_view.
struct VornKeyHash {
    using is_transparent = void;
    size_t operator()(std::string_view key) const { return std::hash<std::string_view>{}(key); }
};

// Lookup over one list of prototypes. The key cache is filled on demand and
// without locking: the interpreter runs on one thread.
class VornPrototypeTable {
public:
    // The texts must outlive the table (string literals in practice).
    explicit VornPrototypeTable(std::span<const char* const> prototypes);

    // Index of the first prototype that accepts the name with that many
    // arguments: its key equals the call key, or its key holds "*" and
    // matches the call key as a wildcard pattern.
    std::optional<size_t> find(std::string_view name, size_t argumentcount) const;
    bool accepts(std::string_view name, size_t argumentcount) const {
        return find(name, argumentcount).has_value();
    }

    std::span<const char* const> prototypes() const { return prototypes_; }
    // The key of the prototype at [index] (below prototypes().size()),
    // computed now if not yet cached.
    const std::string& key(size_t index) const;

private:
    std::span<const char* const> prototypes_;
    // Keys of prototypes_[0 .. keys_.size()), filled in table order.
    mutable std::vector<std::string> keys_;
    // Call key to prototype index: the keys without "*" as they are computed,
    // and every call key already resolved through a "*" key.
    mutable std::unordered_map<std::string, size_t, VornKeyHash, std::equal_to<>> resolved_;
    // Reused buffer for the call key of a lookup.
    mutable std::string callkeybuffer_;
};

// The process-wide table over systemfunctionprototypes().
const VornPrototypeTable& systemprototypetable();

} // namespace vornscript
