// Value comparison for sorting, grep and the collection value tests.
#include "sysfunctions/collectioncompare.h"

#include "support/stringbasics.h"

#include <algorithm>
#include <utility>

namespace vornscript {

namespace {

template <class T> int threeway(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

bool ismissing(const VornScriptObjectPtr& value) {
    return !value || value->isnull();
}

} // namespace

VornCompareKey makecomparenumber(const VornScriptObjectPtr& value) {
    VornCompareKey key;
    if (ismissing(value)) {
        key.hastext = true;
        return key;
    }
    // A plain text or computed number has its reading at hand; other values
    // (live data may change between two reads) derive it from one text read.
    if (value->plainstring() != nullptr) {
        key.number = value->readnumber();
        return key;
    }
    value->appendstring(key.text);
    key.hastext = true;
    // A collection's text form never reads as a number; skip the reading.
    if (value->getobjecttype() == VornObjectType::string) {
        key.number = readnumbertext(key.text);
    }
    return key;
}

void addcomparetext(VornCompareKey& key, const VornScriptObjectPtr& value) {
    if (!key.hastext) {
        value->appendstring(key.text);
        key.hastext = true;
    }
}

VornCompareKey makecomparekey(const VornScriptObjectPtr& value) {
    VornCompareKey key = makecomparenumber(value);
    addcomparetext(key, value);
    return key;
}

VornCompareKey makecomparekey(std::string text) {
    VornCompareKey key;
    key.number = readnumbertext(text);
    key.text = std::move(text);
    key.hastext = true;
    return key;
}

int comparetexts(std::string_view a, std::string_view b, bool ignorecase) {
    if (!ignorecase) {
        const int order = a.compare(b);
        return order < 0 ? -1 : (order > 0 ? 1 : 0);
    }
    const size_t common = std::min(a.size(), b.size());
    for (size_t i = 0; i < common; ++i) {
        const auto x = static_cast<unsigned char>(vornstdstring::tolowerbyte(a[i]));
        const auto y = static_cast<unsigned char>(vornstdstring::tolowerbyte(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return threeway(a.size(), b.size());
}

int comparekeys(const VornCompareKey& a, const VornCompareKey& b, bool numbers, bool ignorecase) {
    if (numbers && a.isnumber() && b.isnumber()) {
        // Whole numbers compare exactly; doubles would round beyond 2^53.
        if (a.number.kind == VornNumberKind::integer && b.number.kind == VornNumberKind::integer) {
            return threeway(a.number.longvalue, b.number.longvalue);
        }
        return threeway(a.number.doublevalue, b.number.doublevalue);
    }
    return comparetexts(a.text, b.text, ignorecase);
}

bool valuesareequal(const VornScriptObjectPtr& a, const VornScriptObjectPtr& b) {
    if (ismissing(a) || ismissing(b)) {
        return ismissing(a) && ismissing(b);
    }
    return comparekeys(makecomparekey(a), makecomparekey(b), true, false) == 0;
}

} // namespace vornscript
