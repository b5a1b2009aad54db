// Reusable argument lists for call nodes. Every call evaluates its arguments
// into a std::vector that the callee reads; a recursive script makes millions
// of calls, so the lists are kept here between calls instead of being
// allocated and freed each time. A lease hands one list out and returns it,
// emptied, when the call ends, also when an error unwinds it.
#pragma once

#include "values/scriptobject.h"

#include <utility>
#include <vector>

namespace vornscript {

class VornArgumentPool {
public:
    using List = std::vector<VornScriptObjectPtr>;

    // One list, out of the pool for as long as the lease lives.
    class Lease {
    public:
        explicit Lease(VornArgumentPool& pool) : pool_(pool), list_(pool.take()) {}
        ~Lease() { pool_.giveback(std::move(list_)); }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        List& list() { return list_; }

    private:
        VornArgumentPool& pool_;
        List list_;
    };

private:
    List take() {
        if (free_.empty()) {
            return {};
        }
        List list = std::move(free_.back());
        free_.pop_back();
        return list;
    }
    // The values are released now: a kept list must not keep them alive.
    void giveback(List&& list) {
        list.clear();
        free_.push_back(std::move(list));
    }

    std::vector<List> free_;
};

} // namespace vornscript
