// The hash index a plain structure keeps beside its ordered member map once
// it has more than a few members: an open-addressing table (linear probing,
// at most half full) from a member name to the map entry holding it. The map
// keeps the sorted order scripts see; the index only makes finding a name
// cost one hash instead of a walk down the tree comparing texts. Map entries
// never move while they exist, so the index points straight at them.
#pragma once

#include "support/refcounted.h"

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace vornscript {

class VornScriptObject;
using VornScriptObjectPtr = VornRef<VornScriptObject>;

// std::less<> lets lookups take a string_view without building a string.
using VornScriptMemberMap = std::map<std::string, VornScriptObjectPtr, std::less<>>;
using VornScriptMemberEntry = VornScriptMemberMap::value_type;

// The hash of a member name (a few multiplications over 8-byte words).
uint64_t memberhash(std::string_view name);

class VornMemberIndex {
public:
    bool empty() const { return count_ == 0; }
    // The entry named name, nullptr when the index has none.
    VornScriptMemberEntry* find(std::string_view name, uint64_t hash) const;
    // Adds an entry whose name the index does not hold yet.
    void add(VornScriptMemberEntry& entry, uint64_t hash);
    // Drops the entry named name, if present.
    void remove(std::string_view name, uint64_t hash);
    // Indexes every entry of the map, replacing what the index held.
    void rebuild(VornScriptMemberMap& members);
    void clear();

private:
    struct Slot {
        uint64_t hash = 0;
        VornScriptMemberEntry* entry = nullptr; // nullptr: free
    };
    void grow();
    void place(Slot slot);

    std::vector<Slot> slots_;
    size_t count_ = 0;
};

} // namespace vornscript
