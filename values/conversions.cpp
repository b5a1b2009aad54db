// Value conversions, type names, casts and r-value copies.
#include "values/conversions.h"

#include "values/structurehandler.h"
#include "values/vectorhandler.h"

#include <cmath>
#include <utility>

namespace vornscript {

namespace {

bool isstringvalue(const VornScriptObjectPtr& value) {
    return value && value->getobjecttype() == VornObjectType::string;
}

bool fail(const char* message, std::string& error) {
    error = message;
    return false;
}

// A plain structure value whose members come from the handler's own order.
VornScriptObjectPtr makestructurefrom(VornScriptMemberMap members) {
    return makehandlervalue(makeref<VornScriptObjectStructureHandler>(std::move(members)));
}

VornScriptObjectPtr makevectorfrom(VornScriptObjectList elements) {
    return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements)));
}

// The index a member name stands for when it is a decimal index below count.
bool readindexname(const std::string& name, size_t count, size_t& index) {
    if (name.empty() || name.size() > 18 || (name.size() > 1 && name[0] == '0')) {
        return false;
    }
    size_t value = 0;
    for (const char c : name) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + static_cast<size_t>(c - '0');
    }
    index = value;
    return value < count;
}

// A cast of a collection to its own kind: an independent plain copy, also of
// handlers that share on assignment (a caught exception casts to its members).
bool makecopy(const VornScriptObjectPtr& value, VornScriptObjectPtr& result, std::string& error) {
    const VornScriptDataHandlerPtr& handler = value->getdatahandler();
    if (!handler) {
        return fail("handler for data missing", error);
    }
    VornScriptDataHandlerPtr copy;
    if (!handler->castrvalue(copy, error)) {
        return false;
    }
    result = makehandlervalue(copy);
    return true;
}

} // namespace

std::string gettypename(const VornScriptObjectPtr& value) {
    if (!value || value->getobjecttype() == VornObjectType::undefined) {
        return "null";
    }
    switch (value->getobjecttype()) {
    case VornObjectType::vector:
        return "vector";
    case VornObjectType::structure:
        return "structure";
    case VornObjectType::string:
        break;
    default:
        return "unknown";
    }
    switch (value->gettypecode()) {
    case VornTypeCode::doublenumber:
        return "double";
    case VornTypeCode::longnumber:
        return "long";
    case VornTypeCode::string:
        return "string";
    case VornTypeCode::structure:
        return "structure";
    case VornTypeCode::vector:
        return "vector";
    default:
        break;
    }
    switch (value->readnumber().kind) {
    case VornNumberKind::integer:
        return "long";
    case VornNumberKind::decimal:
        return "double";
    default:
        return "string";
    }
}

bool getdouble(const VornScriptObjectPtr& value, double& result, std::string& error) {
    if (!isstringvalue(value) || !value->readdouble(result)) {
        return fail("double value expected", error);
    }
    return true;
}

bool getlong(const VornScriptObjectPtr& value, int64_t& result, std::string& error) {
    const VornNumberReading reading =
        isstringvalue(value) ? value->readnumber() : VornNumberReading();
    if (reading.kind == VornNumberKind::integer) {
        result = reading.longvalue;
        return true;
    }
    if (reading.kind == VornNumberKind::none ||
        !doubleiswhole(std::trunc(reading.doublevalue), result)) {
        return fail("integer value expected", error);
    }
    return true;
}

bool getlong(const VornScriptObjectPtr& value, int64_t& result, int64_t minimum, int64_t maximum,
             std::string& error) {
    if (!getlong(value, result, error)) {
        return false;
    }
    if (result < minimum || result > maximum) {
        error = "value out of range " + std::to_string(minimum) + "-" + std::to_string(maximum);
        return false;
    }
    return true;
}

bool getbool(const VornScriptObjectPtr& value, bool& result, std::string& error) {
    bool read = false;
    if (isstringvalue(value)) {
        if (const VornScriptObjectStringHandler* plain = value->plainstring()) {
            read = plain->readbool(result);
        } else {
            read = readbooltext(value->tostring(), result);
        }
    }
    return read || fail("boolean value expected", error);
}

bool getstring(const VornScriptObjectPtr& value, std::string& result, std::string& error) {
    if (!value) {
        return fail("string expected", error);
    }
    result = value->tostring();
    return true;
}

bool casttostructure(const VornScriptObjectPtr& value, VornScriptObjectPtr& result,
                     std::string& error) {
    if (!value || value->getobjecttype() == VornObjectType::undefined) {
        result = makevalueoftype(VornObjectType::structure);
        return true;
    }
    if (value->getobjecttype() == VornObjectType::structure) {
        return makecopy(value, result, error);
    }
    if (value->getobjecttype() != VornObjectType::vector) {
        return fail("cannot cast value to structure", error);
    }
    VornScriptObjectList elements;
    if (!value->getvectorelements(elements, error)) {
        return false;
    }
    VornScriptMemberMap members;
    for (size_t index = 0; index < elements.size(); ++index) {
        members.insert_or_assign(std::to_string(index), copyelementvalue(elements[index]));
    }
    result = makestructurefrom(std::move(members));
    return true;
}

bool casttovector(const VornScriptObjectPtr& value, VornScriptObjectPtr& result,
                  std::string& error) {
    if (!value || value->getobjecttype() == VornObjectType::undefined) {
        result = makevalueoftype(VornObjectType::vector);
        return true;
    }
    if (value->getobjecttype() == VornObjectType::vector) {
        return makecopy(value, result, error);
    }
    if (value->getobjecttype() != VornObjectType::structure) {
        return fail("cannot cast value to vector", error);
    }
    std::vector<std::string> names;
    if (!value->getstructurefields(names, error)) {
        return false;
    }
    VornScriptObjectList members(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        if (!value->getstructuremember(names[i], members[i], error)) {
            return false;
        }
    }
    // Names that are exactly the indexes 0 .. n-1 (map keys are distinct).
    VornScriptObjectList byindex(names.size());
    bool indexed = true;
    for (size_t i = 0; i < names.size() && indexed; ++i) {
        size_t index = 0;
        indexed = readindexname(names[i], names.size(), index);
        if (indexed) {
            byindex[index] = copyelementvalue(members[i]);
        }
    }
    if (indexed) {
        result = makevectorfrom(std::move(byindex));
        return true;
    }
    VornScriptObjectList single;
    single.reserve(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        VornScriptMemberMap member;
        member.emplace(names[i], copyelementvalue(members[i]));
        single.push_back(makestructurefrom(std::move(member)));
    }
    result = makevectorfrom(std::move(single));
    return true;
}

bool makervalue(const VornScriptObjectPtr& value, VornScriptObjectPtr& result, std::string& error) {
    if (!value) {
        result.reset();
        return true;
    }
    if (value->getobjecttype() == VornObjectType::undefined) {
        result = makeundefinedvalue();
        result->setlvalue(false);
        return true;
    }
    // A computed whole number, the commonest copy (a parameter, an element),
    // is made anew without the handler's general copy.
    if (const VornScriptObjectStringHandler* plain = value->plainstring();
        plain != nullptr && plain->isnativelong()) {
        result = makelongvalue(plain->numberreading().longvalue);
        result->setlvalue(false);
        return true;
    }
    const VornScriptDataHandlerPtr& handler = value->getdatahandler();
    if (!handler) {
        return fail("handler for data missing", error);
    }
    // Handlers that share on assignment (an exception, an open file) are
    // shared by value semantics too.
    VornScriptDataHandlerPtr copy = handler;
    if (!handler->copyreference() && !handler->castrvalue(copy, error)) {
        return false;
    }
    result = makehandlervalue(copy);
    result->setlvalue(false);
    return true;
}

VornScriptObjectPtr copyelementvalue(const VornScriptObjectPtr& element) {
    if (!element) {
        return VornScriptObjectPtr();
    }
    VornScriptObjectPtr copy;
    std::string error;
    if (!makervalue(element, copy, error)) {
        // Only a self-containing collection fails here; its copy ends empty.
        return makeundefinedvalue();
    }
    copy->setlvalue(true);
    return copy;
}

} // namespace vornscript
