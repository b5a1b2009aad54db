// Value comparison shared by sorting, grep and the value tests of the
// collection functions. A value is compared through its text form and the
// number that text denotes, so both are computed once per value (a sort key)
// instead of once per comparison.
#pragma once

#include "values/scriptobject.h"

#include <string>
#include <string_view>

namespace vornscript {

// The text form of a value and its number reading. Only a whole number or a
// text with "." counts as a number here ("1e-3" does not).
struct VornCompareKey {
    std::string text;
    VornNumberReading number;
    // The text is made (makecomparenumber may leave it out).
    bool hastext = false;
    bool isnumber() const {
        return number.kind == VornNumberKind::integer || number.kind == VornNumberKind::decimal;
    }
};

// The key of a value; an empty or undefined value gives the empty text.
VornCompareKey makecomparekey(const VornScriptObjectPtr& value);
// The key in two steps, for callers that may never need the text: the number
// reading alone, then the text added to it.
VornCompareKey makecomparenumber(const VornScriptObjectPtr& value);
void addcomparetext(VornCompareKey& key, const VornScriptObjectPtr& value);
VornCompareKey makecomparekey(std::string text);

// Bytewise three-way comparison, optionally ignoring the case of ASCII letters.
int comparetexts(std::string_view a, std::string_view b, bool ignorecase);

// Three-way comparison: by value when [numbers] is set and both keys are
// numbers, else by text.
int comparekeys(const VornCompareKey& a, const VornCompareKey& b, bool numbers, bool ignorecase);

// Equality of two values as the collection functions test it: numbers by
// value, anything else by text; an undefined value equals only an undefined one.
bool valuesareequal(const VornScriptObjectPtr& a, const VornScriptObjectPtr& b);

} // namespace vornscript
