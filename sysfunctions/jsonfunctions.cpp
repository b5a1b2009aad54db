// parsejson and createjson. Converting a value into a tree counts its
// nesting with the value layer's guard, so a collection that contains itself
// through a reference fails with a message instead of recursing without end;
// the parser limits the depth of trees it builds, which bounds the way back.
#include "sysfunctions/jsonfunctions.h"

#include "sysfunctions/collectionsupport.h"

#include <utility>

namespace vornscript {

bool valuetojsontree(const VornScriptObjectPtr& value, vornjson::vornjsontree& tree,
                     std::string& error) {
    if (isundefined(value)) {
        tree = vornjson::vornjsontree();
        return true;
    }
    const int32_t type = value->getobjecttype();
    if (type != VornObjectType::vector && type != VornObjectType::structure) {
        tree = vornjson::vornjsontree(value->tostring());
        return true;
    }
    VornNestingGuard guard;
    if (guard.toodeep()) {
        error = nestedtoodeepmessage;
        return false;
    }
    std::vector<std::string> names;
    VornScriptObjectList values;
    if (!collectionentries(value, names, values, error)) {
        return false;
    }
    const bool isarray = type == VornObjectType::vector;
    tree = isarray ? vornjson::vornjsontree::makearray() : vornjson::vornjsontree::makeobject();
    for (size_t i = 0; i < values.size(); ++i) {
        vornjson::vornjsontree child;
        if (!valuetojsontree(values[i], child, error)) {
            return false;
        }
        if (isarray) {
            tree.appendelement(std::move(child));
        } else {
            tree.setmember(names[i], std::move(child));
        }
    }
    return true;
}

VornScriptObjectPtr jsontreetovalue(const vornjson::vornjsontree& tree) {
    switch (tree.kind()) {
    case vornjson::jsonobject: {
        VornScriptMemberMap members;
        for (const auto& [key, member] : tree.members()) {
            members.emplace(key, jsontreetovalue(member));
        }
        return makestructurevalue(std::move(members));
    }
    case vornjson::jsonarray: {
        VornScriptObjectList elements;
        elements.reserve(tree.elements().size());
        for (const vornjson::vornjsontree& element : tree.elements()) {
            elements.push_back(jsontreetovalue(element));
        }
        return makevectorvalue(std::move(elements));
    }
    case vornjson::jsonscalar:
        break;
    }
    return makestringvalue(tree.text());
}

namespace {

bool parsejson(VornSystemCall& call) {
    vornjson::vornjsontree tree;
    if (!tree.parse(call.arguments[0]->tostring(), call.error)) {
        return false;
    }
    call.result = jsontreetovalue(tree);
    return true;
}

bool createjson(VornSystemCall& call) {
    vornjson::vornjsontree tree;
    if (!valuetojsontree(call.arguments[0], tree, call.error)) {
        return false;
    }
    call.result = makestringvalue(tree.write(0));
    return true;
}

constexpr VornSystemFunctionEntry entries[] = {
    {"parsejson($)", parsejson},
    {"createjson($)", createjson},
};

} // namespace

VornSystemFunctionTable jsonfunctiontable() {
    return entries;
}

} // namespace vornscript
