// The sort functions: a new vector with the elements of the argument in one
// of four orders (default, numeric, alphabetic, ignore case), or reversed.
// Every element's number (and text, unless all elements are numbers in a
// numeric order) is computed once as a sort key and the sort moves indexes
// into the key list, so a comparison neither converts nor allocates. The comparison is a callable
// handed to the introspective sort, which stays safe for orders that are not consistent; with a
// compare function the callable calls it through the ordinary call resolution, a script function
// directly once found.
#include "sysfunctions/collectionfunctions.h"

#include "interpreter/functioncalls.h"
#include "interpreter/raise.h"
#include "interpreter/userfunctions.h"
#include "sysfunctions/collectioncompare.h"
#include "sysfunctions/collectionsupport.h"
#include "sysfunctions/introsort.h"
#include "values/conversions.h"
#include "values/vectorhandler.h"

#include <cstdint>
#include <numeric>
#include <span>
#include <utility>
#include <vector>

namespace vornscript {

namespace {

struct VornSortOrder {
    bool numbers;    // two numbers compare by value
    bool ignorecase; // texts compare ignoring case
    bool inverse;    // b before a
};

constexpr VornSortOrder standardorder{true, false, false};
constexpr VornSortOrder numericorder{true, true, false};
constexpr VornSortOrder alphabeticorder{false, false, false};
constexpr VornSortOrder ignorecaseorder{false, true, false};

constexpr VornSortOrder inverted(VornSortOrder order) {
    order.inverse = true;
    return order;
}

// The vector argument's handler; null for an undefined or empty argument,
// which has no elements.
bool sortargument(VornSystemCall& call, VornScriptDataHandler*& vector) {
    const VornScriptObjectPtr& argument = call.arguments[0];
    const int32_t type = argument->getobjecttype();
    vector = nullptr;
    if (type == VornObjectType::vector && argument->getdatahandler()) {
        vector = argument->getdatahandler().get();
        return true;
    }
    if (type == VornObjectType::undefined ||
        (type == VornObjectType::string && argument->tostring().empty())) {
        return true;
    }
    return failcall(call, interpretermessage("function sortvector requires an vector variable"));
}

VornScriptObjectVectorHandler* plainvector(VornScriptDataHandler* vector) {
    return vector != nullptr && vector->handlerkind() == VornHandlerKind::plainvector
               ? static_cast<VornScriptObjectVectorHandler*>(vector)
               : nullptr;
}

// Element positions in the order [less] (a strict "a before b" on positions)
// gives them.
template <class Less> std::vector<uint32_t> sortedpositions(size_t count, Less less) {
    std::vector<uint32_t> positions(count);
    std::iota(positions.begin(), positions.end(), 0U);
    introsort(positions, less);
    return positions;
}

// The result: copies of the elements in the sorted order.
VornScriptObjectPtr sortedcopy(const VornVectorSlots& slots,
                               const std::vector<uint32_t>& positions) {
    VornVectorSlots sorted;
    sorted.reserve(positions.size());
    for (const uint32_t position : positions) {
        sorted.push_back(copyelementslot(slots[position]));
    }
    return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(sorted)));
}

VornCompareKey makeslotnumber(const VornVectorSlot& slot) {
    if (!slot.isnumber()) {
        return makecomparenumber(VornScriptObjectPtr(slot.object()));
    }
    VornCompareKey key;
    const int64_t value = slot.numbervalue();
    key.number = VornNumberReading{VornNumberKind::integer, value, static_cast<double>(value)};
    return key;
}

void addslottext(VornCompareKey& key, const VornVectorSlot& slot) {
    if (!slot.isnumber()) {
        addcomparetext(key, VornScriptObjectPtr(slot.object()));
    } else if (!key.hastext) {
        appendlongtext(key.text, slot.numbervalue());
        key.hastext = true;
    }
}

template <VornSortOrder order> bool sortvector(VornSystemCall& call) {
    VornScriptDataHandler* vector = nullptr;
    if (!sortargument(call, vector)) {
        return false;
    }
    // A plain vector's slots are read in place: no script code runs until
    // the copy is made. Other vectors give their elements.
    VornVectorSlots owned;
    const VornVectorSlots* slots = &owned;
    if (const VornScriptObjectVectorHandler* plain = plainvector(vector)) {
        slots = &plain->slots();
    } else if (vector != nullptr) {
        VornScriptObjectList elements;
        if (!vector->getvectorelements(elements, call.error)) {
            return false;
        }
        owned = VornVectorSlots(elements.begin(), elements.end());
    }
    // Texts are compared only in a text order or when some element is no
    // number; a numeric sort of numbers never formats them.
    std::vector<VornCompareKey> keys;
    keys.reserve(slots->size());
    bool needtexts = !order.numbers;
    for (const VornVectorSlot& slot : *slots) {
        keys.push_back(makeslotnumber(slot));
        needtexts = needtexts || !keys.back().isnumber();
    }
    if (needtexts) {
        for (size_t i = 0; i < slots->size(); ++i) {
            addslottext(keys[i], (*slots)[i]);
        }
    }
    const auto less = [&keys](uint32_t a, uint32_t b) {
        const int comparison = comparekeys(keys[a], keys[b], order.numbers, order.ignorecase);
        return order.inverse ? comparison > 0 : comparison < 0;
    };
    call.result = sortedcopy(*slots, sortedpositions(slots->size(), less));
    return true;
}

// Ends a sort whose compare function cannot be called or gives no boolean.
struct VornSortAbort {
    std::string message;
};

std::string comparefunctionmessage(const std::string& name, const char* phrase) {
    return interpretermessage("compare function") + " " + name + "($$) " +
           interpretermessage(phrase);
}

// sort(vector, comparefunctionname, ...): the function is called as
// name(a, b, ...) with the further arguments and returns true when a < b.
template <bool inverse> bool sortwithfunction(VornSystemCall& call) {
    VornScriptDataHandler* vector = nullptr;
    if (!sortargument(call, vector)) {
        return false;
    }
    // The compare function may take its arguments by reference, so it gets
    // the elements themselves.
    VornScriptObjectList elements;
    if (VornScriptObjectVectorHandler* plain = plainvector(vector)) {
        elements = plain->placeelements();
    } else if (vector != nullptr && !vector->getvectorelements(elements, call.error)) {
        return false;
    }
    const VornScriptLookupName function(call.arguments[1]->tostring());
    const std::string& name = function.text;
    const std::span<const VornScriptObjectPtr> extra = call.arguments.subspan(2);
    const std::string notfound = interpretermessage("function not found");
    // Reused by every comparison: the two compared elements, then the
    // further arguments.
    VornScriptObjectList arguments(2);
    arguments.insert(arguments.end(), extra.begin(), extra.end());
    const auto less = [&](uint32_t a, uint32_t b) {
        if (inverse) {
            std::swap(a, b);
        }
        arguments[0] = elements[a] ? elements[a] : makeundefinedvalue();
        arguments[1] = elements[b] ? elements[b] : makeundefinedvalue();
        VornScriptObjectPtr result;
        std::string error;
        // A script function is found through the name's cache, which stays
        // valid until the functions change, and called directly; a whole
        // number it computes is read without making its value.
        const VornScriptUserFunction* userfunction =
            name.empty() ? nullptr : finduserfunction(call.context, function, arguments.size());
        if (userfunction != nullptr && userfunction->body) {
            VornScriptCallResult returned;
            invokeuserfunction(call.context, *userfunction, arguments, false, returned);
            if (returned.isnumber && returned.number.whole) {
                return returned.number.longvalue != 0;
            }
            result =
                returned.isnumber ? makeresultvalue(returned.number) : std::move(returned.value);
        } else if (VornScriptObjectList padded(arguments); // the dispatcher may pad its list
                   !callfunction(call.context, name, padded, result, error,
                                 VornScriptSourcePosition())) {
            throw VornSortAbort{error == notfound ? comparefunctionmessage(name, "not found")
                                                  : error};
        }
        bool isless = false;
        if (!getbool(result, isless, error)) {
            throw VornSortAbort{comparefunctionmessage(name, "must return true if a < b")};
        }
        return isless;
    };
    try {
        const std::vector<uint32_t> positions = sortedpositions(elements.size(), less);
        call.result = sortedcopy(VornVectorSlots(elements.begin(), elements.end()), positions);
    } catch (const VornSortAbort& abort) {
        return failcall(call, abort.message);
    }
    return true;
}

constexpr VornSystemFunctionEntry entries[] = {
    {"sort($)", sortvector<standardorder>},
    {"sortnumeric($)", sortvector<numericorder>},
    {"sortalphabetic($)", sortvector<alphabeticorder>},
    {"sortignorecase($)", sortvector<ignorecaseorder>},
    {"inversesort($)", sortvector<inverted(standardorder)>},
    {"inversesortnumeric($)", sortvector<inverted(numericorder)>},
    {"inversesortalphabetic($)", sortvector<inverted(alphabeticorder)>},
    {"inversesortignorecase($)", sortvector<inverted(ignorecaseorder)>},
    {"sort($$", sortwithfunction<false>},
    {"inversesort($$", sortwithfunction<true>},
};

} // namespace

VornSystemFunctionTable sortfunctiontable() {
    return entries;
}

} // namespace vornscript
