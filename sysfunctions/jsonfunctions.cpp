// parsejson and createjson. Values are written and read directly, without a
// JSON tree in between. Writing counts the nesting with the value layer's
// guard, so a collection that contains itself through a reference fails with
// a message instead of recursing without end; the reader limits the depth it
// builds. Members are written in name order: a plain structure is already
// ordered, the names of other structures are sorted here.
#include "sysfunctions/jsonfunctions.h"

#include "support/jsonreader.h"
#include "support/jsonwriter.h"
#include "sysfunctions/collectionsupport.h"
#include "sysfunctions/textfunctionsupport.h"
#include "values/vectorhandler.h"

#include <algorithm>
#include <map>
#include <utility>

namespace vornscript {

namespace {

bool writevalue(const VornScriptObjectPtr& value, vornjson::vornjsonwriter& writer,
                std::string& error);

bool writemembers(const VornScriptObjectPtr& structure, vornjson::vornjsonwriter& writer,
                  std::string& error) {
    writer.beginobject();
    const VornScriptDataHandler* handler = structure->getdatahandler().get();
    if (handler->handlerkind() == VornHandlerKind::plainstructure) {
        for (const auto& [name, member] :
             static_cast<const VornScriptObjectStructureHandler*>(handler)->members()) {
            writer.member(name);
            if (!writevalue(member, writer, error)) {
                return false;
            }
        }
    } else {
        std::vector<std::string> names;
        VornScriptObjectList values;
        if (!collectionentries(structure, names, values, error)) {
            return false;
        }
        // In name order, a repeated name keeping its last value.
        std::map<std::string_view, const VornScriptObjectPtr*> ordered;
        for (size_t i = 0; i < names.size(); ++i) {
            ordered.insert_or_assign(names[i], &values[i]);
        }
        for (const auto& [name, member] : ordered) {
            writer.member(name);
            if (!writevalue(*member, writer, error)) {
                return false;
            }
        }
    }
    writer.endobject();
    return true;
}

bool writeelements(const VornScriptObjectPtr& vector, vornjson::vornjsonwriter& writer,
                   std::string& error) {
    const VornScriptDataHandler* handler = vector->getdatahandler().get();
    VornScriptObjectList elements;
    const bool plain = handler->handlerkind() == VornHandlerKind::plainvector;
    if (!plain && !vector->getvectorelements(elements, error)) {
        return false;
    }
    const auto write = [&](const VornScriptObjectPtr& element) {
        writer.element();
        return writevalue(element, writer, error);
    };
    writer.beginarray();
    if (plain) {
        // Inline numbers are written without making value objects for them.
        std::string number;
        for (const VornVectorSlot& slot :
             static_cast<const VornScriptObjectVectorHandler*>(handler)->slots()) {
            if (slot.isnumber()) {
                number.clear();
                appendlongtext(number, slot.numbervalue());
                writer.element();
                writer.scalar(number);
            } else if (!write(VornScriptObjectPtr(slot.object()))) {
                return false;
            }
        }
    } else {
        for (const VornScriptObjectPtr& element : elements) {
            if (!write(element)) {
                return false;
            }
        }
    }
    writer.endarray();
    return true;
}

bool writevalue(const VornScriptObjectPtr& value, vornjson::vornjsonwriter& writer,
                std::string& error) {
    if (isundefined(value)) {
        writer.scalar({});
        return true;
    }
    const int32_t type = value->getobjecttype();
    if (type != VornObjectType::vector && type != VornObjectType::structure) {
        writer.scalar(textfunctions::ArgumentText(value));
        return true;
    }
    VornNestingGuard guard;
    if (guard.toodeep()) {
        error = nestedtoodeepmessage;
        return false;
    }
    return type == VornObjectType::vector ? writeelements(value, writer, error)
                                          : writemembers(value, writer, error);
}

// Builds script values for the JSON reader.
struct VornJsonValueBuilder {
    using value = VornScriptObjectPtr;
    using object = VornScriptMemberMap;
    // Slots, so the finished vector takes the array as it is.
    using array = VornVectorSlots;

    static VornScriptObjectPtr scalar(std::string_view text) {
        return makestringvalue(std::string(text));
    }
    static VornScriptMemberMap makeobject() { return {}; }
    static void setmember(VornScriptMemberMap& members, std::string_view key,
                          VornScriptObjectPtr member) {
        members.insert_or_assign(std::string(key), std::move(member));
    }
    static VornScriptObjectPtr finishobject(VornScriptMemberMap members) {
        return makestructurevalue(std::move(members));
    }
    static VornVectorSlots makearray() { return {}; }
    static void append(VornVectorSlots& elements, VornScriptObjectPtr element) {
        elements.push_back(makeelementslot(std::move(element)));
    }
    static VornScriptObjectPtr finisharray(VornVectorSlots elements) {
        return makehandlervalue(makeref<VornScriptObjectVectorHandler>(std::move(elements)));
    }
};

bool parsejson(VornSystemCall& call) {
    return parsejsontext(textfunctions::ArgumentText(call.arguments[0]), call.result, call.error);
}

bool createjson(VornSystemCall& call) {
    std::string text;
    if (!appendjsontext(call.arguments[0], text, call.error)) {
        return false;
    }
    call.result = makestringvalue(std::move(text));
    return true;
}

constexpr VornSystemFunctionEntry entries[] = {
    {"parsejson($)", parsejson},
    {"createjson($)", createjson},
};

} // namespace

bool appendjsontext(const VornScriptObjectPtr& value, std::string& out, std::string& error,
                    int depth) {
    vornjson::vornjsonwriter writer(out, depth);
    return writevalue(value, writer, error);
}

bool parsejsontext(std::string_view text, VornScriptObjectPtr& value, std::string& error) {
    VornJsonValueBuilder builder;
    vornjson::vornjsonparser<VornJsonValueBuilder> parser(text, builder);
    VornScriptObjectPtr parsed;
    if (!parser.parsedocument(parsed)) {
        error = parser.errormessage;
        return false;
    }
    value = std::move(parsed);
    return true;
}

VornSystemFunctionTable jsonfunctiontable() {
    return entries;
}

} // namespace vornscript
