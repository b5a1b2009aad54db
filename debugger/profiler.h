// The profiler's summary: which syntax nodes cost the most, by one of five
// measures. Counting happens during the run in the nodes' own fields (the
// evaluation wrapper keeps callcount and sumbrutto); the summary walks the
// tree once afterwards, holding at most [limit] records at any time.
#pragma once

#include "interpreter/debuggerbase.h"

#include <cstdint>
#include <string>

namespace vornscript {

// The sort order chosen by a method text such as "+count" or "-sumnetto".
struct VornScriptProfileOrder {
    enum class Key : int32_t {
        count = 1,
        sumbrutto = 2,
        sumnetto = 3,
        singlebrutto = 4,
        singlenetto = 5,
    };
    Key key = Key::sumbrutto;
    bool ascending = false;

    // A leading "+" sorts ascending, "-" or no sign descending; an unknown
    // name sorts by sumbrutto.
    static VornScriptProfileOrder parse(const std::string& method);
    // The record's value of the key.
    int64_t measure(const VornScriptProfileRecord& record) const;
    // [first] comes before [second] in this order.
    bool before(const VornScriptProfileRecord& first, const VornScriptProfileRecord& second) const;
};

// The record line: "calls;3;sumbrutto=...;pos;;name Line 1 Col 1;source;text".
std::string profilerecordline(const VornScriptProfileRecord& record);

} // namespace vornscript
