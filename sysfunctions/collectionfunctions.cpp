// The collection functions: push, pop, shift, insert and clear, the key and
// value tests and removals, and the key and value lists. Every access goes
// through the value object's handler operations, so live vectors and
// structures of extensions behave like the interpreter's own.
#include "sysfunctions/collectionfunctions.h"

#include "interpreter/raise.h"
#include "support/stringbasics.h"
#include "sysfunctions/collectioncompare.h"
#include "sysfunctions/collectionsupport.h"
#include "values/conversions.h"

namespace vornscript {

namespace {

// The first argument as a vector; with [create], an undefined variable
// becomes an empty vector in place (push into a fresh variable).
bool vectorargument(VornSystemCall& call, bool create) {
    const VornScriptObjectPtr& target = call.arguments[0];
    if (create && target->isnull()) {
        std::string error;
        if (!target->assign(makeemptyvector(), error)) {
            return failcall(call, error);
        }
    }
    if (target->getobjecttype() != VornObjectType::vector) {
        return failcall(call, functionrequiresmessage(call.name, "requires a vector"));
    }
    return true;
}

bool setvectorsize(VornSystemCall& call) {
    int64_t size = 0;
    if (!call.arguments[0]->vectorsize(size, call.error)) {
        return false;
    }
    call.result = makelongvalue(size);
    return true;
}

template <bool byreference> bool push(VornSystemCall& call) {
    if (!vectorargument(call, true)) {
        return false;
    }
    const VornScriptObjectPtr& vector = call.arguments[0];
    const VornScriptObjectPtr& value = call.arguments[1];
    // Texts are copied by the element's own assignment (or taken over when
    // only the argument list holds them); collections need an independent
    // copy here. The argument itself is handed on, so the vector can see
    // whether anything else holds it.
    const int32_t type = value->getobjecttype();
    const bool pushed =
        !byreference && (type == VornObjectType::vector || type == VornObjectType::structure)
            ? vector->pushvectorelement(copyelementvalue(value), false, call.error)
            : vector->pushvectorelement(value, byreference, call.error);
    return pushed && setvectorsize(call);
}

// Inserts a copy of [value] before [index]; the result is the new size.
bool insertat(VornSystemCall& call, int64_t index, const VornScriptObjectPtr& value) {
    return call.arguments[0]->insertvectorelement(index, copyelementvalue(value), call.error) &&
           setvectorsize(call);
}

bool unshift(VornSystemCall& call) {
    return vectorargument(call, true) && insertat(call, 0, call.arguments[1]);
}

bool insert(VornSystemCall& call) {
    if (!vectorargument(call, true)) {
        return false;
    }
    int64_t index = 0;
    std::string error;
    if (!getlong(call.arguments[1], index, error) || index < 0) {
        return failcall(call,
                        functionrequiresmessage(call.name, "requires a positive index number"));
    }
    return insertat(call, index, call.arguments[2]);
}

// The removed element itself is the result, so `j =& e.pop()` binds to it.
void setremovedelement(VornSystemCall& call, VornScriptObjectPtr element) {
    call.result = element ? std::move(element) : makeundefinedvalue();
}

bool pop(VornSystemCall& call) {
    VornScriptObjectPtr element;
    if (!vectorargument(call, false) || !call.arguments[0]->popvectorelement(element, call.error)) {
        return false;
    }
    setremovedelement(call, std::move(element));
    return true;
}

bool shift(VornSystemCall& call) {
    if (!vectorargument(call, false)) {
        return false;
    }
    const VornScriptObjectPtr& vector = call.arguments[0];
    int64_t size = 0;
    VornScriptObjectPtr element;
    if (!vector->vectorsize(size, call.error)) {
        return false;
    }
    if (size > 0 && !(vector->getvectorelement(0, element, call.error) &&
                      vector->removevectorelement(0, 0, call.error))) {
        return false;
    }
    setremovedelement(call, std::move(element));
    return true;
}

bool clear(VornSystemCall& call) {
    const VornScriptObjectPtr& variable = call.arguments[0];
    if (!isboundtovariable(variable)) {
        return failcall(call, functionrequiresmessage(call.name, "requires a variable"));
    }
    if (variable->isconst()) {
        return failcall(call, interpretermessage("const object must not be changed"));
    }
    if (const VornScriptDataHandlerPtr& handler = variable->getdatahandler();
        handler && !variable->isnull()) {
        handler->clear();
    }
    call.result = variable;
    return true;
}

// The collection argument of the key and value tests.
bool collectionargument(VornSystemCall& call) {
    const int32_t type = call.arguments[0]->getobjecttype();
    if (type != VornObjectType::vector && type != VornObjectType::structure) {
        return failcall(call, interpretermessage("structure or vector expected"));
    }
    return true;
}

// The vector index that [key] names, or -1 when it names none.
int64_t vectorindex(const VornScriptObjectPtr& vector, const VornScriptObjectPtr& key) {
    int64_t index = -1;
    int64_t size = 0;
    std::string error;
    if (!key->readlong(index) || !vector->vectorsize(size, error) || index < 0 || index >= size) {
        return -1;
    }
    return index;
}

bool hasmember(const VornScriptObjectPtr& structure, std::string_view name) {
    // A plain structure answers without a member reference or a message.
    VornScriptDataHandler* handler = structure->getdatahandler().get();
    if (handler != nullptr && handler->handlerkind() == VornHandlerKind::plainstructure) {
        const VornScriptMemberEntry* entry =
            static_cast<VornScriptObjectStructureHandler*>(handler)->findmember(name);
        return entry != nullptr && entry->second;
    }
    VornScriptObjectPtr member;
    std::string error;
    return structure->getstructuremember(std::string(name), member, error) && member;
}

// Whether the structure has a member named by the key's text; a plain text
// key is read in place.
bool haskeymember(const VornScriptObjectPtr& structure, const VornScriptObjectPtr& key) {
    if (const VornScriptObjectStringHandler* plain =
            key->getobjecttype() == VornObjectType::string ? key->plainstring() : nullptr) {
        return hasmember(structure, plain->text());
    }
    return hasmember(structure, key->tostring());
}

bool containskeytruth(VornSystemCall& call, bool& found) {
    if (!collectionargument(call)) {
        return false;
    }
    const VornScriptObjectPtr& collection = call.arguments[0];
    found = collection->getobjecttype() == VornObjectType::vector
                ? vectorindex(collection, call.arguments[1]) >= 0
                : haskeymember(collection, call.arguments[1]);
    return true;
}

// The value form of a truth form.
template <VornSystemTruthImpl truthform> bool truthvalue(VornSystemCall& call) {
    bool truth = false;
    if (!truthform(call, truth)) {
        return false;
    }
    call.result = makeboolvalue(truth);
    return true;
}

constexpr VornSystemFunctionImpl containskey = truthvalue<containskeytruth>;

bool removekey(VornSystemCall& call) {
    if (!collectionargument(call)) {
        return false;
    }
    const VornScriptObjectPtr& collection = call.arguments[0];
    bool removed = false;
    if (collection->getobjecttype() == VornObjectType::vector) {
        const int64_t index = vectorindex(collection, call.arguments[1]);
        removed = index >= 0;
        if (removed && !collection->removevectorelement(index, index, call.error)) {
            return false;
        }
    } else {
        const std::string name = call.arguments[1]->tostring();
        removed = hasmember(collection, name);
        if (removed && !collection->removestructuremember(name, call.error)) {
            return false;
        }
    }
    call.result = makeboolvalue(removed);
    return true;
}

bool containsvalue(VornSystemCall& call) {
    const VornScriptObjectPtr& collection = call.arguments[0];
    if (collection->getobjecttype() == VornObjectType::string) {
        call.result = makeboolvalue(
            vornstdstring::contains(collection->tostring(), call.arguments[1]->tostring()));
        return true;
    }
    std::vector<std::string> names;
    VornScriptObjectList values;
    if (!collectionargument(call) || !collectionentries(collection, names, values, call.error)) {
        return false;
    }
    bool found = false;
    for (const VornScriptObjectPtr& value : values) {
        if (valuesareequal(value, call.arguments[1])) {
            found = true;
            break;
        }
    }
    call.result = makeboolvalue(found);
    return true;
}

bool removevalue(VornSystemCall& call) {
    std::vector<std::string> names;
    VornScriptObjectList values;
    const VornScriptObjectPtr& collection = call.arguments[0];
    if (!collectionargument(call) || !collectionentries(collection, names, values, call.error)) {
        return false;
    }
    const bool isvector = collection->getobjecttype() == VornObjectType::vector;
    bool removed = false;
    // From the back, so the indexes still to visit stay valid.
    for (size_t i = values.size(); i-- > 0;) {
        if (!valuesareequal(values[i], call.arguments[1])) {
            continue;
        }
        removed = true;
        const auto index = static_cast<int64_t>(i);
        if (isvector ? !collection->removevectorelement(index, index, call.error)
                     : !collection->removestructuremember(names[i], call.error)) {
            return false;
        }
    }
    call.result = makeboolvalue(removed);
    return true;
}

template <bool keys> bool collectionlist(VornSystemCall& call) {
    const VornScriptObjectPtr& collection = call.arguments[0];
    const int32_t type = collection->getobjecttype();
    if (type != VornObjectType::vector && type != VornObjectType::structure) {
        return failcall(
            call, functionrequiresmessage(call.name, "requires a structure or vector variable"));
    }
    std::vector<std::string> names;
    VornScriptObjectList values;
    if (!collectionentries(collection, names, values, call.error)) {
        return false;
    }
    for (size_t i = 0; i < values.size(); ++i) {
        if (!keys) {
            values[i] = values[i] ? copyelementvalue(values[i]) : makeundefinedvalue();
        } else if (type == VornObjectType::vector) {
            values[i] = makelongvalue(static_cast<int64_t>(i));
        } else {
            values[i] = makestringvalue(std::move(names[i]));
        }
    }
    call.result = makevectorvalue(std::move(values));
    return true;
}

constexpr VornSystemFunctionEntry entries[] = {
    {"push($$)", push<false>},
    {"pushreference($$)", push<true>},
    {"pop($)", pop},
    {"shift($)", shift},
    {"unshift($$)", unshift},
    {"insert($$$)", insert},
    {"clear($)", clear},
    {"containskey($$)", containskey},
    {"containsvalue($$)", containsvalue},
    {"removekey($$)", removekey},
    {"removevalue($$)", removevalue},
    {"collectionkeys($)", collectionlist<true>},
    {"collectionvalues($)", collectionlist<false>},
};

} // namespace

VornSystemFunctionTable collectionfunctiontable() {
    return entries;
}

VornSystemTruthImpl collectiontruthfunction(VornSystemFunctionImpl impl) {
    return impl == containskey ? containskeytruth : nullptr;
}

} // namespace vornscript
