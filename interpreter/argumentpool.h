// Reusable argument lists for call nodes. Every call evaluates its arguments
// into a std::vector that the callee reads; a recursive script makes millions
// of calls, so the lists are kept here between calls instead of being
// allocated and freed each time. Calls nest, so the lists form a stack: the
// call at nesting level n always gets the n-th list. A lease hands one list
// out and returns it, emptied, when the call ends, also when an error unwinds it.
#pragma once

#include "values/scriptobject.h"

#include <memory>
#include <vector>

namespace vornscript {

class VornArgumentPool {
public:
    using List = std::vector<VornScriptObjectPtr>;

    // One list, out of the pool for as long as the lease lives. Leases end
    // in the reverse order of their making.
    class Lease {
    public:
        explicit Lease(VornArgumentPool& pool) : pool_(pool), list_(pool.take()) {}
        ~Lease() { pool_.giveback(list_); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        List& list() { return list_; }

    private:
        VornArgumentPool& pool_;
        List& list_;
    };

private:
    List& take() {
        if (inuse_ == lists_.size()) [[unlikely]] {
            // Held by pointer, so the lists handed out stay in place.
            lists_.push_back(std::make_unique<List>());
        }
        return *lists_[inuse_++];
    }
    // The values are released now: a kept list must not keep them alive.
    void giveback(List& list) {
        list.clear();
        --inuse_;
    }

    std::vector<std::unique_ptr<List>> lists_;
    size_t inuse_ = 0;
};

} // namespace vornscript
